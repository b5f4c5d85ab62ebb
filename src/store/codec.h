#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the code page of every table and exchange file.
//
// The five bytes that Windows-1250 leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) decode to
// U+FFFD; a character that Windows-1250 cannot hold encodes as "?". So no undefined byte and no
// 0x1A (the dBase end-of-file mark) is ever written for text that did not hold that control.
namespace cp1250 {
QString decode(QByteArrayView bytes);
void appendDecoded(QByteArrayView bytes, QString &to);
QByteArray encode(const QString &text);
// Encodes into out as much of text as fits in size bytes; returns the bytes written.
int encodeInto(const QString &text, char *out, int size);
bool isDefined(unsigned char byte); // false for the five undefined bytes
} // namespace cp1250
