#pragma once

#include "store/disk.h"

#include <QByteArray>
#include <QMap>

#include <cerrno>

// A file system under the store that counts its calls and fails the N-th one on purpose, as a full disk
// or a failing disk would: a write with ENOSPC (or a short write), a sync with EIO, an open, rename,
// truncation, reservation or removal with the error given. Closes and reads are counted apart and never
// failed. Installed for its lifetime.
class FaultInjection : public disk::FileSystem {
public:
    // failAt 0: count only.
    explicit FaultInjection(int failAt = 0, int error = 0) : m_failAt(failAt), m_error(error), m_replacement(*this) {}

    int calls = 0; // calls that can fail, in order
    int syncs = 0; // fdatasync and fsync among them
    int reads = 0;
    int opens = 0;
    bool failed = false;
    bool shortWrites = false; // the failing write writes half and returns that, the next write of it fails

    int open(const char *path, int flags, mode_t mode) override {
        ++opens;
        return fail(ENOENT) ? -1 : disk::FileSystem::open(path, flags, mode);
    }
    ssize_t pread(int fd, void *buffer, size_t size, off_t offset) override {
        ++reads;
        return disk::FileSystem::pread(fd, buffer, size, offset);
    }
    ssize_t pwrite(int fd, const void *buffer, size_t size, off_t offset) override {
        if (shortWrites && m_failAt == calls + 1 && size > 1) {
            ++calls;
            failed = true;
            m_halfWritten = true;
            return disk::FileSystem::pwrite(fd, buffer, size / 2, offset);
        }
        if (m_halfWritten) { // the rest of a short write finds the disk full
            m_halfWritten = false;
            ++calls;
            errno = ENOSPC;
            return -1;
        }
        return fail(ENOSPC) ? -1 : disk::FileSystem::pwrite(fd, buffer, size, offset);
    }
    int fdatasync(int fd) override {
        ++syncs;
        return fail(EIO) ? -1 : disk::FileSystem::fdatasync(fd);
    }
    int fsync(int fd) override {
        ++syncs;
        return fail(EIO) ? -1 : disk::FileSystem::fsync(fd);
    }
    int ftruncate(int fd, off_t length) override { return fail(EIO) ? -1 : disk::FileSystem::ftruncate(fd, length); }
    int fallocate(int fd, off_t offset, off_t length) override {
        return fail(ENOSPC) ? -1 : disk::FileSystem::fallocate(fd, offset, length);
    }
    int rename(const char *from, const char *to) override {
        return fail(EIO) ? -1 : disk::FileSystem::rename(from, to);
    }
    int unlink(const char *path) override { return fail(EIO) ? -1 : disk::FileSystem::unlink(path); }
    int mkdir(const char *path, mode_t mode) override {
        return fail(ENOSPC) ? -1 : disk::FileSystem::mkdir(path, mode);
    }
    int rmdir(const char *path) override { return fail(EIO) ? -1 : disk::FileSystem::rmdir(path); }

private:
    // Counts the call; true when it is the one to fail, with errno set.
    bool fail(int natural) {
        ++calls;
        if (calls != m_failAt)
            return false;
        failed = true;
        errno = m_error ? m_error : natural;
        return true;
    }

    int m_failAt;
    int m_error;
    bool m_halfWritten = false;
    disk::Replacement m_replacement;
};
