#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// What one action changes on disk, as the journal records it and the table files receive it.

// New content of rows of one table file. The rows are field bytes without the deletion flag.
struct TableChange {
    QString fileName;     // the table's file within the data folder
    bool replace = false; // the rows are the whole new content, rows 0..rowCount-1
    int rowCount = 0;     // rows of the file afterwards, deleted ones included
    struct Row {
        int row;
        QByteArray bytes;
    };
    std::vector<Row> rows;
};

// A whole file written beside the tables (a backup copy), by its path within the data folder.
struct FileWrite {
    QString path;
    QByteArray content;
};

struct Commit {
    std::vector<TableChange> tables;
    std::vector<FileWrite> files;
    bool isEmpty() const { return tables.empty() && files.empty(); }
};

// The journal's record of a commit: a header with a sequence number and a checksum, then the changes.
namespace journalformat {
constexpr int HEADER = 24;
QByteArray encode(const Commit &commit, quint64 sequence);
// The commit at `offset` of the journal's bytes, with its sequence number and its length on disk;
// nothing when no complete, intact record starts there.
struct Decoded {
    Commit commit;
    quint64 sequence;
    qsizetype length;
};
std::optional<Decoded> decode(const QByteArray &journal, qsizetype offset);
// The length on disk of the record whose header (HEADER bytes at least) the bytes begin with; nothing
// when they begin no record.
std::optional<qsizetype> recordLength(const QByteArray &header);
} // namespace journalformat
