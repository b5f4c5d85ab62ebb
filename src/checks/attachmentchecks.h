#pragma once

#include "checks/finding.h"
#include "checks/municipality.h"
#include "checks/protocolchecks.h"
#include "store/form.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class Table;

// The votes of the candidates 1..150 as stored texts, held in one string: a complete check reads the
// 150 fields of every attachment.
class CandidateTexts {
public:
    CandidateTexts();                                  // every text empty
    explicit CandidateTexts(const QStringList &texts); // candidate n's at n - 1; empty beyond the list
    explicit CandidateTexts(const Table &p1);          // K1..K150 of P1's current record
    QStringView operator[](int index) const {          // candidate index + 1's
        return QStringView(m_texts).sliced(m_bounds[index], m_bounds[index + 1] - m_bounds[index]);
    }

private:
    template <typename Append> void fill(Append append); // append(n, m_texts) adds candidate n's text
    QString m_texts;
    std::array<int, form::candidates + 1> m_bounds{}; // candidate n's text: from m_bounds[n - 1] to m_bounds[n]
};

// The fields of a P1 record (one attachment) that the checks compare, as stored texts, converted only
// by the check that compares them.
struct AttachmentRecord {
    QString obec;
    QString okrsok;
    QString kon;
    QString vph;
    CandidateTexts candidates; // K1..K150
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
