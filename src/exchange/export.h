#pragma once

#include "model/outcome.h"

#include <QString>

#include <memory>
#include <optional>

class Action;
class District;

// The export of an error-free district as the password-protected archive "VQ" + OBEC + "." + OKRSOK
// holding the S file and the P file, into a folder the user chooses. It runs in two steps around the
// save dialog, which the window asks: up to the question, and the archive placed after the answer.

// How far the first step went: what to show before asking, and the question, unless the export ended.
struct ExportStep {
    Outcome outcome;
    std::optional<FileQuestion> question;
};

// The EXPORT button stopped at its question (or ended before it). The complete check, KTO and the
// export's log line are one action of the store: it stays open until finish() commits it, with the
// answer or without (a pending export dropped unfinished rolls it back).
class PendingExport {
public:
    PendingExport(District &district, ExportStep step, std::unique_ptr<Action> action);
    PendingExport(PendingExport &&) noexcept;
    ~PendingExport();

    const Outcome &outcome() const { return m_step.outcome; }
    const std::optional<FileQuestion> &question() const { return m_step.question; }
    // The answer to the question (nothing: cancelled, or no question): the archive placed (placeExport)
    // when a path was chosen, then the commit.
    [[nodiscard]] Outcome finish(const std::optional<QString> &chosen);

private:
    District &m_district;
    ExportStep m_step;
    std::unique_ptr<Action> m_action;
};

// The EXPORT button: the complete check, then ExportOkrsok.
[[nodiscard]] PendingExport Button16Click(District &district);

// Refuses a district with errors (Bezchybnost not ticked); otherwise marks KTO "0" and runs ExportVQ.
[[nodiscard]] ExportStep ExportOkrsok(District &district);

// The consistency of protocol and attachments; the save dialog to ask when they pass.
[[nodiscard]] ExportStep ExportVQ(District &district);

// After the save dialog: the archive built in memory and placed into the chosen path's folder under its
// own name: written, synced, read back and verified (members decrypted, every line's TKC checked) before
// it replaces a file of that name, then recorded in the export log. A failure leaves no partial archive
// and is shown with the operating system's error code.
[[nodiscard]] Outcome placeExport(District &district, const QString &chosen);
