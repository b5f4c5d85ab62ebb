#include "model/partydisplay.h"

#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/outcome.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// What a box bound to a figure shows in emphasis: anything but "0", an empty box included.
bool emphasised(const QString &shown) {
    return shown != QStringLiteral("0");
}

// The current attachment's party in KOAL06: its candidate count and short name, nothing when missing.
std::optional<std::pair<QString, QString>> lookUpParty(District &district) {
    Table &koal = district.data().TVQ_KOAL();
    koal.first();
    if (!koal.locate(QStringLiteral("KON"), district.TP1().text(schemas::P1_KON)))
        return std::nullopt;
    return std::pair{koal.text(QStringLiteral("POCKAN")), koal.text(QStringLiteral("SNKO"))};
}

void show(District &district, const std::optional<std::pair<QString, QString>> &party, Outcome &outcome) {
    const QString count = party ? party->first : QStringLiteral("0");
    district.setEPocKand(count);
    outcome.show({DisplayChange::Kind::Party, {count, party ? party->second : QString()}, {}, Dis_pK(count)});
}

} // namespace

void PocKand(District &district, Outcome &outcome) {
    const auto party = lookUpParty(district);
    const QString kon = district.TP1().text(schemas::P1_KON);
    if (!party && kon != QStringLiteral("0"))
        outcome.message(QStringLiteral("Nenašiel som pol. stranu č. ") + kon);
    show(district, party, outcome);
}

void showParty(District &district, Outcome &outcome) {
    show(district, lookUpParty(district), outcome);
}

int Dis_pK(const QString &count) {
    // A count outside the 150 boxes (a damaged code list) enables all of them or none.
    return std::clamp(decimalValue(count), 0, form::candidates);
}

void boldnut(District &district, Outcome &outcome) {
    const Table &p1 = district.TP1();
    QList<bool> emphasis(form::candidates + 1, false);
    for (int n = 1; n <= form::candidates; ++n)
        emphasis[n] = emphasised(p1.text(schemas::P1_K1 + n - 1));
    outcome.show({DisplayChange::Kind::CandidateEmphasis, {}, emphasis});
}

void boldnutT12(District &district, Outcome &outcome) {
    const Table &s1 = district.TS1();
    // Only the 21 party rows in use: 22..26 are never emphasised.
    QList<bool> emphasis(form::ballotParties + 1, false);
    for (int n = 1; n <= form::ballotParties; ++n)
        emphasis[n] = emphasised(s1.text(schemas::S1_PPHPS1 + n - 1));
    outcome.show({DisplayChange::Kind::PartyEmphasis, {}, emphasis});
}
