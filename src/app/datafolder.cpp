#include "datafolder.h"

#include "exchange/durablefile.h"
#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void failed(const QString &folder, int code) {
    throw InputOutputError(u"Priečinok údajov %1 sa nepodarilo pripraviť, kód chyby = %2"_s.arg(folder).arg(code));
}

void syncFolder(const QString &folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        failed(folder, errno);
    const int result = ::fsync(fd);
    const int code = errno;
    ::close(fd);
    if (result != 0)
        failed(folder, code);
}

void copyTables(const QString &from, const QString &to) {
    const QFileInfoList files = QDir(from).entryInfoList(QDir::Files);
    if (files.isEmpty())
        failed(from, ENOENT);
    for (const QFileInfo &file : files) {
        QFile source(file.filePath());
        if (!source.open(QIODevice::ReadOnly))
            failed(from, EIO);
        const QByteArray content = source.readAll();
        if (source.error() != QFileDevice::NoError || content.size() != file.size())
            failed(from, EIO);
        try {
            durable::writeFile(to, file.fileName(), content,
                               [&content](const QByteArray &written) { return written == content; });
        } catch (const durable::WriteFailure &f) {
            failed(to, f.code);
        } catch (const durable::VerifyFailure &) {
            failed(to, EIO);
        }
    }
}

} // namespace

Installation findInstallation(const QString &programFolder, const QString &installedRelative) {
    const QDir program(programFolder);
    if (program.exists(u"reporty"_s))
        return {program.absolutePath(), true};
    return {QDir::cleanPath(program.absoluteFilePath(installedRelative)), false};
}

QString prepareDataFolder(const Installation &installation, const QString &userFolder) {
    const QString shipped = QDir(installation.folder).filePath(u"data"_s);
    if (installation.beside && QFileInfo(shipped).isWritable())
        return shipped;

    const QString data = QDir(userFolder).filePath(u"data"_s);
    if (QFileInfo(data).isDir())
        return data;
    // A copy cut short by an earlier start lies in data.new: it is begun anew.
    const QString partial = QDir(userFolder).filePath(u"data.new"_s);
    if (QFileInfo::exists(partial) && !QDir(partial).removeRecursively())
        failed(partial, EIO);
    errno = 0;
    if (!QDir().mkpath(userFolder))
        failed(userFolder, errno != 0 ? errno : EIO); // the last mkdir's error, where Qt left it
    if (::mkdir(QFile::encodeName(partial).constData(), 0755) != 0)
        failed(partial, errno);
    copyTables(shipped, partial);
    if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(data).constData()) != 0)
        failed(data, errno);
    syncFolder(userFolder);
    return data;
}
