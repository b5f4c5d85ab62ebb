#include "checks/arithmetic.h"

#include "store/errors.h"

#include <QString>

namespace {

[[noreturn]] void overflow() {
    throw OverflowError(QStringLiteral("Aritmetické pretečenie: výsledok výpočtu je mimo rozsahu celých čísel "
                                       "(-2147483648 až 2147483647)."));
}

} // namespace

qint32 add32(qint32 a, qint32 b) {
    qint32 result;
    if (__builtin_add_overflow(a, b, &result))
        overflow();
    return result;
}

qint32 sub32(qint32 a, qint32 b) {
    qint32 result;
    if (__builtin_sub_overflow(a, b, &result))
        overflow();
    return result;
}

qint32 mul32(qint32 a, qint32 b) {
    qint32 result;
    if (__builtin_mul_overflow(a, b, &result))
        overflow();
    return result;
}
