#include "checks/report.h"

Report showAtOnce(Outcome &outcome) {
    return [&outcome](const Finding &finding) {
        outcome.message(finding.text);
        if (finding.box)
            outcome.focus(*finding.box);
    };
}

Report intoMemo(District &district, Memo District::*memo) {
    return [&district, memo](const Finding &finding) {
        district.appendLine(memo, finding.text);
        district.appendLine(memo, QString());
    };
}
