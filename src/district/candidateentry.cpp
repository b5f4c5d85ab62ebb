#include "district/candidateentry.h"

#include "checks/attachmentchecks.h"
#include "checks/report.h"
#include "checks/sums.h"
#include "district/protocolentry.h"
#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/partydisplay.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

void storeAttachment(District &district) {
    Action action(district.data().store());
    Table &p1 = district.TP1();
    p1.edit();
    normalizeFields(p1, 0, p1.fieldCount() - 1);
    p1.post();
    pKC1to5(district);
    action.commit();
}

Outcome pOBVODEnter(District &district) {
    district.TP1().edit();
    Outcome outcome;
    boldnut(district, outcome);
    return outcome;
}

Outcome pK1Enter(District &district, int candidate) {
    district.setPknumber(QString::number(candidate));
    return pOBVODEnter(district);
}

Outcome pK1Exit(District &district) {
    storeAttachment(district);
    Outcome outcome;
    report(showAtOnce(outcome), T13K16(attachmentRecord(district.TP1()), decimalValue(district.pknumber())));
    boldnut(district, outcome);
    return outcome;
}

Outcome pVPHExit(District &district) {
    storeAttachment(district);
    Outcome outcome;
    report(showAtOnce(outcome), T13K17(attachmentRecord(district.TP1()), protocolRecord(district.TS1())));
    boldnut(district, outcome);
    return outcome;
}

bool quickOrderNumberAccepted(District &district, QString &orderText, Outcome &outcome) {
    if (orderText.trimmed().isEmpty())
        orderText = QStringLiteral("0");
    if (decimalValue(orderText) <= decimalValue(district.EPocKand()))
        return true;
    outcome.beep();
    outcome.message(QStringLiteral("Poradové číslo je väčšie ako počet kandidátov"));
    return false;
}

int quickStore(District &district, const QString &orderText, QString &votesText, Outcome &outcome) {
    if (votesText.trimmed().isEmpty())
        votesText = QStringLiteral("0");
    votesText = QString::number(decimalValue(votesText));
    // An order number passed by with the mouse or Tab was never made "0" by its own check: the conversion
    // error stops the store before anything is written, and the typed figures stay in their boxes.
    const int candidate = decimalValue(orderText);
    // The record has 150 candidate fields, whatever count the code list gives.
    const int limit = qMin(decimalValue(district.EPocKand()), form::candidates);
    Action action(district.data().store());
    if (candidate > 0 && candidate <= limit) {
        Table &p1 = district.TP1();
        p1.edit();
        p1.setText(schemas::P1_K1 + candidate - 1, votesText);
        p1.post();
    }
    pKC1to5(district);
    action.commit();
    boldnut(district, outcome);
    return candidate;
}
