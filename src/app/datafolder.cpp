#include "datafolder.h"

#include "exchange/durablefile.h"
#include "store/disk.h"
#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void failed(const QString &folder, int code) {
    throw InputOutputError(u"Priečinok údajov %1 sa nepodarilo pripraviť, kód chyby = %2"_s.arg(folder).arg(code));
}

// The store's file calls, with this step's own message.
template <typename F> void step(const QString &path, F &&call) {
    try {
        call();
    } catch (const StorageError &e) {
        failed(path, e.code() != 0 ? e.code() : EIO);
    }
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
    step(partial, [&] { disk::makeFolder(partial); });
    copyTables(shipped, partial);
    step(data, [&] { disk::rename(partial, data); });
    step(userFolder, [&] { disk::syncFolder(userFolder); });
    return data;
}
