#pragma once

#include <QString>

#include <array>
#include <variant>

class DataModule;

namespace centre {

// Ballot numbers in use and candidates per list: the S file carries the votes of parties 1 to 21.
inline constexpr int PARTIES = 21;
inline constexpr int CANDIDATES = 150;
// POZZV, PVO, POO_POSTA, POO, PPHS: the protocol's counts of voters, envelopes and valid votes.
inline constexpr int COUNTS = 5;

// What the centre sums of one district.
struct DistrictFigures {
    QString obvod;
    QString obec;
    QString okrsok;
    std::array<qint32, COUNTS> counts{};
    std::array<qint32, PARTIES> votes{};        // PPHPS1 .. PPHPS21
    std::array<qint32, PARTIES> vph{};          // voters who gave preferential votes, by party
    std::array<qint64, PARTIES> preferential{}; // preferential votes of the party's candidates together
    std::array<std::array<qint32, CANDIDATES>, PARTIES> candidates{};
};

// The figures of the district in S1 and P1 of the data module, once the complete check found it free of
// errors. The check compares each attachment with the protocol, not whether it belongs to it; a sum
// must not take an attachment of another district, one of a party off the ballot, or a party's second
// one: such a district is refused with a Slovak line saying which attachment is wrong.
std::variant<DistrictFigures, QString> readFigures(DataModule &data);

} // namespace centre
