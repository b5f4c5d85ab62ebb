#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the code page of every table and exchange file.
//
// The five bytes that Windows-1250 leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) decode to
// U+FFFD; a character that Windows-1250 cannot hold encodes as "?". So no undefined byte and no
// 0x1A (the dBase end-of-file mark) is ever written for text that did not hold that control.
namespace cp1250 {
QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
bool isDefined(unsigned char byte); // false for the five undefined bytes
} // namespace cp1250
