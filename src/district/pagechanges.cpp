#include "district/pagechanges.h"

#include "checks/completecheck.h"
#include "checks/protocolchecks.h"
#include "checks/report.h"
#include "checks/sums.h"
#include "district/attachmentset.h"
#include "model/district.h"
#include "model/pages.h"
#include "model/partydisplay.h"
#include "model/progress.h"

#include <utility>

Outcome partyPageCheck(District &district) {
    Outcome outcome;
    report(showAtOnce(outcome), T12K09(protocolRecord(district.TS1())));
    return outcome;
}

Outcome TabSheet2Exit(District &district) {
    Progress &progress = district.progress();
    progress.pracujem(QStringLiteral("Aktualizujem prílohy ..."));
    Outcome outcome;
    try {
        outcome = GeneratingP1(district);
    } catch (...) {
        progress.pracujem(QStringLiteral("off"));
        throw;
    }
    outcome.busy(progress, QStringLiteral("off"));
    return outcome;
}

Outcome PageControl1Change(District &district, int pageIndex) {
    Outcome outcome;
    boldnutT12(district, outcome);
    if (pageIndex != pages::PartyVotes)
        sKC3(district);
    if (pageIndex == pages::AttachmentFirst)
        outcome.focus(FormBox::Vph);
    if (pageIndex == pages::CheckProtocols)
        outcome = KompletnaKontrola(district, std::move(outcome));
    return outcome;
}
