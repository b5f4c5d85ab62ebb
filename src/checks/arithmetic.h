#pragma once

#include <QtGlobal>

// Signed 32-bit arithmetic of the sums and checks: a result outside the range throws OverflowError
// instead of wrapping round, so that no wrong figure is ever stored or reported.
qint32 add32(qint32 a, qint32 b);
qint32 sub32(qint32 a, qint32 b);
qint32 mul32(qint32 a, qint32 b);
