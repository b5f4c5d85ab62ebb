#pragma once

#include <QString>

#include <functional>
#include <vector>

// The controls of the protocol pages TabSheet1 ("T/12  Časť II.") and TabSheet2 ("T/12  Časť II. pokr.")
// as data, and the focus moves of their keys. protocolpages.cpp turns the rows into widgets; the 26
// party rows come from a loop (partyRow) rather than from rows of their own.

namespace protocollayout {

enum class Kind {
    Group,   // QGroupBox
    Label,   // plain caption
    Leader,  // caption followed by a dot leader up to the box after it
    Entry,   // TDBEdit_VQRA01 on an S1 field
    Sum,     // TDBEdit_VQRA01 on a control sum: read-only, sky blue, bold
    Display, // label showing TEMP_TLAC's NOBEC
    Counter, // disabled sky blue edit box showing a party counter of the district state
    Button,
};

struct Control {
    Kind kind;
    QString name;   // object name; empty for a plain caption
    QString parent; // the page or group it stands in
    QString text;   // caption, or initial text
    QString field;  // S1 field of a bound box
    int x, y, width, height;
    int maxLength = 0; // 0: the field's width
    bool bold = false;
    bool wordWrap = false;
    bool centred = false;
    // The name for assistive technology where neither the control's text nor the caption before it
    // serves (a group without a caption).
    QString spoken = {};
};

// Every control of both pages apart from the party rows, in creation order, which is the tab order.
const std::vector<Control> &controls();

// Party row n (1..26) of FormularT12: its caption (without the party's name) and its box.
struct PartyRow {
    int captionX, captionY, boxX, boxY;
};
PartyRow partyRow(int n);

// Where a key sends the focus from a protocol box, or an empty text when the key does nothing there.
// Enter and Down go on in the order of the paper form, Up back, Page Down to the end of the block,
// Page Up to its start.
QString keyTarget(const QString &box, int key);

// The dot leader: the caption followed by ". " up to the given width in pixels of the font measured.
QString withLeader(const QString &caption, int width, const std::function<int(const QString &)> &textWidth);

} // namespace protocollayout
