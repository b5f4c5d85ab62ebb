#include "exchange/durablefile.h"

#include "store/disk.h"
#include "store/errors.h"

#include <QDir>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>

namespace durable {

namespace {

// A new file of a name no other file has, beside the target; removed unless it was renamed into place.
class Temporary {
public:
    Temporary(const QString &folder, const QString &name) {
        for (;;) {
            m_path = QDir(folder).filePath(QStringLiteral(".%1.%2").arg(name).arg(
                QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
            int code = 0;
            m_file = disk::File::tryOpen(m_path, O_CREAT | O_EXCL, code);
            if (m_file.isOpen())
                return;
            if (code != EEXIST)
                throw WriteFailure{code};
        }
    }
    ~Temporary() {
        if (m_placed)
            return;
        m_file = disk::File();
        try {
            disk::remove(m_path);
        } catch (const StorageError &) {
            // The failure that brought us here is the one reported.
        }
    }
    Temporary(const Temporary &) = delete;
    Temporary &operator=(const Temporary &) = delete;

    const QString &path() const { return m_path; }
    disk::File &file() { return m_file; }
    void placed() { m_placed = true; }

private:
    QString m_path;
    disk::File m_file;
    bool m_placed = false;
};

} // namespace

void writeFile(const QString &folder, const QString &name, const QByteArray &bytes,
               const std::function<bool(const QByteArray &)> &verify) {
    const QString absolute = QDir(folder).absolutePath();
    try {
        Temporary temporary(absolute, name);
        temporary.file().write(0, bytes);
        temporary.file().sync();
        temporary.file().close();
        // Read back through a descriptor of its own, as a reader of the placed file would.
        int code = 0;
        const disk::File reader = disk::File::tryOpen(temporary.path(), 0, code, true);
        if (!reader.isOpen())
            throw WriteFailure{code};
        if (!verify(reader.readAll()))
            throw VerifyFailure{};
        disk::rename(temporary.path(), QDir(absolute).filePath(name));
        temporary.placed();
        disk::syncFolder(absolute);
    } catch (const StorageError &e) {
        throw WriteFailure{e.code() != 0 ? e.code() : EIO};
    }
}

} // namespace durable
