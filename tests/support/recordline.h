#pragma once

#include "exchange/exchangelines.h"
#include "store/codec.h"

#include <QStringList>

// The record line of an exchange file carrying the texts given, each in Windows-1250: how the tests
// write the lines they feed to the readers.
inline QByteArray recordLine(const QStringList &texts) {
    QList<QByteArray> encoded;
    for (const QString &text : texts)
        encoded.append(cp1250::encode(text));
    QByteArray line;
    exchange::appendRecordLine(QList<QByteArrayView>(encoded.begin(), encoded.end()), line);
    return line;
}
