#pragma once

#include "ui/layouttable.h"

#include <QString>

#include <vector>

// The controls of the attachment pages TabSheet4 ("T/13   1.strana") and TabSheet5 ("T/13   2.strana")
// as data: one row per control, in the order they are created. The 150 candidate boxes with their row
// numbers and column headings come from a loop over the two grids rather than from rows of their own.

namespace attachmentlayout {

using layouttable::Control;
using layouttable::Kind;

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
