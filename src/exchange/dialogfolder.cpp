#include "exchange/dialogfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

QString blockName(const QString &device) {
    return device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : QString();
}

// A partition's own folder has no "removable"; its disk's folder, the parent, has.
bool isRemovable(const QString &sysClassBlock, const QString &name) {
    const QFileInfo entry(QDir(sysClassBlock).filePath(name));
    const QDir device(entry.canonicalFilePath());
    for (const QString &candidate :
         {device.filePath(QStringLiteral("removable")), device.filePath(QStringLiteral("../removable"))}) {
        QFile flag(candidate);
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

} // namespace

QString initialDialogFolder(const QList<MountedVolume> &volumes, const QString &sysClassBlock, const QString &home) {
    for (const MountedVolume &v : volumes) {
        if (blockName(v.device).startsWith(QLatin1String("fd")))
            return v.rootPath;
    }
    for (const MountedVolume &v : volumes) {
        const QString name = blockName(v.device);
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')) && isRemovable(sysClassBlock, name))
            return v.rootPath;
    }
    return home;
}

QString initialDialogFolder() {
    QList<MountedVolume> volumes;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (storage.isValid() && storage.isReady())
            volumes.append({storage.rootPath(), QString::fromLocal8Bit(storage.device())});
    }
    return initialDialogFolder(volumes, QStringLiteral("/sys/class/block"), QDir::homePath());
}
