#include "model/currentattachment.h"

#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/outcome.h"
#include "model/partydisplay.h"
#include "store/table.h"

void showCurrentAttachment(District &district, Outcome &outcome) {
    if (decimalValue(district.asponhlas()) > 0)
        district.setLabel13(QString::number(district.TP1().recordNumber()));
    else
        district.setLabel13(QStringLiteral("-"));
    PocKand(district, outcome);
    outcome.focusIfShown(FormBox::Vph);
    boldnut(district);
}
