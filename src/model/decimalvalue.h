#pragma once

#include <QString>
#include <QtGlobal>

// The integer value of a decimal text held by a control of the window (asponhlas, EPocKand, pknumber,
// the quick-entry boxes), blanks at both ends removed: the same rule as a table field, and the same
// ConversionError when the text is empty or not a decimal number within the signed 32-bit range.
qint32 decimalValue(const QString &text);
