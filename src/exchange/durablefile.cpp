#include "exchange/durablefile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace durable {

namespace {

[[noreturn]] void fail(int code)
{
    throw WriteFailure{code};
}

// Removes the temporary file unless it was renamed into place.
class Temporary {
public:
    explicit Temporary(QByteArray path) : m_path(std::move(path)) {}
    ~Temporary()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_placed)
            ::unlink(m_path.constData());
    }
    Temporary(const Temporary &) = delete;
    Temporary &operator=(const Temporary &) = delete;

    const QByteArray &path() const { return m_path; }
    int fd() const { return m_fd; }
    void setFd(int fd) { m_fd = fd; }
    void closeFd()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            fail(errno);
    }
    void placed() { m_placed = true; }

private:
    QByteArray m_path;
    int m_fd = -1;
    bool m_placed = false;
};

void writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        p += n;
        left -= n;
    }
}

QByteArray readAll(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    QByteArray content;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int code = errno;
            ::close(fd);
            fail(code);
        }
        if (n == 0)
            break;
        content.append(chunk, n);
    }
    ::close(fd);
    return content;
}

void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    const int result = ::fsync(fd);
    const int code = errno;
    ::close(fd);
    if (result != 0)
        fail(code);
}

} // namespace

void writeFile(const QString &folder, const QString &name, const QByteArray &bytes,
               const std::function<bool(const QByteArray &)> &verify)
{
    const QByteArray folderPath = QFile::encodeName(QDir(folder).absolutePath());
    const QByteArray target = QFile::encodeName(QDir(folder).absoluteFilePath(name));
    QByteArray pattern = QFile::encodeName(QDir(folder).absoluteFilePath(QLatin1Char('.') + name + QStringLiteral(".XXXXXX")));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    Temporary temporary(pattern);
    temporary.setFd(fd);
    if (::fchmod(fd, 0644) != 0) // mkstemp makes it private; the archive is an ordinary file
        fail(errno);
    writeAll(fd, bytes);
    if (::fsync(fd) != 0)
        fail(errno);
    temporary.closeFd();
    if (!verify(readAll(temporary.path())))
        throw VerifyFailure{};
    if (::rename(temporary.path().constData(), target.constData()) != 0)
        fail(errno);
    temporary.placed();
    syncFolder(folderPath);
}

} // namespace durable
