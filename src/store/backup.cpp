#include "store/backup.h"

#include "store/datamodule.h"
#include "store/disk.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>

namespace {

// Removes the oldest backups so that, with the one being added, BACKUPS_KEPT remain.
void removeOldest(const QDir &backups) {
    const QStringList names = backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (qsizetype i = 0; i + BACKUPS_KEPT - 1 < names.size(); ++i) {
        const QDir old(backups.filePath(names[i]));
        for (const QString &file : old.entryList(QDir::Files | QDir::Hidden))
            disk::remove(old.filePath(file));
        disk::removeFolder(old.path());
    }
}

} // namespace

void backUpDistrict(DataModule &data, const QString &action) {
    const std::initializer_list<Table *> tables = {&data.TS1(), &data.TP1(), &data.TP1_ODLOZ()};
    // Tables that hold no record at all (a new installation) have nothing to keep.
    if (std::all_of(tables.begin(), tables.end(), [](Table *table) { return table->recordCount() == 0; }))
        return;
    Action step(data.store());
    const QDir backups(QDir(data.folder()).filePath(QString::fromLatin1(BACKUP_FOLDER)));
    removeOldest(backups);
    const QString base = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-")) + action;
    QString name = base;
    for (int n = 2; backups.exists(name); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    for (Table *table : tables)
        data.store().writeFile(
            QStringLiteral("%1/%2/%3").arg(QString::fromLatin1(BACKUP_FOLDER), name, table->schema().fileName),
            table->fileImage());
    step.commit();
}
