#pragma once

#include "checks/finding.h"
#include "model/district.h"
#include "model/outcome.h"

#include <functional>
#include <optional>

// Where the callers of the checks send a finding: shown at once, or into an error protocol.
using Report = std::function<void(const Finding &)>;

// Into the outcome: the plain message box with the text, then the focus of the finding's box, if it has one.
Report showAtOnce(Outcome &outcome);
// The text and an empty line appended to the memo.
Report intoMemo(District &district, Memo District::*memo);

inline void report(const Report &to, const std::optional<Finding> &finding) {
    if (finding)
        to(*finding);
}
