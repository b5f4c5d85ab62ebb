#include "store/tablefile.h"

#include "store/codec.h"
#include "store/errors.h"

#include <QDate>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>

namespace {

constexpr int FILE_HEADER = 32;
constexpr int DESCRIPTOR = 32;
constexpr char END_OF_FILE = 0x1A;
constexpr quint8 WINDOWS_1250 = 0xC8; // language driver 200

[[noreturn]] void fail(const QString &path, const QString &what) {
    throw StorageError(QStringLiteral("Tabuľka %1: %2").arg(disk::displayName(path), what));
}

[[noreturn]] void damagedHeader(const QString &path, const QString &why) {
    fail(path, QStringLiteral("súbor nie je tabuľka dBase, jeho hlavička je poškodená alebo neúplná (%1).").arg(why));
}

int recordLength(const TableSchema &schema) {
    int length = 1;
    for (const FieldDef &f : schema.fields)
        length += f.width;
    return length;
}

struct Descriptor {
    QString name;
    char type;
    int width;
};

// The field descriptors up to the terminator, as far as the header length reaches.
std::vector<Descriptor> descriptors(const QByteArray &bytes, int headerLength) {
    std::vector<Descriptor> fields;
    const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
    for (int at = FILE_HEADER; at + DESCRIPTOR <= headerLength && raw[at] != 0x0D; at += DESCRIPTOR) {
        const QByteArray name(bytes.constData() + at, qstrnlen(bytes.constData() + at, 11));
        const char type = char(raw[at + 11]);
        // Character fields may be wider than 255: their width continues in the decimals byte.
        const int width = type == 'N' || type == 'F' ? raw[at + 16] : raw[at + 16] + 256 * raw[at + 17];
        fields.push_back({QString::fromLatin1(name), type, width});
    }
    return fields;
}

// The header must describe exactly the schema's fields, all of type C, in order.
void validateFields(const std::vector<Descriptor> &found, const QString &path, const TableSchema &schema) {
    const int count = int(found.size());
    for (int i = 0; i < int(schema.fields.size()); ++i) {
        const FieldDef &want = schema.fields[i];
        if (i >= count)
            fail(path, QStringLiteral("chýba pole %1.").arg(want.name));
        if (found[i].name.compare(want.name, Qt::CaseInsensitive) != 0) {
            int elsewhere = -1;
            for (int j = 0; j < count && elsewhere < 0; ++j)
                if (found[j].name.compare(want.name, Qt::CaseInsensitive) == 0)
                    elsewhere = j;
            if (elsewhere < 0)
                fail(path, QStringLiteral("chýba pole %1.").arg(want.name));
            fail(path, QStringLiteral("pole %1 je na %2. mieste, má byť na %3. mieste.")
                           .arg(want.name)
                           .arg(elsewhere + 1)
                           .arg(i + 1));
        }
        if (found[i].type != 'C' || found[i].width != want.width)
            fail(path, QStringLiteral("pole %1 má typ %2 a šírku %3, má byť znakové (C) so šírkou %4.")
                           .arg(want.name, QString(QChar::fromLatin1(found[i].type)))
                           .arg(found[i].width)
                           .arg(want.width));
    }
    if (count > int(schema.fields.size()))
        fail(path, QStringLiteral("obsahuje nečakané pole %1.").arg(found[schema.fields.size()].name));
}

// The bytes a field may hold: Windows-1250 text without control characters. Looked up rather than
// decided byte by byte: the code lists' thousands of records are checked at every start.
const std::array<bool, 256> &textBytes() {
    static const std::array<bool, 256> text = [] {
        std::array<bool, 256> bytes{};
        for (int b = 0; b < 256; ++b)
            bytes[b] = b >= 0x20 && b != 0x7F && cp1250::isDefined(static_cast<unsigned char>(b));
        return bytes;
    }();
    return text;
}

void validateRecord(const QByteArray &record, int row, const QString &path, const TableSchema &schema) {
    const std::array<bool, 256> &text = textBytes();
    const auto *bytes = reinterpret_cast<const unsigned char *>(record.constData());
    int offset = 0;
    for (const FieldDef &f : schema.fields) {
        for (int i = offset; i < offset + f.width; ++i) {
            const unsigned char b = bytes[i];
            if (!text[b])
                fail(path, QStringLiteral("záznam %1, pole %2 obsahuje bajt 0x%3, ktorý nie je text Windows-1250.")
                               .arg(row + 1)
                               .arg(f.name)
                               .arg(b, 2, 16, QChar('0')));
        }
        offset += f.width;
    }
}

void setDateAndCount(QByteArray &header, int rowCount) {
    const QDate today = QDate::currentDate();
    header[1] = char(today.year() - 1900);
    header[2] = char(today.month());
    header[3] = char(today.day());
    qToLittleEndian<quint32>(quint32(rowCount), header.data() + 4);
}

} // namespace

