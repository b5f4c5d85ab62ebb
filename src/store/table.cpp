#include "store/table.h"

#include "store/codec.h"
#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <limits>

Table::Table(const TableSchema &schema, Store &store)
    : m_schema(schema), m_path(QDir(store.folder()).filePath(schema.fileName)), m_store(&store) {
    int offset = 0;
    for (const FieldDef &f : m_schema.fields) {
        m_offsets.push_back(offset);
        offset += f.width;
    }
    m_recordLength = offset;
    m_store->add(*this);
}

Table::Table(const TableSchema &schema, const QString &folder)
    : Table(schema, *new Store(folder, Store::Durability::Direct)) {
    m_ownStore.reset(m_store);
}

Table::~Table() = default;

void Table::load() {
    std::vector<QByteArray> records;
    std::vector<int> rows;
    TableFile::open(m_path, m_schema, records, rows, TableFile::Access::ReadOnly);
    m_records = std::move(records);
    m_fileRows = std::move(rows);
    m_fileRowCount = m_fileRows.empty() ? 0 : m_fileRows.back() + 1;
    m_open = true;
    m_current = m_records.empty() ? -1 : 0;
    m_state = State::Browse;
    emit changed();
}

QString Table::tableName() const {
    return disk::displayName(m_path);
}

void Table::open() {
    if (isOpen())
        return;
    std::vector<QByteArray> records;
    std::vector<int> rows;
    if (m_store->memoryOnly() || (m_schema.createdWhenFirstWritten && !QFile::exists(m_path))) {
        m_file.reset();
    } else {
        m_file = TableFile::open(m_path, m_schema, records, rows);
    }
    m_records = std::move(records);
    m_fileRows = std::move(rows);
    m_fileRowCount = m_file ? m_file->rowCount() : 0;
    m_open = true;
    m_current = m_records.empty() ? -1 : 0;
    m_state = State::Browse;
    emit changed();
}

void Table::close() {
    m_file.reset();
    m_open = false;
    m_records.clear();
    m_fileRows.clear();
    m_fileRowCount = 0;
    m_current = -1;
    m_state = State::Browse;
    m_snapshot.reset();
    m_dirty.clear();
    m_replaced = false;
}

void Table::clearContent() {
    beginChange();
    m_records.clear();
    m_fileRows.clear();
    m_fileRowCount = 0;
    m_dirty.clear();
    m_replaced = true;
    m_current = -1;
    m_state = State::Browse;
    emit changed();
}

void Table::empty() {
    requireOpen();
    Action action(*m_store);
    clearContent();
    action.commit();
}

void Table::requireOpen() const {
    if (!isOpen())
        throw StorageError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(tableName()));
}

void Table::requireField(int position) const {
    if (position < 0 || position >= fieldCount())
        throw StorageError(QStringLiteral("Tabuľka %1 nemá pole č. %2.").arg(tableName()).arg(position));
}

int Table::recordCount() const {
    return int(m_records.size());
}

void Table::leaveEditState() {
    if (inEditState())
        post();
}

void Table::first() {
    requireOpen();
    leaveEditState();
    m_current = m_records.empty() ? -1 : 0;
    emit changed();
}

void Table::next() {
    moveBy(1);
}
void Table::prior() {
    moveBy(-1);
}

void Table::moveBy(int n) {
    requireOpen();
    leaveEditState();
    if (m_records.empty())
        return;
    const qint64 target = std::clamp<qint64>(qint64(m_current) + n, 0, qint64(m_records.size()) - 1);
    m_current = int(target);
    emit changed();
}

int Table::recordNumber() const {
    if (m_state == State::Insert)
        return recordCount() + 1;
    return m_current + 1;
}

