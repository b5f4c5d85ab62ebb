#pragma once

#include "store/change.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/tablefile.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <set>
#include <vector>

// A dBase table of character fields with a current record and an edit state.
//
// The whole file is read at open (one read) and held in memory. What a post or a whole-table
// replacement changes reaches the disk when the action it belongs to commits (Store); outside any action
// a post or a replacement commits by itself before it returns.
class Table : public QObject {
    Q_OBJECT
public:
    // A table of the store's folder.
    Table(const TableSchema &schema, Store &store);
    // A table on its own: its posts are written into its file and synced, without a journal.
    Table(const TableSchema &schema, const QString &folder);
    ~Table() override;

    const TableSchema &schema() const { return m_schema; }
    QString filePath() const { return m_path; }
    Store &store() { return *m_store; }

    void open();
    // Opens a table of a store held in memory alone with the records of its file, read once and only
    // read (the code lists of a district checked headless).
    void load();
    void close();
    bool isOpen() const { return m_open; }
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

    QString text(int position) const;
    QString text(const QString &name) const { return text(fieldIndex(name)); }
    // The field's text put at the end of to: many fields read into one string, without a string each.
    void appendText(int position, QString &to) const;
    // The field's text as the file holds it, in Windows-1250 without trailing blanks: valid until the
    // table next changes (a line of an exchange file is made of them).
    QByteArrayView storedText(int position) const;
    qint32 integer(int position) const;
    qint32 integer(const QString &name) const { return integer(fieldIndex(name)); }
    void setText(int position, const QString &text);
    void setText(const QString &name, const QString &value) { setText(fieldIndex(name), value); }
    // A field's text as the files hold it, in Windows-1250 (a value of an exchange file).
    void setStoredText(int position, QByteArrayView bytes);
    void setInteger(int position, qint32 value) { setText(position, QString::number(value)); }
    void setInteger(const QString &name, qint32 value) { setText(fieldIndex(name), QString::number(value)); }
    // The shown record's bytes, every field at its width in the order of the layout; and a record of the
    // same layout put into the edit buffer whole (a copy between P1 and its working tables).
    QByteArray record() const;
    void setRecord(const QByteArray &record);

    // The table file as its committed content would be written anew: a copy for a backup.
    QByteArray fileImage() const;

signals:
    // The current record moved, was posted or the content was replaced: bound controls refresh.
    void changed();

private:
    friend class Store;
    friend class TableRewrite;
    enum class State { Browse, Edit, Insert };

    // Where the table stood when the current action began, and what it held when the action first
    // changed its records.
    struct Position {
        int current;
        State state;
        QByteArray buffer;
    };
    struct Snapshot {
        std::vector<QByteArray> records;
        std::vector<int> fileRows;
        int fileRowCount;
    };

    const QByteArray &shownRecord() const;
    QString textOf(const QByteArray &record, int position) const;
    QByteArrayView fieldBytes(const QByteArray &record, int position) const; // without trailing blanks
    void requireOpen() const;
    void requireField(int position) const;
    static constexpr int WHOLE_RECORD = -1;
    void requireEditState(int position) const;  // the field that would be written, or WHOLE_RECORD
    char *editedField(int position);            // in the edit buffer, which it owns alone
    void finishField(int position, int stored); // blanks for controls and for the rest of the width
    void leaveEditState();                      // navigation posts a pending edit first
    void clearContent();
    QString tableName() const;

    // The store's side: the change the current action made, and its outcome.
    void actionStarts();
    void actionEnds();
    void beginChange();
    std::optional<TableChange> pendingChange() const;
    void prepareFile(const TableChange &change);
    void committed(bool replaced);
    void restore();
    void writeChange(const TableChange &change);
    void bringFileUpToDate();
    void syncFile() const;

    TableSchema m_schema;
    QString m_path;
    std::unique_ptr<Store> m_ownStore; // a table on its own
    Store *m_store;
    std::vector<int> m_offsets;        // offset of each field within a record (without the deletion flag)
    int m_recordLength = 0;            // sum of the widths
    std::vector<QByteArray> m_records; // the records, in file order, without deleted ones
    std::vector<int> m_fileRows;       // row of each record within the file
    int m_fileRowCount = 0;            // rows of the file, deleted ones included
    int m_current = -1;                // index into m_records, -1 when empty
    State m_state = State::Browse;
    QByteArray m_buffer;
    bool m_open = false;
    std::optional<TableFile> m_file;    // none while closed, or before a table created when first written
    std::optional<Position> m_start;    // during an action
    std::optional<Snapshot> m_snapshot; // while the current action has changed the table
    std::set<int> m_dirty;              // records posted within the current action
    bool m_replaced = false;            // emptied within the current action
    bool m_fileBehind = false;          // a write of a committed change failed: the file is written anew
};

// A field's text as Table::integer reads it: ConversionError when it is empty or not a decimal number.
qint32 integerValue(QStringView text);

// Replaces the whole content of a table as one action: the table is emptied in memory at once; the file
// keeps its old content until commit(). Leaving the scope without commit() (an error stopped the
// operation) brings the old content back, standing on its first record.
class TableRewrite {
public:
    explicit TableRewrite(Table &table);
    TableRewrite(const TableRewrite &) = delete;
    TableRewrite &operator=(const TableRewrite &) = delete;
    void commit();

private:
    Table &m_table;
    Action m_action;
};
