#include "model/currentattachment.h"

#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/partydisplay.h"
#include "model/services.h"
#include "store/table.h"

void showCurrentAttachment(District &district) {
    if (decimalValue(district.asponhlas()) > 0)
        district.setLabel13(QString::number(district.TP1().recordNumber()));
    else
        district.setLabel13(QStringLiteral("-"));
    PocKand(district);
    if (district.services().canFocus(QStringLiteral("pVPH")))
        district.services().focus(QStringLiteral("pVPH"));
    boldnut(district);
}
