#include "store/backup.h"

#include "store/datamodule.h"
#include "store/disk.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-");

// A backup's place in time: the second it was made in, then its number within that second (the first
// has none and counts as 1, the next ones end in "-2", "-3", ...). By name alone "-10" would come before
// "-2".
struct Made {
    QString second;
    int number = 1;
    bool operator<(const Made &other) const {
        return second != other.second ? second < other.second : number < other.number;
    }
};

Made made(const QString &name) {
    Made m{name.left(kTimeFormat.size()), 1};
    const qsizetype dash = name.lastIndexOf(u'-');
    bool numbered = false;
    const int number = dash >= m.second.size() ? name.mid(dash + 1).toInt(&numbered) : 0;
    if (numbered && number > 1)
        m.number = number;
    return m;
}

// Removes the oldest backups so that, with the one being added, BACKUPS_KEPT remain.
void removeOldest(const QDir &backups, const QFileInfoList &entries) {
    std::vector<std::pair<Made, QString>> kept;
    for (const QFileInfo &entry : entries)
        if (entry.isDir() && !entry.isHidden())
            kept.emplace_back(made(entry.fileName()), entry.fileName());
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i + BACKUPS_KEPT - 1 < kept.size(); ++i) {
        const QDir old(backups.filePath(kept[i].second));
        for (const QString &file : old.entryList(QDir::Files | QDir::Hidden))
            disk::remove(old.filePath(file));
        disk::removeFolder(old.path());
    }
}

// The name of a new backup: numbered after every other of the same second, so that its name is new and
// places it last, even after the oldest of that second were removed.
QString newName(const QString &action, const QFileInfoList &entries) {
    const QString second = QDateTime::currentDateTime().toString(kTimeFormat);
    int last = 0;
    for (const QFileInfo &entry : entries)
        if (entry.fileName().startsWith(second))
            last = std::max(last, made(entry.fileName()).number);
    return last == 0 ? second + action : second + action + QStringLiteral("-%1").arg(last + 1);
}

} // namespace

void backUpDistrict(DataModule &data, const QString &action) {
    const std::initializer_list<Table *> tables = {&data.TS1(), &data.TP1(), &data.TP1_ODLOZ()};
    // Tables that hold no record at all (a new installation) have nothing to keep.
    if (std::all_of(tables.begin(), tables.end(), [](Table *table) { return table->recordCount() == 0; }))
        return;
    Action step(data.store());
    const QDir backups(QDir(data.folder()).filePath(QString::fromLatin1(BACKUP_FOLDER)));
    const QFileInfoList entries =
        backups.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    const QString name = newName(action, entries);
    removeOldest(backups, entries);
    for (Table *table : tables)
        data.store().writeFile(
            QStringLiteral("%1/%2/%3").arg(QString::fromLatin1(BACKUP_FOLDER), name, table->schema().fileName),
            table->fileImage());
    step.commit();
}
