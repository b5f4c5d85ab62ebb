#pragma once

#include <QList>
#include <QString>

// The folder in which the export, import and code-list dialogs open: a diskette drive where one is
// mounted, otherwise the first mounted removable medium, otherwise the home folder.
QString initialDialogFolder();

// The rule itself, over a given list of mounted volumes and a given /sys/class/block.
struct MountedVolume {
    QString rootPath;
    QString device; // "/dev/sdb1"; anything else is not a block device
};
QString initialDialogFolder(const QList<MountedVolume> &volumes, const QString &sysClassBlock, const QString &home);
