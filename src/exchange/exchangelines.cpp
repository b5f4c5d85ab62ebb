#include "exchange/exchangelines.h"

#include "exchange/tkc.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

#include <array>
#include <numeric>

namespace exchange {

const QList<int> &sFieldPositions() {
    static const QList<int> positions = [] {
        QList<int> p;
        for (int i = 0; i <= 8; ++i) // TYPV .. PPHS
            p.append(i);
        for (int n = 1; n <= form::ballotParties; ++n)
            p.append(schemas::S1_PPHPS1 + n - 1);
        for (int i = schemas::S1_KC1; i <= schemas::S1_KC1 + 7; ++i) // KC1, KC2, KC3, KTO, KEDY, DATUM, CAS, STAV
            p.append(i);
        return p;
    }();
    return positions;
}

void appendRecordLine(const QList<QByteArrayView> &values, QByteArray &to) {
    const qsizetype start = to.size();
    for (const QByteArrayView value : values) {
        to += value;
        to += '|';
    }
    to += QByteArray::number(vypocitaj_TKC(QByteArrayView(to).sliced(start)));
    to += '|';
}

namespace {

// The stored texts of a table's current record at the positions given. A table holds only text that
// Windows-1250 defines, so its stored bytes are what encoding its texts would give.
template <typename Positions> QList<QByteArrayView> storedTexts(const Table &table, const Positions &positions) {
    QList<QByteArrayView> values;
    values.reserve(qsizetype(std::size(positions)));
    for (const int position : positions)
        values.append(table.storedText(position));
    return values;
}

} // namespace

QList<QByteArrayView> cutRecordLine(QByteArrayView line) {
    const RecordCheck check = checkRecordLine(line);
    QList<QByteArrayView> values;
    qsizetype start = 0;
    for (qsizetype i = 0; i < check.coveredLength; ++i) {
        if (line[i] == '|') {
            values.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    return values;
}

QByteArray sFileContent(Table &s1) {
    s1.first();
    QByteArray line;
    appendRecordLine(storedTexts(s1, sFieldPositions()), line);
    return line;
}

QByteArray pFileContent(Table &p1) {
    static const std::array<int, P_VALUES> positions = [] {
        std::array<int, P_VALUES> all{};
        std::iota(all.begin(), all.end(), 0);
        return all;
    }();
    QByteArray content;
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r) {
        appendRecordLine(storedTexts(p1, positions), content);
        content += "\r\n";
        p1.next();
    }
    return content;
}

QList<QByteArray> textLines(const QByteArray &content) {
    QList<QByteArray> lines = content.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // nothing after the last line end (or an empty file)
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArray firstTextLine(const QByteArray &content) {
    QByteArray line = content.left(content.indexOf('\n') >= 0 ? content.indexOf('\n') : content.size());
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

Names names(const QString &obec, const QString &okrsok) {
    const QString suffix = obec + QLatin1Char('.') + okrsok;
    return {QStringLiteral("S") + suffix, QStringLiteral("P") + suffix, QStringLiteral("VQ") + suffix};
}

Names names(Table &s1) {
    s1.first();
    return names(s1.text(QStringLiteral("OBEC")), s1.text(QStringLiteral("OKRSOK")));
}

} // namespace exchange
