#pragma once

#include "centre/figures.h"

#include <QString>

#include <array>
#include <map>

namespace centre {

// Preferential votes of every candidate of every party, summed.
using CandidateVotes = std::array<std::array<qint64, CANDIDATES>, PARTIES>;

// The candidates' preferential votes by electoral district (OBVOD). Its size depends on the number of
// electoral districts, not of polling districts: each thread sums its own, and the sums are merged.
class CandidateTotals {
public:
    void add(const DistrictFigures &figures);
    void merge(const CandidateTotals &other);
    const std::map<QString, CandidateVotes> &byObvod() const { return m_byObvod; }
    CandidateVotes total() const;

private:
    std::map<QString, CandidateVotes> m_byObvod;
};

} // namespace centre
