#pragma once

#include "ui/layouttable.h"

#include <QString>

#include <vector>

// The controls of the protocol pages TabSheet1 ("T/12  Časť II.") and TabSheet2 ("T/12  Časť II. pokr.")
// as data, and the focus moves of their keys. The 26 party rows come from a loop (partyRow) rather than
// from rows of their own.

namespace protocollayout {

using layouttable::Control;
using layouttable::Kind;

// Every control of both pages apart from the party rows, in creation order, which is the tab order.
const std::vector<Control> &controls();

// Both pages whole: the above with the 26 party rows (caption and box) in FormularT12, after the group.
std::vector<Control> allControls();

// Party row n (1..26) of FormularT12: its caption (without the party's name) and its box.
struct PartyRow {
    int captionX, captionY, boxX, boxY;
};
PartyRow partyRow(int n);

// Where a key sends the focus from a protocol box, or an empty text when the key does nothing there.
// Enter and Down go on in the order of the paper form, Up back, Page Down to the end of the block,
// Page Up to its start.
QString keyTarget(const QString &box, int key);

} // namespace protocollayout
