#pragma once

#include <QString>

class DataModule;

// Before an action that destroys figures (the wipe, the zeroing of an attachment, an import), copies of
// the district's tables (S1, P1 and the attachments set aside) in data/zaloha/<date>-<time>-<action>/,
// written with that action's commit, so that they are durable together with it. The newest
// BACKUPS_KEPT backups are kept. A district whose tables hold no record at all is not backed up.
constexpr int BACKUPS_KEPT = 20;
void backUpDistrict(DataModule &data, const QString &action);

// The folder of the backups within the data folder.
inline constexpr const char *BACKUP_FOLDER = "zaloha";
