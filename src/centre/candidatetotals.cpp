#include "centre/candidatetotals.h"

namespace centre {

namespace {

void addInto(CandidateVotes &sum, const CandidateVotes &votes) {
    for (int p = 0; p < PARTIES; ++p)
        for (int n = 0; n < CANDIDATES; ++n)
            sum[p][n] += votes[p][n];
}

} // namespace

void CandidateTotals::add(const DistrictFigures &figures) {
    CandidateVotes &sum = m_byObvod.try_emplace(figures.obvod).first->second;
    for (int p = 0; p < PARTIES; ++p)
        for (int n = 0; n < CANDIDATES; ++n)
            sum[p][n] += figures.candidates[p][n];
}

void CandidateTotals::merge(const CandidateTotals &other) {
    for (const auto &[obvod, votes] : other.m_byObvod)
        addInto(m_byObvod.try_emplace(obvod).first->second, votes);
}

CandidateVotes CandidateTotals::total() const {
    CandidateVotes sum{};
    for (const auto &[obvod, votes] : m_byObvod)
        addInto(sum, votes);
    return sum;
}

} // namespace centre
