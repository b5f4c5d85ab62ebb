#include "model/currentattachment.h"

#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/outcome.h"
#include "model/partydisplay.h"
#include "store/table.h"

void showCurrentAttachment(District &district, Outcome &outcome) {
    const bool votes = decimalValue(district.asponhlas()) > 0;
    outcome.show(
        {DisplayChange::Kind::Counter, {votes ? QString::number(district.TP1().recordNumber()) : QStringLiteral("-")}});
    PocKand(district, outcome);
    outcome.focusIfShown(FormBox::Vph);
    boldnut(district, outcome);
}

void selectCurrentAttachment(District &district, Outcome &outcome) {
    outcome.show({DisplayChange::Kind::QuickChoiceIndex, {}, {}, district.TP1().recordNumber() - 1});
}
