#pragma once

#include "model/formbox.h"

#include <QString>

#include <optional>

// What a failed check reports: its code, the text the user reads (the same in the message box and in
// the error protocol), and the box it sends the user back to when shown at once (none for most).
struct Finding {
    QString code;
    QString text;
    std::optional<FormBox> box;

    bool operator==(const Finding &) const = default;
};
