#include "exchange/exchangelines.h"

#include "exchange/tkc.h"
#include "store/codec.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

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

QByteArray recordLine(const QStringList &values) {
    QByteArray line;
    for (const QString &value : values) {
        line += cp1250::encode(value);
        line += '|';
    }
    line += QByteArray::number(vypocitaj_TKC(line));
    line += '|';
    return line;
}

QList<QByteArray> cutRecordLine(QByteArrayView line) {
    const RecordCheck check = checkRecordLine(line);
    QList<QByteArray> values;
    qsizetype start = 0;
    for (qsizetype i = 0; i < check.coveredLength; ++i) {
        if (line[i] == '|') {
            values.append(line.sliced(start, i - start).toByteArray());
            start = i + 1;
        }
    }
    return values;
}

QByteArray sFileContent(Table &s1) {
    s1.first();
    QStringList values;
    for (const int position : sFieldPositions())
        values.append(s1.text(position));
    return recordLine(values);
}

QByteArray pFileContent(Table &p1) {
    QByteArray content;
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r) {
        QStringList values;
        for (int k = 0; k < P_VALUES; ++k)
            values.append(p1.text(k));
        content += recordLine(values);
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
