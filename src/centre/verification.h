#pragma once

#include "centre/archivelist.h"
#include "centre/figures.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace centre {

class CandidateTotals;
class DistrictCheck;

// What one archive cost, in nanoseconds: reading, decrypting and unpacking; the import's line checks
// and its storing; the complete check; reading the figures and adding them up.
struct PhaseTimes {
    qint64 open = 0;
    qint64 lines = 0;
    qint64 check = 0;
    qint64 aggregate = 0;
};

enum class ArchiveStatus {
    Ok,       // free of errors (I10 alone may stand in the findings)
    Errors,   // the complete check found errors
    Refused,  // unreadable, or its content is not a district the rules accept
    Copy,     // the same content as another archive of the district, which counts for both
    Conflict, // another archive of the district holds other content: neither counts
};

struct ArchiveResult {
    QString shown;
    ArchiveStatus status = ArchiveStatus::Refused;
    QString obvod; // the district as its protocol names it, once the protocol was read
    QString obec;
    QString okrsok;
    QString reason;       // Refused, Copy, Conflict: one Slovak line
    QStringList findings; // the error protocols' messages
    PhaseTimes times;
};

enum class DistrictStatus { Counted, Errors, Damaged, Conflict, Missing };

// One polling district as the summary lists it; the figures only when it is counted.
struct DistrictRow {
    QString obvod; // empty when no archive of it could be read
    QString obec;
    QString okrsok;
    DistrictStatus status = DistrictStatus::Missing;
    QString archive; // the archive counted, or the one that stands for the district's status
    QString note;
    std::array<qint32, COUNTS> counts{};
    std::array<qint32, PARTIES> votes{};
    std::array<qint32, PARTIES> vph{};
    std::array<qint64, PARTIES> preferential{};
};

struct GroupResult {
    std::vector<ArchiveResult> archives; // in the group's order
    std::optional<DistrictRow> row;      // none when the archives' name names no district
};

// Verifies the archives of one district with the district given: each is opened; when several were,
// they must hold the same content (one is checked and counted, the others noted as copies) or none of
// them counts. The district's figures go into totals when it is counted and totals is given.
GroupResult verifyGroup(DistrictCheck &district, const ArchiveGroup &group, CandidateTotals *totals);

} // namespace centre
