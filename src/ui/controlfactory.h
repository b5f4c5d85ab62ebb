#pragma once

#include "ui/layouttable.h"

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

class QWidget;
class Table;

// The one factory of the pages' controls: a row of a layout table (layouttable.h) becomes its widget,
// placed, styled and named, and a page is built from its table row by row.

// The tables a page's controls show: the record its boxes are bound to, and the one its displays show.
struct BoundTables {
    Table &boxes;
    Table &display;
};

// The controls of one page by object name, the pages themselves among them.
using ControlMap = QHash<QString, QWidget *>;

// The widget of a row, in its parent, placed and styled, with its object name.
QWidget *makeControl(const layouttable::Control &row, QWidget *parent, const BoundTables &tables);

// Builds the rows that stand on the page (on it, or in a group on it; the page is in controls), in the
// order of the table, which is the order of creation: each control is kept in controls under its name,
// named for assistive technology from the captions of the table (spokennames.h), and the rows with a
// tab order are put into the focus chain in that order.
void buildControls(const std::vector<layouttable::Control> &rows, QWidget &page, ControlMap &controls,
                   const BoundTables &tables);

// The largest pixel size of a wrapping state label, whose text is fitted to it (from its row).
int fittedPixels(const QWidget &label);

// The dot leader: the caption followed by ". " up to the given width in pixels of the font measured.
QString withLeader(const QString &caption, int width, const std::function<int(const QString &)> &textWidth);
