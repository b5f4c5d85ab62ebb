#pragma once

#include "store/schema.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The file side of a table: a dBase file of character fields read and written through shapelib, with
// I/O hooks that make every header update durable (the file is synced before it returns).
// Records here are the field bytes without the deletion flag.
struct DbfFile {
    // Opens and validates the file against the schema; StorageError names the file on any fault.
    DbfFile(const QString &path, const TableSchema &schema);
    ~DbfFile();
    DbfFile(const DbfFile &) = delete;
    DbfFile &operator=(const DbfFile &) = delete;

    // The live records in file order, and the file row of each (deleted rows are skipped).
    void readAll(std::vector<QByteArray> &records, std::vector<int> &rows) const;
    int rowCount() const;
    // Writes one record at a row (a row equal to rowCount() appends) and syncs the file.
    void write(int row, const QByteArray &record);

    // Writes a complete table to a new file beside `path` and renames it over `path`, syncing the file
    // and its folder, so that after a crash the path holds either the old or the new table.
    static void replace(const QString &path, const TableSchema &schema, const std::vector<QByteArray> &records);

    QString path;
    const TableSchema &schema;
    void *handle = nullptr; // DBFHandle
};

QString dbfDisplayName(const QString &path);
