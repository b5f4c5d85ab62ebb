#pragma once

#include "centre/candidatetotals.h"
#include "centre/codelists.h"
#include "centre/outputtable.h"
#include "centre/verification.h"

#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace centre {

// How many archives ended how.
struct ArchiveCounts {
    int all = 0;
    int ok = 0;
    int errors = 0;
    int refused = 0;
    int copies = 0;
    int conflicts = 0;
    bool allAccepted() const { return ok + copies == all; }
};

// The results of a run gathered for the summary: every district with an archive, by municipality and
// district number, the archives that name none, and the candidates' totals. What is kept grows with the
// districts, not with what they hold.
class Summary {
public:
    explicit Summary(const CodeLists &lists) : m_lists(lists) {}

    void add(const GroupResult &result);
    void setCandidates(CandidateTotals totals) { m_candidates = std::move(totals); }

    const ArchiveCounts &counts() const { return m_counts; }
    // Archives whose name gives no district, refused: shown name and reason.
    const std::vector<std::pair<QString, QString>> &unnamedRefused() const { return m_unnamed; }

    // Every district with an archive and every district of OBCE06 without one (status Missing), in the
    // order of electoral district, municipality and district number.
    std::vector<DistrictRow> districts() const;
    // The electoral district of a row: its protocol's, or the code list's for its municipality.
    QString obvodOf(const DistrictRow &row) const;
    QString municipalityName(const QString &obec) const;
    const CodeLists &lists() const { return m_lists; }

    OutputTable partiesTable() const;    // strany.csv
    OutputTable candidatesTable() const; // kandidati.csv
    OutputTable districtsTable() const;  // okrsky.csv

private:
    const CodeLists &m_lists;
    ArchiveCounts m_counts;
    std::map<std::pair<qint64, qint64>, DistrictRow> m_rows;
    std::vector<std::pair<QString, QString>> m_unnamed;
    CandidateTotals m_candidates;
};

// The word okrsky.csv and the messages give a district's status.
QString statusWord(DistrictStatus status);

} // namespace centre
