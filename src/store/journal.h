#pragma once

#include "store/change.h"
#include "store/disk.h"

#include <QString>

#include <vector>

// The write-ahead journal beside the tables. Every commit is written as one record and synced before
// the tables receive it: that sync is the commit point of an action. Records follow one another with
// consecutive sequence numbers from the start of the file; the first record that is incomplete, damaged
// or out of sequence ends the journal. After a checkpoint (every table synced) writing starts again at
// the beginning with the next sequence number, so that old records left behind never continue the
// journal. The file is laid out once, filled with zeros, so that a commit overwrites and never grows it.
class Journal {
public:
    static constexpr const char *FILE_NAME = "zurnal.dat";

    explicit Journal(const QString &folder);

    // The commits written since the last checkpoint, in order; reads the file once, and places the
    // next record after them. Nothing when the file does not exist.
    std::vector<Commit> pending();

    // Whether a commit of that encoded size fits behind the records written since the last checkpoint.
    bool fits(qsizetype size) const { return m_position + size <= m_size; }
    // The record of a commit, numbered as the next one.
    QByteArray encode(const Commit &commit) const { return journalformat::encode(commit, m_sequence); }
    // Writes the record and syncs the journal. On failure the record is made invalid again, so that a
    // half-written or unsynced record never counts, and the error is raised.
    void append(const QByteArray &record);
    // After a checkpoint: the next record goes to the start of the file.
    void restart() { m_position = 0; }
    // Marks the journal empty at its start, durably (a clean end, or the tables brought up to date).
    void clear();
    // Whether anything was written since the journal was read.
    bool written() const { return m_written; }

private:
    void prepare(qsizetype size);

    QString m_path;
    QString m_folder;
    disk::File m_file;
    qint64 m_size = 0;
    qint64 m_position = 0;
    quint64 m_sequence = 1;
    bool m_written = false;
};
