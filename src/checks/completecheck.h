#pragma once

#include "model/outcome.h"

class District;

// The complete check: every check in protocol mode, the two error protocols (memos and tables),
// Bezchybnost, and the refresh of the attachment pages for the first attachment, whose message and
// focus move it returns after the steps of the outcome so far (an operation's that runs it as a part),
// whose waiting dialogs its busy window follows.
[[nodiscard]] Outcome KompletnaKontrola(District &district, Outcome outcome = {});
