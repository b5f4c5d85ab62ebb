#include "store/change.h"

#include <QtEndian>

#include <zlib.h>

namespace journalformat {

namespace {

constexpr char MAGIC[4] = {'V', 'Q', 'Z', '1'};
enum Kind : quint8 { Update = 1, Replace = 2, File = 3 };
// No action writes anything near this: a larger length is damage, not a record.
constexpr quint32 MAX_PAYLOAD = 256u * 1024 * 1024;

template <typename T> void put(QByteArray &out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, sizeof(T));
}

void putBytes(QByteArray &out, const QByteArray &bytes) {
    put<quint32>(out, quint32(bytes.size()));
    out.append(bytes);
}

quint32 checksum(const char *data, qsizetype size, quint32 crc = 0) {
    return quint32(::crc32(crc, reinterpret_cast<const Bytef *>(data), uInt(size)));
}

// Reads the payload front to back; any read past its end makes the whole record invalid.
class Reader {
public:
    Reader(const char *data, qsizetype size) : m_data(data), m_size(size) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_size; }
    template <typename T> T get() {
        if (!take(sizeof(T)))
            return T();
        return qFromLittleEndian<T>(m_data + m_at - qsizetype(sizeof(T)));
    }
    QByteArray bytes(quint32 length) {
        if (!take(length))
            return QByteArray();
        return QByteArray(m_data + m_at - length, length);
    }
    QByteArray sized() { return bytes(get<quint32>()); }

private:
    bool take(quint64 length) {
        if (!m_ok || length > quint64(m_size - m_at)) {
            m_ok = false;
            return false;
        }
        m_at += qsizetype(length);
        return true;
    }
    const char *m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
    bool m_ok = true;
};

} // namespace

QByteArray encode(const Commit &commit, quint64 sequence) {
    QByteArray payload;
    put<quint32>(payload, quint32(commit.tables.size() + commit.files.size()));
    for (const TableChange &table : commit.tables) {
        put<quint8>(payload, table.replace ? Replace : Update);
        putBytes(payload, table.fileName.toUtf8());
        put<quint32>(payload, quint32(table.rowCount));
        put<quint32>(payload, quint32(table.rows.size()));
        for (const TableChange::Row &row : table.rows) {
            put<quint32>(payload, quint32(row.row));
            putBytes(payload, row.bytes);
        }
    }
    for (const FileWrite &file : commit.files) {
        put<quint8>(payload, File);
        putBytes(payload, file.path.toUtf8());
        putBytes(payload, file.content);
    }

    QByteArray record;
    record.reserve(HEADER + payload.size());
    record.append(MAGIC, 4);
    put<quint32>(record, quint32(payload.size()));
    put<quint64>(record, sequence);
    const quint32 crc = checksum(payload.constData(), payload.size(), checksum(record.constData() + 4, 12));
    put<quint32>(record, crc);
    put<quint32>(record, 0);
    record.append(payload);
    return record;
}

std::optional<qsizetype> recordLength(const QByteArray &header) {
    if (header.size() < HEADER || !header.startsWith(QByteArray::fromRawData(MAGIC, 4)))
        return std::nullopt;
    const quint32 length = qFromLittleEndian<quint32>(header.constData() + 4);
    if (length > MAX_PAYLOAD)
        return std::nullopt;
    return HEADER + qsizetype(length);
}

std::optional<Decoded> decode(const QByteArray &journal, qsizetype offset) {
    if (offset < 0)
        return std::nullopt;
    const std::optional<qsizetype> recorded = recordLength(journal.mid(offset, HEADER));
    if (!recorded || journal.size() - offset < *recorded)
        return std::nullopt;
    const char *header = journal.constData() + offset;
    const quint32 length = quint32(*recorded - HEADER);
    const quint64 sequence = qFromLittleEndian<quint64>(header + 8);
    const quint32 crc = qFromLittleEndian<quint32>(header + 16);
    const char *payload = header + HEADER;
    if (checksum(payload, length, checksum(header + 4, 12)) != crc)
        return std::nullopt;

    Reader in(payload, length);
    Commit commit;
    const quint32 items = in.get<quint32>();
    for (quint32 i = 0; in.ok() && i < items; ++i) {
        const quint8 kind = in.get<quint8>();
        const QString name = QString::fromUtf8(in.sized());
        if (kind == File) {
            commit.files.push_back({name, in.sized()});
            continue;
        }
        if (kind != Update && kind != Replace)
            return std::nullopt;
        TableChange table{name, kind == Replace, int(in.get<quint32>()), {}};
        const quint32 rows = in.get<quint32>();
        for (quint32 r = 0; in.ok() && r < rows; ++r) {
            const int row = int(in.get<quint32>());
            table.rows.push_back({row, in.sized()});
        }
        commit.tables.push_back(std::move(table));
    }
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return Decoded{std::move(commit), sequence, HEADER + qsizetype(length)};
}

} // namespace journalformat
