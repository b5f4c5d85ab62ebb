#pragma once

#include "model/outcome.h"

#include <QByteArray>
#include <QString>

class District;

// The import of an export archive: the protocol record and the attachments replaced by the archive's
// content once every line passed its TKC, then the complete check and the regeneration of the attachments.

// The open dialog of the IMPORT button: "Otvoriť" in initialDialogFolder().
FileQuestion archiveQuestion();

// The IMPORT button, once the window has asked archiveQuestion(): the archive's unpacking in memory, import_S1 and
// import_P1, the complete check, the regeneration, "Import je dokončený". An archive that is no ZIP archive, does not
// open with the password, is damaged or lacks a member changes nothing. Returns the messages, in their order.
[[nodiscard]] Outcome rozbal_zip(District &district, const QString &chosen);

// The S file's content: its first line checked and its 38 values stored into the protocol record. A
// failure goes into the outcome and leaves S1 unchanged.
void import_S1(District &district, const QByteArray &content, Outcome &outcome);

// The P file of that name (its leading "p" made "P") with its content: the name tested against the
// protocol's district, every line checked, and only then P1 replaced by the lines, in one step that a
// crash cannot leave half done. A failure goes into the outcome and leaves P1 unchanged.
void import_P1(District &district, QString name, const QByteArray &content, Outcome &outcome);
