#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class Table;

// The S file (the protocol record) and the P file (one line per attachment record) of the exchange:
// Windows-1250 record lines "v1|v2|...|vn|TKC|".

namespace exchange {

constexpr int S_VALUES = 38;      // TYPV .. PPHPS21, KC1 .. KC3, KTO, KEDY, DATUM, CAS, STAV
constexpr int P_VALUES = 162;     // every field of P1 but KCT
constexpr int P_MAX_VALUES = 163; // a reader also takes KCT

// Positions in S1 of the 38 values of the S line, in line order.
const QList<int> &sFieldPositions();

// The values (Windows-1250), each followed by "|", then their TKC and "|", at the end of to.
void appendRecordLine(const QList<QByteArrayView> &values, QByteArray &to);

// The values of a line that passed the record check: the stored TKC and the closing "|" are cut away,
// every "|" of the rest ends one value. Empty for a line without a TKC field. The values are views into
// the line, valid while it lives.
QList<QByteArrayView> cutRecordLine(QByteArrayView line);

// The S line of the protocol record (the first record of S1), without a line end.
QByteArray sFileContent(Table &s1);
// One line per record of P1 from its first record on, each ended by CR LF; P1 stands on its last record
// afterwards. Empty for a table without records.
QByteArray pFileContent(Table &p1);

// The lines of a text file: each ends at LF, a CR before it goes too; no line after a final line end.
QList<QByteArray> textLines(const QByteArray &content);
// The first line of a text file, empty when the file is empty.
QByteArray firstTextLine(const QByteArray &content);

// The names, from OBEC and OKRSOK as stored in the protocol record.
struct Names {
    QString sFile;   // "S" + OBEC + "." + OKRSOK
    QString pFile;   // "P" + OBEC + "." + OKRSOK
    QString archive; // "VQ" + OBEC + "." + OKRSOK
};
Names names(const QString &obec, const QString &okrsok);
Names names(Table &s1);

} // namespace exchange
