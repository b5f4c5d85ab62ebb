#pragma once

#include "store/schema.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class Table;
struct DbfFile;

// A field of the current record (or of the record being edited).
class Field {
public:
    Field(Table &table, int position) : m_table(&table), m_position(position) {}
    int position() const { return m_position; }
    QString name() const;
    int width() const;
    QString asString() const;   // trailing blanks removed, leading blanks kept
    qint32 asInteger() const;   // decimal text; empty or other text raises ConversionError
    void setString(const QString &text) const; // cut to the width; needs the edit state
    void setInteger(qint32 value) const;

private:
    Table *m_table;
    int m_position;
};

// A dBase table of character fields with a current record and an edit state.
//
// The whole file is read at open and held in memory. Every post writes its record in place and syncs
// the file before it returns. Replacing the whole content (empty, then appends) goes through
// TableRewrite: the new content is written to a new file which is renamed over the old one, so a
// crash leaves either the old or the new table on disk.
class Table : public QObject {
    Q_OBJECT
public:
    Table(const TableSchema &schema, const QString &folder);
    ~Table() override;

    const TableSchema &schema() const { return m_schema; }
    QString filePath() const { return m_path; }

    void open();
    void close();
    bool isOpen() const;
    void empty(); // close, empty, open

    int recordCount() const;
    void first();
    void next();
    void prior();
    void moveBy(int n);
    int recordNumber() const; // from 1; 0 when the table has no record
    bool locate(const QString &field, const QString &value);

    void edit();
    void append();
    void post();
    void cancel();
    bool inEditState() const { return m_state != State::Browse; }

    int fieldCount() const { return int(m_schema.fields.size()); }
    int fieldIndex(const QString &name) const; // StorageError when the table has no such field
    Field field(int position);
    Field fieldByName(const QString &name);

    QString text(int position) const;
    QString text(const QString &name) const { return text(fieldIndex(name)); }
    qint32 integer(int position) const;
    qint32 integer(const QString &name) const { return integer(fieldIndex(name)); }
    void setText(int position, const QString &text);
    void setText(const QString &name, const QString &value) { setText(fieldIndex(name), value); }
    void setInteger(int position, qint32 value) { setText(position, QString::number(value)); }
    void setInteger(const QString &name, qint32 value) { setText(fieldIndex(name), QString::number(value)); }

signals:
    // The current record moved, was posted or the content was replaced: bound controls refresh.
    void changed();

private:
    friend class TableRewrite;
    enum class State { Browse, Edit, Insert };

    QByteArray &editBuffer();
    const QByteArray &shownRecord() const;
    QString textOf(const QByteArray &record, int position) const;
    void requireOpen() const;
    void requireField(int position) const;
    void leaveEditState(); // navigation posts a pending edit first
    void writeWholeFile(const std::vector<QByteArray> &records);
    QString tableName() const;

    TableSchema m_schema;
    QString m_path;
    std::vector<int> m_offsets;         // offset of each field within a record (without the deletion flag)
    int m_recordLength = 0;             // sum of the widths
    std::vector<QByteArray> m_records;  // the stored records, in file order, without deleted ones
    std::vector<int> m_fileRows;        // row of each record within the file
    int m_current = -1;                 // index into m_records, -1 when empty
    State m_state = State::Browse;
    QByteArray m_buffer;
    DbfFile *m_file = nullptr;          // null while closed or inside a rewrite
    bool m_rewriting = false;
};

// Replaces the whole content of a table as one step: the table is emptied in memory at once; the file
// keeps its old content until commit(), which writes the new file and renames it over the old one.
// Leaving the scope without commit() (an error stopped the operation) brings the old content back.
class TableRewrite {
public:
    explicit TableRewrite(Table &table);
    ~TableRewrite();
    TableRewrite(const TableRewrite &) = delete;
    TableRewrite &operator=(const TableRewrite &) = delete;
    void commit();

private:
    Table &m_table;
    bool m_done = false;
};
