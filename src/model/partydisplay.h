#pragma once

#include <QString>

class District;
class Outcome;

// The display of the current attachment's party and of the figures in emphasis, into the outcome.

// Looks KON of the current P1 record up in KOAL06: EPocKand (kept by the district, which the quick entry
// and the keys count with) and NazovKoal from the record found; not found: "Nenašiel som pol. stranu č. "
// + KON into the outcome's plain message box (not for KON "0"), EPocKand "0", names empty. Then the
// party shown, with the boxes Dis_pK enables.
void PocKand(District &district, Outcome &outcome);
// The same lookup without the message.
void showParty(District &district, Outcome &outcome);

// How many candidate boxes Dis_pK enables for the candidate count EPocKand: boxes 1..count, at most 150.
int Dis_pK(const QString &count);

// Emphasis of the candidate boxes: bold red where the current P1 record's K<n> is anything but "0".
void boldnut(District &district, Outcome &outcome);

// Emphasis of the party-vote boxes 1..21: bold red where S1's PPHPS<n> is anything but "0".
void boldnutT12(District &district, Outcome &outcome);
