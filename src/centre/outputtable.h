#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

namespace centre {

// One table of the summary, kept as the text of its CSV file (UTF-8, a header line, fields quoted where
// they hold a comma, a quote or a line break) and as a JSON array of objects with the same column
// names, so that both say the same.
class OutputTable {
public:
    // A text, a number, or nothing (an empty field; null in JSON).
    using Cell = std::variant<std::monostate, QString, qint64>;

    explicit OutputTable(const QStringList &columns);
    void addRow(const std::vector<Cell> &cells); // one cell per column
    const QByteArray &csv() const { return m_csv; }
    // The JSON array, appended to out.
    void appendJson(QByteArray &out) const;

private:
    QList<QByteArray> m_keys; // the column names as JSON strings, each with its colon
    QByteArray m_csv;
    QByteArray m_json;
    qsizetype m_rows = 0;
};

} // namespace centre
