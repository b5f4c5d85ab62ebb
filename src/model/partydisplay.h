#pragma once

class District;
class Outcome;

// The display of the current attachment's party, kept in the model state.

// Looks KON of the current P1 record up in KOAL06: EPocKand and NazovKoal from the record found; not
// found: "Nenašiel som pol. stranu č. " + KON into the outcome's plain message box (not for KON "0"),
// EPocKand "0", names empty. Then Dis_pK.
void PocKand(District &district, Outcome &outcome);
// The same lookup without the message.
void showParty(District &district);

// Enables candidate boxes 1..EPocKand (at most 150); EPocKand is read as an integer.
void Dis_pK(District &district);

// Emphasis of the candidate boxes: bold red where the current P1 record's K<n> is anything but "0".
void boldnut(District &district);

// Emphasis of the party-vote boxes 1..21: bold red where S1's PPHPS<n> is anything but "0".
void boldnutT12(District &district);
