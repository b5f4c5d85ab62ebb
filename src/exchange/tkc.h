#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The TKC, the checksum closing every record line of the exchange files: the sum, over the bytes of a
// text other than "|", of each byte's Windows-1250 code times its position plus 5 (positions from 1).

// The TKC of a text given as its Windows-1250 bytes. OverflowError when the sum leaves 32 bits, which no
// line of the tables can make.
qint32 vypocitaj_TKC(QByteArrayView text);

// What the record check finds in one record line "v1|v2|...|TKC|".
struct RecordCheck {
    bool hasTkcField = false;    // a "|" stands before the closing character
    qsizetype coveredLength = 0; // the line up to and including that "|"
    QByteArray stored;           // the stored TKC as shown: its digits, a non-digit read as "0", no leading zeros
    bool storedFits = false;     // the stored TKC is a signed 32-bit number
    qint64 computed = 0;         // the TKC of the covered part

    bool passed() const { return hasTkcField && storedFits && stored.toLongLong() == computed; }
    // "TKC najdene: ..." CR "TKC vypocitane: ..."
    QString mismatchMessage() const;
};

RecordCheck checkRecordLine(QByteArrayView line);
