#include "store/tablefiles.h"

#include "store/tablefile.h"

#include <QDir>

void createTableFile(const QString &folder, const TableSchema &schema) {
    TableFile::create(QDir(folder).filePath(schema.fileName), schema);
}

void createTableFiles(const QString &folder) {
    for (const TableSchema *schema : schemas::all())
        createTableFile(folder, *schema);
}
