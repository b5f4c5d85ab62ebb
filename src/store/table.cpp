#include "store/table.h"

#include "store/codec.h"
#include "store/dbffile.h"
#include "store/errors.h"

#include <QDir>

#include <algorithm>
#include <limits>

QString Field::name() const { return m_table->schema().fields[m_position].name; }
int Field::width() const { return m_table->schema().fields[m_position].width; }
QString Field::asString() const { return m_table->text(m_position); }
qint32 Field::asInteger() const { return m_table->integer(m_position); }
void Field::setString(const QString &text) const { m_table->setText(m_position, text); }
void Field::setInteger(qint32 value) const { m_table->setInteger(m_position, value); }

Table::Table(const TableSchema &schema, const QString &folder)
    : m_schema(schema), m_path(QDir(folder).filePath(schema.fileName))
{
    int offset = 0;
    for (const FieldDef &f : m_schema.fields) {
        m_offsets.push_back(offset);
        offset += f.width;
    }
    m_recordLength = offset;
}

Table::~Table() { delete m_file; }

QString Table::tableName() const { return dbfDisplayName(m_path); }

void Table::open()
{
    if (isOpen())
        return;
    auto *file = new DbfFile(m_path, m_schema);
    try {
        file->readAll(m_records, m_fileRows);
    } catch (...) {
        delete file;
        m_records.clear();
        m_fileRows.clear();
        throw;
    }
    m_file = file;
    m_current = m_records.empty() ? -1 : 0;
    m_state = State::Browse;
    emit changed();
}

void Table::close()
{
    delete m_file;
    m_file = nullptr;
    m_rewriting = false;
    m_records.clear();
    m_fileRows.clear();
    m_current = -1;
    m_state = State::Browse;
}

bool Table::isOpen() const { return m_file || m_rewriting; }

void Table::empty()
{
    requireOpen();
    if (m_rewriting) {
        m_records.clear();
        m_fileRows.clear();
        m_current = -1;
        m_state = State::Browse;
        emit changed();
        return;
    }
    TableRewrite rewrite(*this);
    rewrite.commit();
}

void Table::requireOpen() const
{
    if (!isOpen())
        throw StorageError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(tableName()));
}

void Table::requireField(int position) const
{
    if (position < 0 || position >= fieldCount())
        throw StorageError(QStringLiteral("Tabuľka %1 nemá pole č. %2.").arg(tableName()).arg(position));
}

int Table::recordCount() const { return int(m_records.size()); }

void Table::leaveEditState()
{
    if (inEditState())
        post();
}

void Table::first()
{
    requireOpen();
    leaveEditState();
    m_current = m_records.empty() ? -1 : 0;
    emit changed();
}

void Table::next() { moveBy(1); }
void Table::prior() { moveBy(-1); }

void Table::moveBy(int n)
{
    requireOpen();
    leaveEditState();
    if (m_records.empty())
        return;
    const qint64 target = std::clamp<qint64>(qint64(m_current) + n, 0, qint64(m_records.size()) - 1);
    m_current = int(target);
    emit changed();
}

int Table::recordNumber() const
{
    if (m_state == State::Insert)
        return recordCount() + 1;
    return m_current + 1;
}

bool Table::locate(const QString &field, const QString &value)
{
    requireOpen();
    const int position = fieldIndex(field);
    leaveEditState();
    for (int i = 0; i < recordCount(); ++i) {
        if (textOf(m_records[i], position) == value) {
            m_current = i;
            emit changed();
            return true;
        }
    }
    return false;
}

void Table::edit()
{
    requireOpen();
    if (inEditState())
        return;
    if (m_records.empty()) {
        append();
        return;
    }
    m_buffer = m_records[m_current];
    m_state = State::Edit;
}

void Table::append()
{
    requireOpen();
    leaveEditState();
    m_buffer = QByteArray(m_recordLength, ' ');
    m_state = State::Insert;
}

void Table::post()
{
    requireOpen();
    if (!inEditState())
        throw StorageError(QStringLiteral("Tabuľka %1 nie je v režime úprav; záznam sa nedá zapísať.").arg(tableName()));
    const bool inserting = m_state == State::Insert;
    // The file first: when the write fails the record stays in edit state and memory keeps the stored state.
    int row = -1;
    if (m_file) {
        row = inserting ? m_file->rowCount() : m_fileRows[m_current];
        m_file->write(row, m_buffer);
    }
    if (inserting) {
        m_records.push_back(m_buffer);
        m_fileRows.push_back(row);
        m_current = recordCount() - 1;
    } else {
        m_records[m_current] = m_buffer;
    }
    m_state = State::Browse;
    emit changed();
}

