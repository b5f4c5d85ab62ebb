#pragma once

#include <QString>

#include <vector>

// The controls of the attachment pages TabSheet4 ("T/13   1.strana") and TabSheet5 ("T/13   2.strana")
// as data: one row per control, in the order they are created. attachmentpages.cpp turns each row into
// a widget of its kind; the 150 candidate boxes with their row numbers and column headings come from a
// loop over the two grids rather than from rows of their own.

namespace attachmentlayout {

enum class Kind {
    Group,      // QGroupBox with a caption
    Label,      // plain caption
    Entry,      // TDBEdit_VQRA01 on a P1 field, money green focus
    ReadOnly,   // TDBEdit_VQRA01 on a P1 field that cannot be typed into
    Sum,        // TDBEdit_VQRA01 on a control sum: read-only, sky blue, bold
    Display,    // label showing a P1 field
    Counter,    // disabled sky blue edit box showing model state (EPocKand)
    StateLabel, // label showing model state (Label13, NazovKoal)
    Button,
    Combo,  // Combo_RychlaVolba
    Flag,   // hidden check box (K14_OK, K15_OK)
    Hidden, // hidden read-only edit box (pKON, pknumber)
    Quick,  // TAlignEdit of the quick entry
};

enum Style : unsigned {
    Plain = 0,
    Bold = 1,
    WordWrap = 2,
    Centred = 4,
};

struct Control {
    Kind kind;
    QString name;   // object name; empty for a plain caption
    QString parent; // the page or group it stands in
    QString text;   // caption, or initial text
    QString field;  // P1 field of a bound control
    int x, y, width, height;
    int maxLength = 0; // 0: the field's width
    int tabOrder = -1; // order among the siblings; -1: takes no focus by Tab
    unsigned style = Plain;
    int fontPixels = 0; // 0: the window's font
    // The name for assistive technology where neither the control's text nor the caption before it
    // says what it holds.
    QString spoken = {};
};

// Every control of both pages apart from the candidate grids, each page's own rows first.
const std::vector<Control> &controls();

// The candidate grids: boxes pK1..pK150, each with its row number, and the column headings.
std::vector<Control> candidateGrid();

// Both of the above, the grids last: every control of the two pages in the order of creation.
std::vector<Control> allControls();

// Place of the box of candidate n (1..150) within its group, and the tab order among its siblings.
struct GridPlace {
    QString parent;
    int x, y, tabOrder;
};
GridPlace gridPlace(int n);

} // namespace attachmentlayout
