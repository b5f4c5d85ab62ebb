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

// The table a bound row (a box, a display, a grid) shows: each page knows its own.
using TableOf = std::function<Table &(const layouttable::Control &row)>;

// The controls of pages by object name, the pages themselves among them; a group without a name by its
// caption, so that the rows in it can name it as their parent.
using ControlMap = QHash<QString, QWidget *>;

// The widget of a row, in its parent, placed and styled, with its object name.
QWidget *makeControl(const layouttable::Control &row, QWidget *parent, const TableOf &tableOf);

// Builds the rows that stand on the page (on it, or in a group on it; the page is in controls), in the
// order of the table, which is the order of creation: each control is kept in controls under its name,
// named for assistive technology from the captions of the table (spokennames.h), and the rows with a
// tab order are put into the focus chain in that order.
void buildControls(const std::vector<layouttable::Control> &rows, QWidget &page, ControlMap &controls,
                   const TableOf &tableOf);

// The largest pixel size of a wrapping state label, whose text is fitted to it (from its row).
int fittedPixels(const QWidget &label);

// The dot leader: the caption followed by ". " up to the given width in pixels of the font measured.
QString withLeader(const QString &caption, int width, const std::function<int(const QString &)> &textWidth);
