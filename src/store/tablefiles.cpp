#include "store/tablefiles.h"

#include "store/dbffile.h"

#include <QDir>

void createTableFile(const QString &folder, const TableSchema &schema)
{
    DbfFile::replace(QDir(folder).filePath(schema.fileName), schema, {});
}

void createTableFiles(const QString &folder)
{
    for (const TableSchema *schema : schemas::all())
        createTableFile(folder, *schema);
}
