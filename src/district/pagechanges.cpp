#include "district/pagechanges.h"

#include "checks/completecheck.h"
#include "checks/protocolchecks.h"
#include "checks/report.h"
#include "checks/sums.h"
#include "district/attachmentset.h"
#include "model/district.h"
#include "model/pages.h"
#include "model/partydisplay.h"
#include "model/services.h"

void TabSheet2Exit(District &district) {
    Services &services = district.services();
    report(showAtOnce(district), T12K09(protocolRecord(district.TS1())));
    services.pracujem(QStringLiteral("Aktualizujem prílohy ..."));
    try {
        GeneratingP1(district);
    } catch (...) {
        services.pracujem(QStringLiteral("off"));
        throw;
    }
    services.pracujem(QStringLiteral("off"));
}

void PageControl1Change(District &district, int pageIndex) {
    boldnutT12(district);
    if (pageIndex != pages::PartyVotes)
        sKC3(district);
    if (pageIndex == pages::AttachmentFirst)
        district.services().focus(QStringLiteral("pVPH"));
    if (pageIndex == pages::CheckProtocols)
        KompletnaKontrola(district);
}
