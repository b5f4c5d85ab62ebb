#include "checks/sums.h"

#include "checks/arithmetic.h"
#include "model/district.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

#include <initializer_list>

namespace {

// The whole sum is computed before the record is touched, so an overflow or a field that is not a
// number leaves the stored sum as it was.
void store(Table &table, int position, qint32 value) {
    table.edit();
    table.setInteger(position, value);
    table.post();
}

qint32 plainSum(const Table &table, std::initializer_list<const char *> fields) {
    qint32 sum = 0;
    for (const char *name : fields)
        sum = add32(sum, table.integer(QString::fromLatin1(name)));
    return sum;
}

// Sum of n * <field of n> for n = from..to, the field of n standing at position firstPosition + n - 1.
qint32 weightedSum(const Table &table, int firstPosition, int from, int to) {
    qint32 sum = 0;
    for (int n = from; n <= to; ++n)
        sum = add32(sum, mul32(n, table.integer(firstPosition + n - 1)));
    return sum;
}

constexpr int S1_KC2 = schemas::S1_KC1 + 1;
constexpr int S1_KC3 = schemas::S1_KC1 + 2;

} // namespace

void sKC1(District &district) {
    Table &s1 = district.TS1();
    store(s1, schemas::S1_KC1, plainSum(s1, {"OBVOD", "OBEC", "OKRSOK"}));
}

void sKC2(District &district) {
    Table &s1 = district.TS1();
    store(s1, S1_KC2, plainSum(s1, {"POZZV", "PVO", "POO_POSTA", "POO", "PPHS"}));
}

PartyTotals partyTotals(const Table &s1) {
    PartyTotals totals;
    for (int n = 1; n <= form::partyFields; ++n) {
        const qint32 votes = s1.integer(schemas::S1_PPHPS1 + n - 1);
        totals.weighted = add32(totals.weighted, mul32(n, votes));
        if (votes > 0) {
            ++totals.parties;
            totals.votes = add32(totals.votes, votes);
        }
    }
    return totals;
}

void showPartyCounters(District &district, const PartyTotals &totals) {
    district.setAsponhlas(QString::number(totals.parties));
    district.setEPocetHlasov(QString::number(totals.votes));
}

void sKC3(District &district) {
    Table &s1 = district.TS1();
    const PartyTotals totals = partyTotals(s1);
    store(s1, S1_KC3, totals.weighted);
    showPartyCounters(district, totals);
}

void pKC1(District &district) {
    Table &p1 = district.TP1();
    store(p1, schemas::P1_KC1, plainSum(p1, {"OBVOD", "OBEC", "OKRSOK", "KON"}));
}

void pKC2(District &district) {
    Table &p1 = district.TP1();
    store(p1, schemas::P1_KC1 + 1, mul32(2, p1.integer(schemas::P1_VPH)));
}

void pKC3(District &district) {
    Table &p1 = district.TP1();
    store(p1, schemas::P1_KC1 + 2, weightedSum(p1, schemas::P1_K1, 1, 50));
}

void pKC4(District &district) {
    Table &p1 = district.TP1();
    store(p1, schemas::P1_KC1 + 3, weightedSum(p1, schemas::P1_K1, 51, 100));
}

void pKC5(District &district) {
    Table &p1 = district.TP1();
    store(p1, schemas::P1_KC1 + 4, weightedSum(p1, schemas::P1_K1, 101, 150));
}

void pKC1to5(District &district) {
    pKC1(district);
    pKC2(district);
    pKC3(district);
    pKC4(district);
    pKC5(district);
}