QByteArray newTableHeader(const TableSchema &schema) {
    const int headerLength = FILE_HEADER + DESCRIPTOR * int(schema.fields.size()) + 1;
    QByteArray header(headerLength, '\0');
    header[0] = 0x03;
    setDateAndCount(header, 0);
    qToLittleEndian<quint16>(quint16(headerLength), header.data() + 8);
    qToLittleEndian<quint16>(quint16(recordLength(schema)), header.data() + 10);
    header[29] = char(WINDOWS_1250);
    char *at = header.data() + FILE_HEADER;
    for (const FieldDef &f : schema.fields) {
        for (qsizetype i = 0; i < std::min<qsizetype>(f.name.size(), 10); ++i)
            at[i] = f.name[i].toLatin1();
        at[11] = 'C';
        at[16] = char(f.width % 256);
        at[17] = char(f.width / 256);
        at += DESCRIPTOR;
    }
    *at = 0x0D;
    return header;
}

TableFile TableFile::openForRecovery(const QString &path, const TableSchema &schema) {
    std::vector<QByteArray> records;
    std::vector<int> rows;
    return open(path, schema, records, rows, Access::Recovery);
}

TableFile TableFile::open(const QString &path, const TableSchema &schema, std::vector<QByteArray> &records,
                          std::vector<int> &rows, Access access) {
    TableFile table;
    int code = 0;
    table.m_file = disk::File::tryOpen(path, 0, code, access == Access::ReadOnly);
    if (!table.m_file.isOpen()) {
        if (code == ENOENT)
            fail(path, QStringLiteral("súbor neexistuje."));
        if (code == EISDIR || QFileInfo(path).isDir())
            fail(path, QStringLiteral("nie je to súbor."));
        fail(path, QStringLiteral("súbor sa nedá otvoriť na %1 (%2).")
                       .arg(access == Access::ReadOnly ? QStringLiteral("čítanie") : QStringLiteral("čítanie a zápis"),
                            disk::errorText(code)));
    }
    const QByteArray bytes = table.m_file.readAll();
    if (bytes.size() < FILE_HEADER)
        damagedHeader(path, QStringLiteral("súbor má %1 bajtov").arg(bytes.size()));
    const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
    const qint64 count = qint32(qFromLittleEndian<quint32>(raw + 4));
    const int headerLength = qFromLittleEndian<quint16>(raw + 8);
    const int length = qFromLittleEndian<quint16>(raw + 10);
    if (headerLength < FILE_HEADER + 1 || headerLength > bytes.size())
        damagedHeader(path, QStringLiteral("dĺžka hlavičky %1").arg(headerLength));

    validateFields(descriptors(bytes, headerLength), path, schema);
    if (length != recordLength(schema))
        fail(path, QStringLiteral("dĺžka záznamu v hlavičke (%1) nezodpovedá poliam.").arg(length));
    table.m_header = bytes.left(headerLength);
    table.m_recordLength = length;
    // A file caught in the middle of a write (the journal rewrites it) is read for its layout alone.
    if (access == Access::Recovery) {
        table.m_rowCount = int(qBound<qint64>(0, count, (bytes.size() - headerLength) / length));
        table.m_written = false;
        return table;
    }
    if (count < 0 || bytes.size() < headerLength + count * length)
        fail(path, QStringLiteral("súbor je kratší, ako udáva jeho hlavička (%1 záznamov).").arg(count));
    table.m_rowCount = int(count);
    records.clear();
    rows.clear();
    for (int row = 0; row < count; ++row) {
        const char *at = bytes.constData() + headerLength + qint64(row) * length;
        if (at[0] == '*') { // deleted in another program: not part of the table
            table.m_deleted.emplace(row, QByteArray(at, length));
            continue;
        }
        if (at[0] != ' ')
            fail(path, QStringLiteral("záznam %1 je poškodený.").arg(row + 1));
        QByteArray record(at + 1, length - 1);
        validateRecord(record, row, path, schema);
        records.push_back(std::move(record));
        rows.push_back(row);
    }
    return table;
}

void TableFile::create(const QString &path, const TableSchema &schema) {
    const QString temporary = path + QStringLiteral("~nova");
    disk::File file = disk::File::open(temporary, O_CREAT | O_TRUNC);
    try {
        file.write(0, newTableHeader(schema) + END_OF_FILE);
        file.sync();
        file.close();
        disk::rename(temporary, path);
    } catch (...) {
        disk::remove(temporary);
        throw;
    }
    disk::syncFolder(QFileInfo(path).path());
}

