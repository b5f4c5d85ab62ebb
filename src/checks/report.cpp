#include "checks/report.h"

#include "model/services.h"

Report showAtOnce(District &district) {
    return [&district](const Finding &finding) {
        Services &services = district.services();
        services.messageBox(finding.text);
        if (finding.box)
            services.focusBox(*finding.box);
    };
}

Report intoMemo(District &district, Memo District::*memo) {
    return [&district, memo](const Finding &finding) {
        district.appendLine(memo, finding.text);
        district.appendLine(memo, QString());
    };
}
