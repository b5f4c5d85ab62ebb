#include "store/disk.h"

#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace disk {

namespace {

FileSystem &real() {
    static FileSystem system;
    return system;
}

FileSystem *g_current = nullptr;

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

// The whole path: a file of the disk (a backup, the journal) is named where the user can find it.
[[noreturn]] void failOn(const QString &path, const QString &what, int code) {
    const QFileInfo info(path);
    throw StorageError(QStringLiteral("%1 %2: %3 (%4).")
                           .arg(info.isDir() ? QStringLiteral("Priečinok") : QStringLiteral("Súbor"),
                                QDir::toNativeSeparators(info.absoluteFilePath()), what, errorText(code)),
                       code);
}

} // namespace

int FileSystem::open(const char *path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
ssize_t FileSystem::pread(int fd, void *buffer, size_t size, off_t offset) {
    return ::pread(fd, buffer, size, offset);
}
ssize_t FileSystem::pwrite(int fd, const void *buffer, size_t size, off_t offset) {
    return ::pwrite(fd, buffer, size, offset);
}
int FileSystem::fdatasync(int fd) {
    return ::fdatasync(fd);
}
int FileSystem::fsync(int fd) {
    return ::fsync(fd);
}
int FileSystem::ftruncate(int fd, off_t length) {
    return ::ftruncate(fd, length);
}
int FileSystem::fallocate(int fd, off_t offset, off_t length) {
    return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, offset, length);
}
int FileSystem::rename(const char *from, const char *to) {
    return ::rename(from, to);
}
int FileSystem::unlink(const char *path) {
    return ::unlink(path);
}
int FileSystem::mkdir(const char *path, mode_t mode) {
    return ::mkdir(path, mode);
}
int FileSystem::rmdir(const char *path) {
    return ::rmdir(path);
}
int FileSystem::close(int fd) {
    return ::close(fd);
}

FileSystem &current() {
    return g_current ? *g_current : real();
}

Replacement::Replacement(FileSystem &fileSystem) : m_previous(g_current) {
    g_current = &fileSystem;
}
Replacement::~Replacement() {
    g_current = m_previous;
}

QString errorText(int code) {
    switch (code) {
    case ENOSPC:
        return QStringLiteral("na disku nie je voľné miesto");
    case EDQUOT:
        return QStringLiteral("prekročená kvóta disku");
    case EIO:
        return QStringLiteral("chyba vstupu/výstupu na disku");
    case EROFS:
        return QStringLiteral("disk je len na čítanie");
    case EACCES:
    case EPERM:
        return QStringLiteral("prístup zamietnutý");
    case ENOENT:
        return QStringLiteral("súbor alebo priečinok neexistuje");
    case ENOTDIR:
        return QStringLiteral("cesta nevedie do priečinka");
    case EISDIR:
        return QStringLiteral("je to priečinok");
    case EEXIST:
        return QStringLiteral("súbor už existuje");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("príliš veľa otvorených súborov");
    case EFBIG:
        return QStringLiteral("súbor je príliš veľký");
    case ENOMEM:
        return QStringLiteral("nedostatok pamäte");
    case EBADF:
        return QStringLiteral("súbor nie je otvorený");
    default:
        return QStringLiteral("systémová chyba č. %1").arg(code);
    }
}

QString displayName(const QString &path) {
    const QFileInfo info(path);
    return QDir(info.dir().dirName()).filePath(info.fileName());
}

File File::tryOpen(const QString &path, int flags, int &code, bool readOnly) {
    File file;
    file.m_path = path;
    file.m_fd = current().open(native(path).constData(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | flags, 0644);
    code = file.m_fd < 0 ? errno : 0;
    return file;
}

File File::open(const QString &path, int flags) {
    int code = 0;
    File file = tryOpen(path, flags, code);
    if (!file.isOpen())
        failOn(path, QStringLiteral("súbor sa nedá otvoriť"), code);
    return file;
}

File::~File() {
    if (m_fd >= 0)
        current().close(m_fd); // only after an error already reported, or a file that was only read
}

File::File(File &&other) noexcept : m_path(std::move(other.m_path)), m_fd(other.m_fd) {
    other.m_fd = -1;
}

File &File::operator=(File &&other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            current().close(m_fd);
        m_path = std::move(other.m_path);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

void File::fail(const QString &what, int code) const {
    failOn(m_path, what, code);
}

qint64 File::size() const {
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        fail(QStringLiteral("veľkosť súboru sa nedá zistiť"), errno);
    return st.st_size;
}

QByteArray File::readAll() const {
    return read(0, size());
}

QByteArray File::read(qint64 offset, qint64 length) const {
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = current().pread(m_fd, bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(QStringLiteral("čítanie zlyhalo"), errno);
        if (n == 0)
            break; // the file became shorter meanwhile: what was read is the file
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

void File::write(qint64 offset, const QByteArray &bytes) const {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            current().pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(QStringLiteral("zápis zlyhal"), errno);
        if (n == 0)
            fail(QStringLiteral("zápis zlyhal"), ENOSPC); // nothing written and no error: no room
        done += n;
    }
}

void File::sync() const {
    if (current().fdatasync(m_fd) != 0)
        fail(QStringLiteral("uloženie na disk zlyhalo"), errno);
}

void File::truncate(qint64 length) const {
    if (current().ftruncate(m_fd, off_t(length)) != 0)
        fail(QStringLiteral("skrátenie súboru zlyhalo"), errno);
}

void File::reserve(qint64 length) const {
    const qint64 now = size();
    if (length <= now)
        return;
    if (current().fallocate(m_fd, off_t(now), off_t(length - now)) != 0) {
        // A file system that cannot reserve (EOPNOTSUPP) reports a full disk at the write itself.
        if (errno != EOPNOTSUPP && errno != ENOSYS)
            fail(QStringLiteral("na rozšírenie súboru nie je miesto"), errno);
    }
}

void File::close() {
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && current().close(fd) != 0)
        fail(QStringLiteral("zatvorenie súboru zlyhalo"), errno);
}

void syncFolder(const QString &folder) {
    const int fd = current().open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        failOn(folder, QStringLiteral("priečinok sa nedá otvoriť"), errno);
    const int result = current().fsync(fd);
    const int code = errno;
    current().close(fd);
    if (result != 0)
        failOn(folder, QStringLiteral("uloženie priečinka na disk zlyhalo"), code);
}

void rename(const QString &from, const QString &to) {
    if (current().rename(native(from).constData(), native(to).constData()) != 0)
        failOn(to, QStringLiteral("premenovanie zlyhalo"), errno);
}

void remove(const QString &path) {
    if (current().unlink(native(path).constData()) != 0 && errno != ENOENT)
        failOn(path, QStringLiteral("súbor sa nedá odstrániť"), errno);
}

void makeFolder(const QString &path) {
    if (current().mkdir(native(path).constData(), 0755) != 0 && errno != EEXIST)
        failOn(path, QStringLiteral("priečinok sa nedá vytvoriť"), errno);
}

void removeFolder(const QString &path) {
    if (current().rmdir(native(path).constData()) != 0 && errno != ENOENT)
        failOn(path, QStringLiteral("priečinok sa nedá odstrániť"), errno);
}

} // namespace disk
