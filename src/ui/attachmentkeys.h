#pragma once

#include "ui/keys.h"

#include <QString>

#include <functional>

// The focus moves of the keys on the attachment pages, as pure functions of the box, the key and the
// party's candidate count, so that the whole table can be read and tested apart from the widgets.

namespace attachmentkeys {

// Whether the control of that object name can take the focus now (shown and enabled).
using CanFocus = std::function<bool(const QString &)>;

// The keys, from the window's key table: Enter covers the main and the keypad key.
using keys::Key;
using keys::keyOf;

// The number of the candidate box pK<n>, or 0 for any other name.
int candidateNumber(const QString &control);
QString candidateBox(int n);

// Where a key pressed in an entry box or a button of the attachment pages sends the focus: the object
// name of the target, or empty when the focus stays. count is the party's candidate count (EPocKand);
// groupShown says whether the candidate grid of page 1 (GroupBox3) is shown. A move to a candidate box
// only goes to a box that can take the focus: with a count of 0 the focus stays where it is.
QString keyTarget(const QString &control, Key key, int count, bool groupShown, const CanFocus &canFocus);

// Where releasing F10 sends the focus: from the grid of a page to its order-number box and back.
// Empty for any other control, or when the target cannot take the focus.
QString f10Target(const QString &control, const CanFocus &canFocus);

// Where a read-only sum box passes the focus on when it is entered (ePKC1..ePKC5), or empty.
QString sumBoxTarget(const QString &control, const CanFocus &canFocus);

} // namespace attachmentkeys
