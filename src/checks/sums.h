#pragma once

#include <QtGlobal>

class District;
class Table;

// Control sums, each on the current record of its table, in signed 32-bit arithmetic: an overflow
// throws OverflowError and leaves the field as it was. Each routine edits, writes and posts.

void sKC1(District &district); // S1.KC1 = OBVOD + OBEC + OKRSOK
void sKC2(District &district); // S1.KC2 = POZZV + PVO + POO_POSTA + POO + PPHS
// S1.KC3 = sum of n * PPHPS<n>, n = 1..26; also asponhlas and ePocetHlasov (the window shows a count of
// 0 as the no-votes state of the attachment pages).
void sKC3(District &district);

// What sKC3 sums over PPHPS1..26: n * votes, the parties with a vote, and their votes.
struct PartyTotals {
    qint32 weighted = 0;
    qint32 parties = 0;
    qint32 votes = 0;
};
PartyTotals partyTotals(const Table &s1);
// asponhlas and ePocetHlasov from the totals, as sKC3 shows them.
void showPartyCounters(District &district, const PartyTotals &totals);

void pKC1(District &district); // P1.KC1 = OBVOD + OBEC + OKRSOK + KON
void pKC2(District &district); // P1.KC2 = 2 * VPH
void pKC3(District &district); // P1.KC3 = sum of n * K<n>, n = 1..50
void pKC4(District &district); // n = 51..100
void pKC5(District &district); // n = 101..150

// pKC1 .. pKC5 in this order.
void pKC1to5(District &district);
