#include "centre/restore.h"

#include "store/backup.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/folderlock.h"
#include "store/schema.h"
#include "store/table.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

// A table of the backup, read once; the attachments set aside may be missing (none were ever set aside).
std::unique_ptr<Table> readBackupTable(const TableSchema &schema, const QString &folder) {
    auto table = std::make_unique<Table>(schema, folder);
    if (!QFileInfo::exists(QDir(folder).filePath(schema.fileName))) {
        if (!schema.createdWhenFirstWritten)
            throw InputOutputError(
                u"V zálohe %1 chýba súbor %2."_s.arg(QDir::toNativeSeparators(folder), schema.fileName));
        table->open(); // empty: the file is laid out only by a first write
        return table;
    }
    table->load();
    return table;
}

void replaceRecords(Table &to, Table &from) {
    TableRewrite rewrite(to);
    from.first();
    for (int r = 0; r < from.recordCount(); ++r, from.next()) {
        to.append();
        for (int k = 0; k < from.fieldCount(); ++k)
            to.setText(k, from.text(k));
        to.post();
    }
    rewrite.commit();
}

} // namespace

void restoreBackup(const QString &backupFolder, const QString &dataFolder) {
    if (!QFileInfo(backupFolder).isDir())
        throw InputOutputError(u"Záloha %1 nie je priečinok."_s.arg(QDir::toNativeSeparators(backupFolder)));
    const FolderLock lock(dataFolder);
    const auto s1 = readBackupTable(schemas::S1(), backupFolder);
    const auto p1 = readBackupTable(schemas::P1(), backupFolder);
    const auto aside = readBackupTable(schemas::P1_odlozene(), backupFolder);

    DataModule data(dataFolder);
    Action action(data.store());
    backUpDistrict(data, u"obnova"_s);
    replaceRecords(data.TS1(), *s1);
    replaceRecords(data.TP1(), *p1);
    replaceRecords(data.TP1_ODLOZ(), *aside);
    action.commit();
}

} // namespace centre
