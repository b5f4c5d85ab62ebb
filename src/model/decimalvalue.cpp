#include "model/decimalvalue.h"

#include "store/errors.h"

qint32 decimalValue(const QString &text) {
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw ConversionError(QStringLiteral("'%1' nie je platná celočíselná hodnota").arg(text));
    return value;
}
