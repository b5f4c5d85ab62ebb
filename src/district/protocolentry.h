#pragma once

#include "model/outcome.h"

#include <QString>

class District;
class Table;

// What entering and leaving the boxes of the protocol pages does to the S1 record.

// Zero-fill and normalisation of positions from..to of the record in edit state: a blank text becomes
// "0", then every text is rewritten as the decimal form of its integer (ConversionError otherwise).
void normalizeFields(Table &table, int from, int to);

// eOBVODEnter: first S1 record, edit state.
void eOBVODEnter(District &district);
// The exit of a box of TabSheet1 (eOBVOD .. ePPHS), after the box wrote its text:
// normalise 0..9, post, sKC1, sKC2, then the box's checks, whose findings it returns as shown at once.
[[nodiscard]] Outcome protocolBoxExit(District &district, FormBox box);
// The exit's store alone (normalise, post, sKC1, sKC2, one action): what closing the window keeps of the
// box being typed in, without its checks.
void protocolBoxStore(District &district);
// ePPHPS1Exit: normalise 9..35, post, sKC3, boldnutT12.
[[nodiscard]] Outcome ePPHPS1Exit(District &district);
