#pragma once

#include <QString>

namespace centre {

// Puts a backup of the district program (a folder zaloha/<date>-<time>-<action>/ with S1.DBF, P1.DBF and
// P1_odlozene.DBF) back into a data folder: with the folder's lock held, as one action of its store,
// after a backup of the district it replaces (action "obnova"). The backup is read whole before anything
// is written. AlreadyRunning when a program works on the folder; StorageError or InputOutputError, in
// Slovak, when the backup or the folder cannot be read or written; the folder is then as it was.
void restoreBackup(const QString &backupFolder, const QString &dataFolder);

} // namespace centre
