#include "exchange/tkc.h"

#include "store/errors.h"

#include <limits>

namespace {

// Wide enough for any line that fits in memory here: lines are capped far below 2^31 bytes by the
// archive reader, and 255 * n^2 stays within 63 bits for them.
qint64 tkcOf(QByteArrayView text) {
    qint64 sum = 0;
    qint64 position = 0;
    for (const char c : text) {
        if (c == '|')
            continue;
        ++position;
        sum += qint64(static_cast<unsigned char>(c)) * (position + 5);
    }
    return sum;
}

} // namespace

qint32 vypocitaj_TKC(QByteArrayView text) {
    const qint64 sum = tkcOf(text);
    if (sum > std::numeric_limits<qint32>::max())
        throw OverflowError(QStringLiteral("Pretečenie pri výpočte TKC"));
    return qint32(sum);
}

RecordCheck checkRecordLine(QByteArrayView line) {
    RecordCheck check;
    // The closing character is never examined; the stored TKC runs left from the one before it.
    qsizetype bar = line.size() - 2;
    while (bar >= 0 && line[bar] != '|')
        --bar;
    const qsizetype digitsFrom = bar + 1;
    const qsizetype digitsTo = qMax<qsizetype>(line.size() - 1, digitsFrom);
    for (qsizetype i = digitsFrom; i < digitsTo; ++i) {
        const char c = line[i];
        const char digit = (c >= '0' && c <= '9') ? c : '0';
        if (digit != '0' || !check.stored.isEmpty())
            check.stored.append(digit);
    }
    if (check.stored.isEmpty())
        check.stored = "0";
    check.storedFits = check.stored.size() <= 10 && check.stored.toLongLong() <= std::numeric_limits<qint32>::max();
    check.hasTkcField = bar >= 0;
    check.coveredLength = check.hasTkcField ? bar + 1 : 0;
    check.computed = tkcOf(line.first(check.coveredLength));
    return check;
}

QString RecordCheck::mismatchMessage() const {
    return QStringLiteral("TKC najdene: ") + QString::fromLatin1(stored) + QLatin1Char('\r') +
           QStringLiteral("TKC vypocitane: ") + QString::number(computed);
}
