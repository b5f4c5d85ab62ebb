#include "centre/outputtable.h"

namespace centre {

namespace {

QByteArray csvField(const QString &text) {
    QByteArray utf8 = text.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    return '"' + utf8.replace("\"", "\"\"") + '"';
}

QByteArray jsonString(const QString &text) {
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out +=
                    QByteArray("\\u00") + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out + '"';
}

} // namespace

OutputTable::OutputTable(const QStringList &columns) {
    QList<QByteArray> header;
    for (const QString &column : columns) {
        header.append(csvField(column));
        m_keys.append(jsonString(column));
    }
    m_csv = header.join(',') + '\n';
}

void OutputTable::addRow(const std::vector<Cell> &cells) {
    m_json += m_rows++ == 0 ? "[\n{" : ",\n{";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        QByteArray csv;
        QByteArray json = "null";
        if (const QString *text = std::get_if<QString>(&cells[i])) {
            csv = csvField(*text);
            json = jsonString(*text);
        } else if (const qint64 *number = std::get_if<qint64>(&cells[i])) {
            csv = json = QByteArray::number(*number);
        }
        if (i > 0) {
            m_csv += ',';
            m_json += ',';
        }
        m_csv += csv;
        m_json += m_keys[qsizetype(i)] + ':' + json;
    }
    m_csv += '\n';
    m_json += '}';
}

} // namespace centre
