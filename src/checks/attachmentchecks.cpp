#include "checks/attachmentchecks.h"

#include "checks/arithmetic.h"
#include "checks/municipality.h"
#include "checks/report.h"
#include "model/district.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

namespace {

QString text(District &district, const char *field) {
    return district.TP1().text(QString::fromLatin1(field));
}
qint32 number(District &district, const char *field) {
    return district.TP1().integer(QString::fromLatin1(field));
}
QString decimal(qint32 value) {
    return QString::number(value);
}

// K1 + ... + K150 of the current attachment, whatever the party's number of candidates.
qint32 candidateSum(District &district) {
    const Table &p1 = district.TP1();
    qint32 sum = 0;
    for (int n = 1; n <= form::candidates; ++n)
        sum = add32(sum, p1.integer(schemas::P1_K1 + n - 1));
    return sum;
}

// The K14 and K15 headings differ by the blank before the colon between the message box and the memo.
QString partyHeading(const char *code, int mode) {
    return QString::fromLatin1(code) +
           (mode == 1 ? QStringLiteral("  Číslo pol. strany : ") : QStringLiteral("  Číslo pol. strany: "));
}

// Candidate n against VPH; K16 into Protokol1 or the message box, as mode says.
void checkCandidate(District &district, int n, int mode) {
    const Table &p1 = district.TP1();
    if (p1.integer(schemas::P1_K1 + n - 1) <= number(district, "VPH"))
        return;
    reportInMode(district, mode, District::protokol1(),
                 QStringLiteral("K16  Číslo pol. strany: ") + text(district, "KON") + QStringLiteral(" ") +
                     QStringLiteral("Počet voličov, ktorí využili právo prednostného hlasu je menší ako počet "
                                    "platných prednostných hlasov získaných ") +
                     QStringLiteral("kandidátom ") + decimal(n) + QStringLiteral(" na poslanca, ") +
                     QStringLiteral("využité prednostné hlasy: ") + p1.text(schemas::P1_K1 + n - 1) +
                     QStringLiteral(", počet: ") + text(district, "VPH"));
}

// KON as a party number 1..26, or 0 when it is no such number: imported or damaged data can hold
// anything there, and the protocol has no party field for it.
int partyNumber(const QString &kon) {
    bool ok = false;
    const int party = kon.toInt(&ok);
    return ok && party >= 1 && party <= form::partyFields ? party : 0;
}

} // namespace

void T13K01(District &, int) {}

void T13K02(District &district, int mode) {
    checkMunicipality(district, mode, text(district, "OBEC"), QString());
}

void T13K03(District &district, int mode) {
    if (!locateMunicipality(district, text(district, "OBEC")))
        return;
    const Table &obce = district.data().TVQ_OBCE();
    if (obce.integer(QStringLiteral("POCOKS")) < number(district, "OKRSOK"))
        reportInMode(district, mode, District::protokol1(),
                     k03Message(text(district, "OKRSOK"), obce.text(QStringLiteral("POCOKS"))));
}

void T13K12(District &, int) {}
void T13K13(District &, int) {}

void T13K14(District &district, int mode) {
    district.setK14_OK(true);
    const qint32 sum = candidateSum(district);
    const qint32 fourTimes = mul32(4, number(district, "VPH"));
    if (sum <= fourTimes)
        return;
    district.setK14_OK(false);
    reportInMode(district, mode, District::protokol1(),
                 partyHeading("K14", mode) + text(district, "KON") + QStringLiteral("  ") +
                     QStringLiteral("Štvornásobok počtu voličov, ktorí využili právo prednostného hlasu je menší ako "
                                    "súčet platných prednostných hlasov získaných všetkými kandidátmi na poslanca, ") +
                     QStringLiteral("   4 x využité predn. hlasy: ") + decimal(fourTimes) +
                     QStringLiteral(", súčet: ") + decimal(sum));
}

void T13K15(District &district, int mode) {
    district.setK15_OK(true);
    const qint32 sum = candidateSum(district);
    const qint32 vph = number(district, "VPH");
    if (sum >= vph)
        return;
    district.setK15_OK(false);
    reportInMode(district, mode, District::protokol1(),
                 partyHeading("K15", mode) + text(district, "KON") + QStringLiteral("  ") +
                     QStringLiteral("Počet voličov, ktorí využili právo prednostného hlasu je väčší ako súčet "
                                    "platných prednostných hlasov získaných všetkými kandidátmi na poslanca,") +
                     QStringLiteral("   využité predn. hlasy: ") + decimal(vph) + QStringLiteral(", súčet: ") +
                     decimal(sum));
}

void T13K16(District &district, int candidate) {
    if (candidate >= 1 && candidate <= form::candidates) {
        checkCandidate(district, candidate, 1);
    } else if (candidate == 0) {
        for (int n = 1; n <= form::candidates; ++n)
            checkCandidate(district, n, 0);
    }
}

void T13K17(District &district, int mode) {
    const QString kon = text(district, "KON");
    const QString heading = QStringLiteral("K17  Číslo pol. strany: ") + kon + QStringLiteral("  ");
    // KON "0" is the placeholder that the wipe leaves: no party yet, so nothing to compare.
    if (kon == QStringLiteral("0"))
        return;
    const int party = partyNumber(kon);
    if (party == 0) {
        reportInMode(district, mode, District::protokol2(),
                     heading + QStringLiteral("Politická strana s týmto číslom neexistuje (platné sú čísla 1 až 26), "
                                              "preto sa jej platné hlasy nedajú porovnať s počtom voličov, ktorí "
                                              "využili právo prednostného hlasu."));
        return;
    }
    const qint32 partyVotes = district.TS1().integer(schemas::S1_PPHPS1 + party - 1);
    const qint32 vph = number(district, "VPH");
    if (partyVotes < vph)
        reportInMode(district, mode, District::protokol2(),
                     heading +
                         QStringLiteral("Počet platných hlasov, ktoré získala politická strana je menší ako počet "
                                        "voličov, ktorí využili právo prednostného hlasu,") +
                         QStringLiteral(" platné hlasy: ") + decimal(partyVotes) +
                         QStringLiteral(", využité predn. hlasy: ") + decimal(vph));
}

void T13K18(District &district, int mode) {
    Table &p1 = district.TP1();
    qint32 sum = 0;
    p1.first();
    for (int i = 0; i < p1.recordCount(); ++i) {
        sum = add32(sum, p1.integer(schemas::P1_VPH));
        p1.next();
    }
    const Table &s1 = district.TS1();
    if (sum > s1.integer(QStringLiteral("PPHS")))
        reportInMode(district, mode, District::protokol2(),
                     QStringLiteral("K18 Počet platných hlasov spolu je menší ako počet voličov, ktorí využili právo "
                                    "prednostného hlasu za všetky politické strany, platné hlasy spolu: ") +
                         s1.text(QStringLiteral("PPHS")) + QStringLiteral(", využité predn. hlasy: ") + decimal(sum));
}

void T13K19(District &, int) {}
