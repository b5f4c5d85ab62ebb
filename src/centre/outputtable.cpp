#include "centre/outputtable.h"

namespace centre {

namespace {

void appendCsvField(QByteArray &out, const QByteArray &utf8) {
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r')) {
        out += utf8;
        return;
    }
    out += '"';
    out += QByteArray(utf8).replace("\"", "\"\"");
    out += '"';
}

void appendJsonString(QByteArray &out, const QByteArray &utf8) {
    out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

} // namespace

OutputTable::OutputTable(const QStringList &columns) {
    for (const QString &column : columns) {
        const QByteArray utf8 = column.toUtf8();
        if (!m_csv.isEmpty())
            m_csv += ',';
        appendCsvField(m_csv, utf8);
        QByteArray key;
        appendJsonString(key, utf8);
        m_keys.append(key + ':');
    }
    m_csv += '\n';
}

void OutputTable::addRow(const std::vector<Cell> &cells) {
    m_json += m_rows++ == 0 ? "[\n{" : ",\n{";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            m_csv += ',';
            m_json += ',';
        }
        m_json += m_keys[qsizetype(i)];
        if (const QString *text = std::get_if<QString>(&cells[i])) {
            const QByteArray utf8 = text->toUtf8();
            appendCsvField(m_csv, utf8);
            appendJsonString(m_json, utf8);
        } else if (const qint64 *number = std::get_if<qint64>(&cells[i])) {
            const QByteArray digits = QByteArray::number(*number);
            m_csv += digits;
            m_json += digits;
        } else {
            m_json += "null";
        }
    }
    m_csv += '\n';
    m_json += '}';
}

void OutputTable::appendJson(QByteArray &out) const {
    if (m_rows == 0) {
        out += "[]";
        return;
    }
    out += m_json;
    out += "\n]";
}

} // namespace centre
