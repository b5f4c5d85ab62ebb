#pragma once

#include "store/change.h"
#include "store/disk.h"
#include "store/schema.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <set>
#include <vector>

// The file of one table: a dBase file of character fields, read whole with one read and written in
// place through the disk seam. Records here are the field bytes without the deletion flag.
class TableFile {
public:
    // Opens and validates the file against the schema; StorageError names the file on any fault.
    // The live records in file order, and the file row of each (rows deleted by another program are
    // skipped, and kept as they are).
    enum class Access {
        ReadWrite,
        ReadOnly, // to read the records once, never to write
        Recovery, // the layout alone: the journal is about to bring the records up to date
    };
    static TableFile open(const QString &path, const TableSchema &schema, std::vector<QByteArray> &records,
                          std::vector<int> &rows, Access access = Access::ReadWrite);
    // The same for a file that the journal is about to bring up to date after a crash: only its layout
    // (the header and the fields) must be sound; its records may be caught in the middle of a write.
    static TableFile openForRecovery(const QString &path, const TableSchema &schema);
    // Lays out a new, empty table file in place of any file of that path: written beside it, synced,
    // renamed over it, and the folder synced.
    static void create(const QString &path, const TableSchema &schema);

    const QString &path() const { return m_file.path(); }
    int rowCount() const { return m_rowCount; }
    qint64 sizeFor(int rowCount) const;

    // Makes room on the disk for the file as a change leaves it, before anything is committed.
    void reserve(const TableChange &change) const;
    // Writes a change into the file (without syncing it).
    void apply(const TableChange &change);
    // Writes the whole file anew from the live records and their rows, keeping deleted rows: after a
    // change whose writing failed.
    void rewrite(const std::vector<QByteArray> &records, const std::vector<int> &rows);
    // Makes what was written durable; a file not written since its last sync needs nothing.
    void sync() const;

private:
    TableFile() = default;
    void finishWrite(); // the record count, then the end of the file

    disk::File m_file;
    QByteArray m_header;    // as read, with its record count and date updated by every write
    int m_recordLength = 0; // with the deletion flag
    int m_rowCount = 0;
    std::map<int, QByteArray> m_deleted; // rows deleted by another program, with their flag
    bool m_written = true;               // the header and the end are as m_header and m_rowCount say
    mutable bool m_unsynced = false;     // written (or a write tried) since the last sync
};

// The changes of a journal to one table file, followed before any of them is written, so that a journal
// that does not fit the file is refused while every file is as it was: each change must be a change the
// file can take (rows within the rows it leaves, records of the schema's text, a replacement whole and in
// order), and every row the last one leaves must be a row of the file as found or one a change wrote.
class ChangeCheck {
public:
    // The file as found, with its rows (none for a file laid out by its first commit).
    ChangeCheck(const QString &path, const TableSchema &schema, int rowCount);
    void add(const TableChange &change);
    void finish() const;

private:
    QString m_path;
    const TableSchema &m_schema;
    int m_rowCount;
    int m_intact;            // the rows below this one are still those of the file as found
    std::set<int> m_written; // rows a change wrote, below m_rowCount
};

// The header and field descriptors of a new, empty table of the schema, marked Windows-1250.
QByteArray newTableHeader(const TableSchema &schema);
