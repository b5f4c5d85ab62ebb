#include "checks/protocolchecks.h"

#include "checks/arithmetic.h"
#include "checks/municipality.h"
#include "checks/report.h"
#include "model/district.h"
#include "model/services.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

namespace {

QString text(District &district, const char *field) {
    return district.TS1().text(QString::fromLatin1(field));
}
qint32 number(District &district, const char *field) {
    return district.TS1().integer(QString::fromLatin1(field));
}
QString decimal(qint32 value) {
    return QString::number(value);
}

void report(District &district, int mode, const QString &message) {
    reportInMode(district, mode, District::protokol1(), message);
}

// K01, K02 and K03 send the user back to the box at fault once the message box is closed.
void reportWithFocus(District &district, int mode, const QString &message, const QString &control) {
    if (reportInMode(district, mode, District::protokol1(), message))
        district.services().focus(control);
}

} // namespace

void T12K01(District &, int) {}

void T12K02(District &district, int mode) {
    if (!checkMunicipality(district, mode, text(district, "OBEC"), QStringLiteral("eOBEC")))
        return;
    const QString obvod = text(district, "OBVOD");
    if (district.data().TVQ_OBCE().text(QStringLiteral("OBVOD")) != obvod)
        reportWithFocus(district, mode, QStringLiteral("K01 Chybný kód obvodu, zaz. = ") + obvod,
                        QStringLiteral("eOBVOD"));
}

void T12K03(District &district, int mode) {
    if (!locateMunicipality(district, text(district, "OBEC")))
        return;
    const Table &obce = district.data().TVQ_OBCE();
    const qint32 okrsok = number(district, "OKRSOK");
    const qint32 pocoks = obce.integer(QStringLiteral("POCOKS"));
    if (okrsok == 0 || pocoks < okrsok)
        reportWithFocus(district, mode, k03Message(text(district, "OKRSOK"), obce.text(QStringLiteral("POCOKS"))),
                        QStringLiteral("eOKRSOK"));
}

void T12K04(District &district, int mode) {
    const qint32 pozzv = number(district, "POZZV");
    const qint32 pvo = number(district, "PVO");
    if (pozzv < pvo)
        report(district, mode,
               QStringLiteral("K04 Počet voličov zapísaných v zozname voličov je menší ako počet voličov, ktorí sa "
                              "zúčastnili na hlasovaní zap.voliči: ") +
                   text(district, "POZZV") + QStringLiteral(", zúčast.: ") + text(district, "PVO") +
                   QStringLiteral(", rozdiel = ") + decimal(sub32(pvo, pozzv)));
}

void T12K05(District &district, int mode) {
    const qint32 pvo = number(district, "PVO");
    const qint32 posta = number(district, "POO_POSTA");
    if (pvo < posta)
        report(district, mode,
               QStringLiteral("K05 Počet voličov, ktorí sa zúč. na hlasovaní je menší ako počet voličov, ktorí "
                              "zaslali návratnú obálku  Zúčast.: ") +
                   text(district, "PVO") + QStringLiteral(" , N-obálky.: ") + text(district, "POO_POSTA") +
                   QStringLiteral(", rozdiel = ") + decimal(sub32(posta, pvo)));
}

void T12K06(District &district, int mode) {
    const qint32 pvo = number(district, "PVO");
    const qint32 poo = number(district, "POO");
    if (pvo < poo)
        report(district, mode,
               QStringLiteral("K06 Počet voličov, ktorí sa zúčastnili na hlasovaní je menší ako počet odovzdaných "
                              "obálok,  Zúčast.: ") +
                   text(district, "PVO") + QStringLiteral(" , odovzd. obálky: ") + text(district, "POO") +
                   QStringLiteral(", rozdiel = ") + decimal(sub32(poo, pvo)));
}

void T12K07(District &district, int mode) {
    const qint32 pvo = number(district, "PVO");
    const qint32 envelopes = add32(number(district, "POO"), number(district, "POO_POSTA"));
    if (pvo < envelopes)
        report(district, mode,
               QStringLiteral("K07 Počet voličov, ktorí sa zúčastnili na hlasovaní je menší ako súčet údajov počet "
                              "odovzdaných obálok a počet voličov, ktorí zaslali návratnú obálku,  Zúčast.: ") +
                   text(district, "PVO") + QStringLiteral(" , odovzd. obálky: ") + text(district, "POO") +
                   QStringLiteral(" , návratné obálky.: ") + text(district, "POO_POSTA") +
                   QStringLiteral(", rozdiel = ") + decimal(sub32(envelopes, pvo)));
}

void T12K08(District &district, int mode) {
    const qint32 envelopes = add32(number(district, "POO"), number(district, "POO_POSTA"));
    const qint32 pphs = number(district, "PPHS");
    if (envelopes < pphs)
        report(district, mode,
               QStringLiteral("K08 Počet odovzdaných obálok je menší ako počet platných hlasov spolu, odovzd. "
                              "obálky: ") +
                   decimal(envelopes) + QStringLiteral(", platné hlasy spolu: ") + text(district, "PPHS") +
                   QStringLiteral(", rozdiel = ") + decimal(sub32(pphs, envelopes)));
}

void T12K09(District &district, int mode) {
    const Table &s1 = district.TS1();
    qint32 sum = 0;
    for (int n = 1; n <= form::partyFields; ++n)
        sum = add32(sum, s1.integer(schemas::S1_PPHPS1 + n - 1));
    const qint32 pphs = number(district, "PPHS");
    if (sum != pphs)
        report(district, mode,
               QStringLiteral("K09 Súčet platných hlasov získaných všetkými kandidujúcimi politickými stranami nie "
                              "je rovný počtu platných hlasov spolu, súčet platných hlasov všetkých politických "
                              "strán : ") +
                   decimal(sum) + QStringLiteral(", platné hlasy spolu: ") + decimal(pphs) +
                   QStringLiteral(", rozdiel = ") + decimal(sub32(pphs, sum)));
}

void T12I10(District &district, int mode) {
    if (number(district, "POZZV") == number(district, "PVO"))
        report(district, mode,
               QStringLiteral("I10 Rovnaký počet voličov zapísaných do zoznamu voličov a počet voličov, ktorí sa "
                              "zúčastnili hlasovania"));
}

void T12K11(District &, int) {}
