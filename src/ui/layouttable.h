#pragma once

#include <QString>

// One row of a page's layout table: a control of the form as data. Every page of the window lays out
// its controls in rows of this one kind; controlfactory.h turns a row into its widget. The rows are the
// only place of the controls' names, captions and places.

namespace layouttable {

enum class Kind {
    Group,      // QGroupBox, with its caption if it has one
    Label,      // plain caption
    Leader,     // caption followed by a dot leader up to the box after it
    Entry,      // TDBEdit_VQRA01 on a field of the record, money green focus
    ReadOnly,   // TDBEdit_VQRA01 on a field that cannot be typed into
    Sum,        // TDBEdit_VQRA01 on a control sum: read-only, sky blue, bold
    Display,    // label showing a field of the table the page displays
    Counter,    // disabled sky blue edit box showing a counter (asponhlas, EPocKand)
    StateLabel, // label showing the display state (Label13, NazovKoal)
    Button,
    Combo,  // Combo_RychlaVolba
    Flag,   // hidden check box that carries an outcome (K14_OK, K15_OK, Bezchybnost)
    Hidden, // hidden read-only edit box (pKON, pknumber)
    Quick,  // TAlignEdit of the quick entry
    Memo,   // read-only text of several lines, not wrapped
    Grid,   // read-only grid of a code list; its field names the columns, separated by blanks
};

enum Style : unsigned {
    Plain = 0,
    Bold = 1,
    WordWrap = 2,
    Centred = 4,   // across and down
    Top = 8,       // with Centred: across only, the text at the top
    Scrolled = 16, // a memo's vertical scroll bar always shown
};

struct Control {
    Kind kind;
    QString name;            // object name; empty for a plain caption
    QString parent;          // the page or group it stands in: its name, or the caption of a group without one
    QString text;            // caption, or initial text
    QString field;           // field of a bound control
    int x, y, width, height; // no width and height: the size its text asks for, when shown
    int maxLength = 0;       // 0: the field's width
    // Order among the siblings; -1: none given, the order of creation stands (a control that takes no
    // focus by Tab has none).
    int tabOrder = -1;
    unsigned style = Plain;
    int fontPixels = 0; // 0: the window's font
    // The name for assistive technology where neither the control's text nor the caption before it
    // says what it holds.
    QString spoken = {};
};

} // namespace layouttable
