#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The store's only way to the disk. Every call the store makes to the file system passes through the
// current FileSystem, so that a test can count the calls and fail any one of them on purpose; File
// below checks every result and turns a failure into a Slovak storage error naming the file.
namespace disk {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int open(const char *path, int flags, mode_t mode);
    virtual ssize_t pread(int fd, void *buffer, size_t size, off_t offset);
    virtual ssize_t pwrite(int fd, const void *buffer, size_t size, off_t offset);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int fallocate(int fd, off_t offset, off_t length); // reserves blocks, the size stays
    virtual int rename(const char *from, const char *to);
    virtual int unlink(const char *path);
    virtual int mkdir(const char *path, mode_t mode);
    virtual int rmdir(const char *path);
    virtual int close(int fd);
};

// The file system the store uses now: the real one unless a test put another in its place.
FileSystem &current();

// Puts a file system in place of the real one for the lifetime of the object (tests).
class Replacement {
public:
    explicit Replacement(FileSystem &fileSystem);
    ~Replacement();
    Replacement(const Replacement &) = delete;
    Replacement &operator=(const Replacement &) = delete;

private:
    FileSystem *m_previous;
};

// The Slovak text of an error number, for the messages the user sees.
QString errorText(int code);

// The name a message gives a file: its folder's name and its own, such as "data/P1.DBF".
QString displayName(const QString &path);

// An open file; every failing call raises StorageError naming the file. Closed by the destructor.
class File {
public:
    File() = default;
    // Opens for reading and writing (O_CREAT in flags creates it).
    static File open(const QString &path, int flags = 0);
    // The same, giving the error number instead of raising it; the file is not open when it failed.
    static File tryOpen(const QString &path, int flags, int &code, bool readOnly = false);
    ~File();
    File(File &&other) noexcept;
    File &operator=(File &&other) noexcept;
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }
    qint64 size() const;
    QByteArray readAll() const;                               // one read for the whole file
    QByteArray read(qint64 offset, qint64 length) const;      // shorter only at the end of the file
    void write(qint64 offset, const QByteArray &bytes) const; // the whole of it, or an error
    void sync() const;                                        // the data written so far is durable
    void truncate(qint64 length) const;
    void reserve(qint64 length) const; // blocks up to length, so that later writes find room
    void close();                      // a failing close is an error too

private:
    [[noreturn]] void fail(const QString &what, int code) const;
    QString m_path;
    int m_fd = -1;
};

// Makes a rename or a new file in the folder durable.
void syncFolder(const QString &folder);
// Renames a file, replacing the target.
void rename(const QString &from, const QString &to);
// Removes a file; a missing file is no error.
void remove(const QString &path);
// Makes a folder; an existing one is no error.
void makeFolder(const QString &path);
// Removes an empty folder.
void removeFolder(const QString &path);

} // namespace disk
