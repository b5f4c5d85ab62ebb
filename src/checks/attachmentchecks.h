#pragma once

#include "checks/finding.h"
#include "checks/municipality.h"
#include "checks/protocolchecks.h"
#include "store/form.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class Table;

// The fields of a P1 record (one attachment) that the checks compare, as stored texts, converted only
// by the check that compares them.
struct AttachmentRecord {
    QString obec;
    QString okrsok;
    QString kon;
    QString vph;
    std::array<QString, form::candidates> candidates; // K1..K150
};

// The current record of P1, read once.
AttachmentRecord attachmentRecord(const Table &p1);
// Every record of P1 in table order; P1 is left on its first record.
std::vector<AttachmentRecord> attachmentRecords(Table &p1);

// The K14 and K15 headings differ by the blank before the colon between the message box and the memo.
enum class Wording { MessageBox, Protocol };

// The checks of the attachments T/13, each on the values it compares. K02 of an attachment is
// checkMunicipalityCode without a box. None of them sends the user back to a box.
std::optional<Finding> T13K03(const AttachmentRecord &p1, const std::optional<Municipality> &municipality);
std::optional<Finding> T13K14(const AttachmentRecord &p1, Wording wording);
std::optional<Finding> T13K15(const AttachmentRecord &p1, Wording wording);
// K16 of candidate 1..150; none for any other number.
std::optional<Finding> T13K16(const AttachmentRecord &p1, int candidate);
std::optional<Finding> T13K17(const AttachmentRecord &p1, const ProtocolRecord &s1);
// K18 over all attachments.
std::optional<Finding> T13K18(const std::vector<AttachmentRecord> &attachments, const ProtocolRecord &s1);