qint64 TableFile::sizeFor(int rowCount) const {
    return m_header.size() + qint64(rowCount) * m_recordLength + 1;
}

void TableFile::reserve(const TableChange &change) const {
    m_unsynced = true;
    m_file.reserve(sizeFor(change.rowCount));
}

void TableFile::sync() const {
    if (!m_unsynced)
        return;
    m_file.sync();
    m_unsynced = false;
}

// The order of the writes keeps the file a well-formed table at every moment, should the process be
// killed in the middle: the records first, then the record count in the header, then the end of the file.
// Of the header only its first eight bytes (date and record count) ever change.
void TableFile::apply(const TableChange &change) {
    const auto damaged = [this] { fail(path(), QStringLiteral("zmena z denníka nezodpovedá súboru.")); };
    if (change.rowCount < 0)
        damaged();
    for (std::size_t i = 0; i < change.rows.size(); ++i) {
        const TableChange::Row &row = change.rows[i];
        if (row.row < 0 || row.row >= change.rowCount || row.bytes.size() != m_recordLength - 1 ||
            (change.replace && row.row != int(i)))
            damaged();
    }
    if (change.replace && int(change.rows.size()) != change.rowCount)
        damaged();

    // What the file is to hold is settled first: a write that fails leaves it to rewrite() to finish.
    if (change.replace)
        m_deleted.clear();
    m_rowCount = change.rowCount;
    m_unsynced = true;
    // Rows that follow one another (all of a replacement, the appends of an action) go in one write.
    for (std::size_t i = 0; i < change.rows.size();) {
        const int first = change.rows[i].row;
        QByteArray run;
        for (; i < change.rows.size() && change.rows[i].row == first + int(run.size() / m_recordLength); ++i)
            run.append(' ').append(change.rows[i].bytes);
        m_file.write(m_header.size() + qint64(first) * m_recordLength, run);
    }
    finishWrite();
}

void TableFile::rewrite(const std::vector<QByteArray> &records, const std::vector<int> &rows) {
    std::vector<QByteArray> all(m_rowCount, QByteArray(m_recordLength, ' '));
    for (const auto &[row, bytes] : m_deleted)
        if (row < m_rowCount)
            all[row] = bytes;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (rows[i] < m_rowCount)
            all[rows[i]] = ' ' + records[i];
    QByteArray bytes;
    bytes.reserve(qsizetype(m_rowCount) * m_recordLength);
    for (const QByteArray &row : all)
        bytes += row;
    m_unsynced = true;
    m_file.write(m_header.size(), bytes);
    m_written = false; // the header and the end are written whatever they held
    finishWrite();
}

ChangeCheck::ChangeCheck(const QString &path, const TableSchema &schema, int rowCount)
    : m_path(path), m_schema(schema), m_rowCount(rowCount), m_intact(rowCount) {}

void ChangeCheck::add(const TableChange &change) {
    const auto damaged = [this] { fail(m_path, QStringLiteral("zmena z denníka nezodpovedá súboru.")); };
    const int length = recordLength(m_schema) - 1;
    if (change.rowCount < 0 || (change.replace && qsizetype(change.rows.size()) != change.rowCount))
        damaged();
    for (std::size_t i = 0; i < change.rows.size(); ++i) {
        const TableChange::Row &row = change.rows[i];
        if (row.row < 0 || row.row >= change.rowCount || row.bytes.size() != length ||
            (change.replace && row.row != int(i)))
            damaged();
        validateRecord(row.bytes, row.row, m_path, m_schema);
    }
    if (change.replace) {
        m_intact = 0;
        m_written.clear();
    }
    for (const TableChange::Row &row : change.rows)
        m_written.insert(row.row);
    // Rows cut off are gone from the file: growing again, it holds nothing there until a change writes.
    m_rowCount = change.rowCount;
    m_intact = qMin(m_intact, m_rowCount);
    m_written.erase(m_written.lower_bound(m_rowCount), m_written.end());
}

void ChangeCheck::finish() const {
    const auto writtenAbove = std::distance(m_written.lower_bound(m_intact), m_written.end());
    if (m_intact + writtenAbove < m_rowCount)
        fail(m_path, QStringLiteral("denník necháva v súbore riadky, ktoré nezapísal."));
}

void TableFile::finishWrite() {
    QByteArray changing = m_header.left(8);
    setDateAndCount(changing, m_rowCount);
    if (!m_written || changing != m_header.left(8))
        m_file.write(0, changing);
    m_header.replace(0, 8, changing);
    const qint64 end = sizeFor(m_rowCount);
    if (!m_written || m_file.size() != end) {
        m_file.write(end - 1, QByteArray(1, END_OF_FILE));
        m_file.truncate(end);
    }
    m_written = true;
}
