#pragma once

#include "model/district.h"

#include <QString>

// How every check reports a failure, by its mode: 1 shows the text at once in the plain message box,
// 0 appends it and an empty line to the memo, any other mode reports nothing.
// Returns whether the message box was shown, for the checks that then request a focus.
bool reportInMode(District &district, int mode, Memo District::*memo, const QString &text);
