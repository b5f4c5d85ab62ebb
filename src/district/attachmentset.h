#pragma once

#include "model/outcome.h"

class District;

// The attachment set and the moves between attachments.

// Rebuilds P1 from the protocol's party votes through P1_temp, one record per party with votes in
// ascending number, and the quick-choice list, as one action. A dropped attachment that holds a figure
// is set aside (P1_odlozene) and comes back when its party has votes again. Returns the message of a
// protocol without votes, or of a party missing from the code list.
[[nodiscard]] Outcome GeneratingP1(District &district);

// At start: what the window shows of the stored district (the party counters and emphasis of the
// protocol; on the attachment pages the first attachment with its party, candidate count, enabled boxes
// and emphasis, and the quick-choice list), returned to be shown. No check runs, no message is shown, no
// table is written.
[[nodiscard]] Outcome showStoredDistrict(District &district);

// K14 and K15 of the current attachment, into the outcome as shown at once (both run), with their flags
// K14_OK and K15_OK; true when both pass.
bool partyChangeGate(District &district, Outcome &outcome);

// DoPreduClick / DoZaduClick (Button15 / Button8 do the same, then the window shows page 1).
[[nodiscard]] Outcome DoPreduClick(District &district);
[[nodiscard]] Outcome DoZaduClick(District &district);
// Combo_RychlaVolbaChange with the index now selected in the list (-1: none); refused, the list selects
// the current attachment's item again.
[[nodiscard]] Outcome Combo_RychlaVolbaChange(District &district, int index);

// Zeroes positions 5.. of the current P1 record, after a backup of the district, and sends the focus to
// pVPH (after the question, which Button2Click asks).
[[nodiscard]] Outcome VymazPolStranu(District &district);