void Table::cancel()
{
    if (!inEditState())
        return;
    m_state = State::Browse;
    emit changed();
}

int Table::fieldIndex(const QString &name) const
{
    const int position = m_schema.indexOf(name);
    if (position < 0)
        throw StorageError(QStringLiteral("Tabuľka %1 nemá pole %2.").arg(tableName(), name));
    return position;
}

Field Table::field(int position)
{
    requireField(position);
    return Field(*this, position);
}

Field Table::fieldByName(const QString &name) { return Field(*this, fieldIndex(name)); }

const QByteArray &Table::shownRecord() const
{
    static const QByteArray none;
    if (inEditState())
        return m_buffer;
    return m_current >= 0 ? m_records[m_current] : none;
}

QString Table::textOf(const QByteArray &record, int position) const
{
    if (record.isEmpty())
        return QString();
    const char *begin = record.constData() + m_offsets[position];
    int length = m_schema.fields[position].width;
    while (length > 0 && begin[length - 1] == ' ')
        --length;
    return cp1250::decode(QByteArray::fromRawData(begin, length));
}

QString Table::text(int position) const
{
    requireField(position);
    return textOf(shownRecord(), position);
}

qint32 Table::integer(int position) const
{
    const QString value = text(position);
    // Leading blanks and a sign are allowed, as the decimal conversion of the forms always allowed them.
    qsizetype i = 0;
    while (i < value.size() && value[i] == u' ')
        ++i;
    const bool negative = i < value.size() && value[i] == u'-';
    if (i < value.size() && (value[i] == u'-' || value[i] == u'+'))
        ++i;
    bool ok = i < value.size();
    qint64 number = 0;
    for (; ok && i < value.size(); ++i) {
        ok = value[i] >= u'0' && value[i] <= u'9';
        number = number * 10 + (value[i].unicode() - u'0');
        ok = ok && number <= qint64(std::numeric_limits<qint32>::max()) + 1;
    }
    if (negative)
        number = -number;
    if (!ok || number > std::numeric_limits<qint32>::max())
        throw ConversionError(QStringLiteral("'%1' nie je platná celočíselná hodnota").arg(value));
    return qint32(number);
}

void Table::setText(int position, const QString &value)
{
    requireOpen();
    requireField(position);
    if (!inEditState())
        throw StorageError(QStringLiteral("Tabuľka %1 nie je v režime úprav; pole %2 sa nedá zapísať.")
                               .arg(tableName(), m_schema.fields[position].name));
    const int width = m_schema.fields[position].width;
    QByteArray bytes = cp1250::encode(value).left(width);
    // A table file holds text only: a control character (a tab or line end from pasted or imported
    // text) is stored as a blank, so that the file can always be opened again.
    for (char &b : bytes)
        if (static_cast<unsigned char>(b) < 0x20 || b == 0x7F)
            b = ' ';
    bytes.append(QByteArray(width - bytes.size(), ' '));
    m_buffer.replace(m_offsets[position], width, bytes);
}

TableRewrite::TableRewrite(Table &table) : m_table(table)
{
    m_table.requireOpen();
    if (m_table.m_rewriting)
        throw StorageError(QStringLiteral("Tabuľka %1 sa už prepisuje.").arg(m_table.tableName()));
    // close, empty, open: the file stays as it is until commit
    delete m_table.m_file;
    m_table.m_file = nullptr;
    m_table.m_rewriting = true;
    m_table.m_records.clear();
    m_table.m_fileRows.clear();
    m_table.m_current = -1;
    m_table.m_state = Table::State::Browse;
    emit m_table.changed();
}

void TableRewrite::commit()
{
    if (m_done)
        return;
    if (m_table.inEditState())
        m_table.post();
    DbfFile::replace(m_table.m_path, m_table.m_schema, m_table.m_records);
    m_done = true;
    m_table.m_rewriting = false;
    m_table.m_file = new DbfFile(m_table.m_path, m_table.m_schema);
    for (int i = 0; i < m_table.recordCount(); ++i)
        m_table.m_fileRows[i] = i;
    m_table.m_current = m_table.m_records.empty() ? -1 : 0;
    emit m_table.changed();
}

TableRewrite::~TableRewrite()
{
    if (m_done)
        return;
    // Abandoned: the file still holds the old content; show it again.
    m_table.m_rewriting = false;
    m_table.m_state = Table::State::Browse;
    try {
        m_table.open();
    } catch (const VolbyError &) {
        // The error that abandoned the rewrite is the one the user sees; the table stays closed.
    }
}
