#pragma once

class District;

// The attachment set and the moves between attachments.

// Rebuilds P1 from the protocol's party votes through P1_temp, one record per party with votes in
// ascending number, and the quick-choice list.
void GeneratingP1(District &district);

// T13K14 and T13K15 in mode 1 (both run); true when both flags are set afterwards.
bool partyChangeGate(District &district);

// DoPreduClick / DoZaduClick (Button15 / Button8 do the same, then the window shows page 1).
void DoPreduClick(District &district);
void DoZaduClick(District &district);
// Combo_RychlaVolbaChange with the index now selected in the list (-1: none).
void Combo_RychlaVolbaChange(District &district, int index);

// Zeroes positions 5.. of the current P1 record and requests the focus of pVPH (after the question,
// which Button2Click asks).
void VymazPolStranu(District &district);
