#include "checks/completecheck.h"

#include "checks/attachmentchecks.h"
#include "checks/partyfigures.h"
#include "checks/protocolchecks.h"
#include "checks/report.h"
#include "model/currentattachment.h"
#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/progress.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/table.h"

namespace {

const QString kBezChyb = QStringLiteral("          BEZ CHÝB");

// Every check in the forms' order, each finding appended to its protocol as it is found, so that a check
// stopped by an error leaves the lines found before it.
void runChecks(District &district) {
    const Report protokol1 = intoMemo(district, District::protokol1());
    const Report protokol2 = intoMemo(district, District::protokol2());
    const ProtocolRecord s1 = protocolRecord(district.TS1());
    const std::optional<Municipality> municipality = checkMunicipalityCode(district, s1.obec, FormBox::Obec, protokol1);
    if (municipality)
        report(protokol1, T12K01(s1, *municipality));
    report(protokol1, T12K03(s1, municipality));
    for (auto check : {T12K04, T12K05, T12K06, T12K07, T12K08, T12K09, T12I10})
        report(protokol1, check(s1));
    if (decimalValue(district.asponhlas()) <= 0)
        return;
    // K02 and K03 on the attachment the pages show.
    Table &p1 = district.TP1();
    const AttachmentRecord shown = attachmentRecord(p1);
    report(protokol1, T13K03(shown, checkMunicipalityCode(district, shown.obec, std::nullopt, protokol1)));
    const std::vector<AttachmentRecord> attachments = attachmentRecords(p1);
    for (const AttachmentRecord &attachment : attachments) {
        partyFigureChecks(district, attachment, Wording::Protocol, protokol1);
        for (int n = 1; n <= form::candidates; ++n)
            report(protokol1, T13K16(attachment, n));
        report(protokol2, T13K17(attachment, s1));
    }
    report(protokol2, T13K18(attachments, s1));
}

// The I10 information alone (its line and the empty one) leaves the error protocol free of errors.
bool protocolFreeOfErrors(const Memo &memo) {
    return memo.lines.isEmpty() || (memo.lines.size() == 2 && memo.lines.first().left(3) == QLatin1String("I10"));
}

// Replaces the rows of an error-protocol table by the memo's lines, as one step: one row per line longer
// than its code, KOD_CHYBY the first three characters, CH_OZNAM the rest from the fifth character on.
// A failure leaves the previous rows.
void storeProtocolTable(Table &table, const Memo &memo) {
    TableRewrite rewrite(table);
    for (const QString &line : memo.lines) {
        if (line.size() <= 3)
            continue;
        table.append();
        table.setText(QStringLiteral("KOD_CHYBY"), line.left(3));
        table.setText(QStringLiteral("CH_OZNAM"), line.mid(4));
        table.post();
    }
    rewrite.commit();
}

} // namespace

Outcome KompletnaKontrola(District &district, Outcome outcome) {
    Progress &progress = district.progress();
    outcome.busy(progress, QStringLiteral("Prebieha kompletná kontrola zápisnice"));
    const auto protokol1 = District::protokol1();
    const auto protokol2 = District::protokol2();
    try {
        // The checks' writes and both protocol tables as one action.
        Action action(district.data().store());
        district.clearMemo(protokol1);
        district.clearMemo(protokol2);
        // Cleared before any check runs: a check that stops with an error must not leave the previous
        // result standing as if it were this district's.
        district.setBezchybnost(false);

        runChecks(district);

        district.TP1().first();
        const bool protocolClean = protocolFreeOfErrors(district.Protokol1());
        if (protocolClean)
            district.appendLine(protokol1, kBezChyb);
        const bool interTableClean = district.Protokol2().lines.isEmpty();
        if (interTableClean)
            district.appendLine(protokol2, kBezChyb);

        storeProtocolTable(district.data().TProtokol1(), district.Protokol1());
        storeProtocolTable(district.data().TProtokol2(), district.Protokol2());
        action.commit();
        // Only once both tables hold this result: a failed write leaves the district marked with errors.
        district.setBezchybnost(protocolClean && interTableClean);
    } catch (...) {
        progress.pracujem(QStringLiteral("off"));
        throw;
    }
    outcome.busy(progress, QStringLiteral("off"));

    outcome.show({DisplayChange::Kind::ProtocolWrap});
    showCurrentAttachment(district, outcome);
    selectCurrentAttachment(district, outcome);
    return outcome;
}
