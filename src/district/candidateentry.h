#pragma once

#include "model/outcome.h"

#include <QString>

class District;

// What entering and leaving the boxes of the attachment pages does to the current P1 record.

// pOBVODEnter (pOBVOD, pOBEC, pOKRSOK, pVPH): edit state, boldnut.
[[nodiscard]] Outcome pOBVODEnter(District &district);
// pK1Enter: pknumber = n, edit state, boldnut.
[[nodiscard]] Outcome pK1Enter(District &district, int candidate);
// pK1Exit / pVPHExit, after the box wrote its text: normalise all 163 fields, post, pKC1..pKC5, then
// K16 of candidate pknumber / K17, returned as shown at once, then boldnut.
[[nodiscard]] Outcome pK1Exit(District &district);
[[nodiscard]] Outcome pVPHExit(District &district);
// Their store alone (normalise all 163 fields, post, pKC1..pKC5, one action, durable before any message):
// what closing the window keeps of the box being typed in, without its check.
void storeAttachment(District &district);

// Quick entry. The order-number check (Enter or Down in RVUPor): an empty text becomes "0"; above the
// count: double beep, "Poradové číslo je väčšie ako počet kandidátov" into the outcome, and false (the
// window puts the focus back).
bool quickOrderNumberAccepted(District &district, QString &orderText, Outcome &outcome);
// The store (Enter or Down in RVUPoc): the vote text normalised; K<p> stored when 0 < p <= count; the
// sums, the record and its sums as one action, then boldnut into the outcome. Returns p. An empty order number (never
// checked, the box passed by) raises ConversionError before anything is stored.
int quickStore(District &district, const QString &orderText, QString &votesText, Outcome &outcome);