bool Table::locate(const QString &field, const QString &value) {
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

void Table::edit() {
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

void Table::append() {
    requireOpen();
    leaveEditState();
    m_buffer = QByteArray(m_recordLength, ' ');
    m_state = State::Insert;
}

void Table::post() {
    requireOpen();
    if (!inEditState())
        throw StorageError(
            QStringLiteral("Tabuľka %1 nie je v režime úprav; záznam sa nedá zapísať.").arg(tableName()));
    Action action(*m_store);
    beginChange();
    if (m_state == State::Insert) {
        m_records.push_back(m_buffer);
        m_fileRows.push_back(m_fileRowCount++);
        m_current = recordCount() - 1;
    } else {
        m_records[m_current] = m_buffer;
    }
    m_dirty.insert(m_current);
    m_state = State::Browse;
    // A failing commit rolls the table back into the edit state with the values it was given.
    action.commit();
    emit changed();
}

void Table::cancel() {
    if (!inEditState())
        return;
    m_state = State::Browse;
    emit changed();
}

int Table::fieldIndex(const QString &name) const {
    const int position = m_schema.indexOf(name);
    if (position < 0)
        throw StorageError(QStringLiteral("Tabuľka %1 nemá pole %2.").arg(tableName(), name));
    return position;
}

const QByteArray &Table::shownRecord() const {
    static const QByteArray none;
    if (inEditState())
        return m_buffer;
    return m_current >= 0 ? m_records[m_current] : none;
}

QByteArrayView Table::fieldBytes(const QByteArray &record, int position) const {
    if (record.isEmpty())
        return {};
    const char *begin = record.constData() + m_offsets[position];
    int length = m_schema.fields[position].width;
    while (length > 0 && begin[length - 1] == ' ')
        --length;
    return QByteArrayView(begin, length);
}

QString Table::textOf(const QByteArray &record, int position) const {
    return cp1250::decode(fieldBytes(record, position));
}

QString Table::text(int position) const {
    requireField(position);
    return textOf(shownRecord(), position);
}

void Table::appendText(int position, QString &to) const {
    requireField(position);
    cp1250::appendDecoded(fieldBytes(shownRecord(), position), to);
}

QByteArrayView Table::storedText(int position) const {
    requireField(position);
    return fieldBytes(shownRecord(), position);
}

namespace {

// A field's text as a signed 32-bit decimal: leading blanks and a sign are allowed, as the decimal
// conversion of the forms always allowed them. False for anything else.
template <typename Char> bool parseInteger(const Char *text, qsizetype size, qint32 &result) {
    qsizetype i = 0;
    while (i < size && text[i] == Char(' '))
        ++i;
    const bool negative = i < size && text[i] == Char('-');
    if (i < size && (text[i] == Char('-') || text[i] == Char('+')))
        ++i;
    bool ok = i < size;
    qint64 number = 0;
    for (; ok && i < size; ++i) {
        ok = text[i] >= Char('0') && text[i] <= Char('9');
        number = number * 10 + (text[i] - Char('0'));
        ok = ok && number <= qint64(std::numeric_limits<qint32>::max()) + 1;
    }
    if (negative)
        number = -number;
    if (!ok || number > std::numeric_limits<qint32>::max())
        return false;
    result = qint32(number);
    return true;
}

} // namespace

qint32 Table::integer(int position) const {
    requireField(position);
    // The stored bytes first: a number is ASCII, the same in Windows-1250, and needs no decoded copy.
    const QByteArrayView stored = fieldBytes(shownRecord(), position);
    qint32 result = 0;
    if (parseInteger(stored.data(), stored.size(), result))
        return result;
    return integerValue(text(position));
}

qint32 integerValue(QStringView text) {
    qint32 result = 0;
    if (!parseInteger(reinterpret_cast<const char16_t *>(text.utf16()), text.size(), result))
        throw ConversionError(QStringLiteral("'%1' nie je platná celočíselná hodnota").arg(text));
    return result;
}

void Table::setText(int position, const QString &value) {
    char *field = editedField(position);
    // Encoded straight into the edit buffer: a regeneration or an import sets tens of thousands of fields.
    finishField(position, cp1250::encodeInto(value, field, m_schema.fields[position].width));
}

void Table::setStoredText(int position, QByteArrayView bytes) {
    char *field = editedField(position);
    const int stored = int(std::min<qsizetype>(bytes.size(), m_schema.fields[position].width));
    // What decoding and encoding again would store: an undefined byte becomes "?".
    for (int i = 0; i < stored; ++i)
        field[i] = cp1250::isDefined(static_cast<unsigned char>(bytes[i])) ? bytes[i] : '?';
    finishField(position, stored);
}

char *Table::editedField(int position) {
    requireField(position);
    requireEditState(position);
    return m_buffer.data() + m_offsets[position];
}

void Table::finishField(int position, int stored) {
    char *field = m_buffer.data() + m_offsets[position];
    // A table file holds text only: a control character (a tab or line end from pasted or imported
    // text) is stored as a blank, so that the file can always be opened again.
    for (int i = 0; i < stored; ++i)
        if (static_cast<unsigned char>(field[i]) < 0x20 || field[i] == 0x7F)
            field[i] = ' ';
    std::fill(field + stored, field + m_schema.fields[position].width, ' ');
}

QByteArray Table::record() const {
    requireOpen();
    return shownRecord();
}

void Table::setRecord(const QByteArray &record) {
    requireEditState(WHOLE_RECORD);
    if (record.size() != m_recordLength)
        throw StorageError(
            QStringLiteral("Záznam s dĺžkou %1 sa nedá zapísať do tabuľky %2.").arg(record.size()).arg(tableName()));
    m_buffer = record;
}

void Table::requireEditState(int position) const {
    requireOpen();
    if (inEditState())
        return;
    const QString what =
        position == WHOLE_RECORD ? QStringLiteral("záznam") : QStringLiteral("pole ") + m_schema.fields[position].name;
    throw StorageError(QStringLiteral("Tabuľka %1 nie je v režime úprav; %2 sa nedá zapísať.").arg(tableName(), what));
}

QByteArray Table::fileImage() const {
    const std::vector<QByteArray> &records = m_snapshot ? m_snapshot->records : m_records;
    QByteArray image = newTableHeader(m_schema);
    qToLittleEndian<quint32>(quint32(records.size()), image.data() + 4);
    image.reserve(image.size() + qsizetype(records.size()) * (m_recordLength + 1) + 1);
    for (const QByteArray &record : records)
        image.append(' ').append(record);
    return image.append('\x1A');
}

// ---- the store's side ----------------------------------------------------------------------------------

void Table::actionStarts() {
    m_start = Position{m_current, m_state, m_buffer};
}

void Table::actionEnds() {
    m_start.reset();
    m_snapshot.reset();
    m_dirty.clear();
    m_replaced = false;
}

void Table::beginChange() {
    if (m_snapshot)
        return;
    m_snapshot = Snapshot{m_records, m_fileRows, m_fileRowCount};
    m_store->touch(*this);
}

std::optional<TableChange> Table::pendingChange() const {
    if (!m_snapshot)
        return std::nullopt;
    TableChange change{m_schema.fileName, m_replaced, m_fileRowCount, {}};
    if (m_replaced) {
        // An emptied and refilled table that holds what it held needs no write (nor loses deleted rows).
        if (m_records == m_snapshot->records && m_snapshot->fileRowCount == int(m_snapshot->records.size()))
            return std::nullopt;
        for (std::size_t i = 0; i < m_records.size(); ++i)
            change.rows.push_back({int(i), m_records[i]});
        change.rowCount = int(m_records.size());
        return change;
    }
    for (int i : m_dirty) {
        const bool same = std::size_t(i) < m_snapshot->records.size() && m_snapshot->records[i] == m_records[i];
        if (!same)
            change.rows.push_back({m_fileRows[i], m_records[i]});
    }
    if (change.rows.empty() && change.rowCount == m_snapshot->fileRowCount)
        return std::nullopt;
    return change;
}

void Table::prepareFile(const TableChange &change) {
    if (!m_file) {
        TableFile::create(m_path, m_schema);
        std::vector<QByteArray> none;
        std::vector<int> rows;
        m_file = TableFile::open(m_path, m_schema, none, rows);
    }
    m_file->reserve(change);
}

void Table::committed(bool replaced) {
    if (replaced) {
        for (int i = 0; i < recordCount(); ++i)
            m_fileRows[i] = i;
        m_fileRowCount = recordCount();
    }
}

void Table::restore() {
    if (!m_start)
        return;
    const bool replaced = m_replaced;
    if (m_snapshot) {
        m_records = std::move(m_snapshot->records);
        m_fileRows = std::move(m_snapshot->fileRows);
        m_fileRowCount = m_snapshot->fileRowCount;
    }
    m_current = m_start->current;
    m_state = m_start->state;
    m_buffer = m_start->buffer;
    // An abandoned replacement reads the old content back from its start, as a table opened anew.
    if (replaced) {
        m_current = m_records.empty() ? -1 : 0;
        m_state = State::Browse;
    }
    actionEnds();
    emit changed();
}

void Table::writeChange(const TableChange &change) {
    try {
        m_file->apply(change);
    } catch (...) {
        m_fileBehind = true;
        throw;
    }
}

void Table::bringFileUpToDate() {
    if (!m_fileBehind || !m_file)
        return;
    // The committed content: what the table held before the action now under way changed it.
    m_file->rewrite(m_snapshot ? m_snapshot->records : m_records, m_snapshot ? m_snapshot->fileRows : m_fileRows);
    m_fileBehind = false;
}

void Table::syncFile() const {
    if (m_file)
        m_file->sync();
}

// ---- whole-table replacement ----------------------------------------------------------------------------

TableRewrite::TableRewrite(Table &table) : m_table(table), m_action(table.store()) {
    m_table.requireOpen();
    m_table.clearContent();
}

void TableRewrite::commit() {
    if (m_table.inEditState())
        m_table.post();
    m_action.commit();
    m_table.m_current = m_table.m_records.empty() ? -1 : 0;
    emit m_table.changed();
}
