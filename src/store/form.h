#pragma once

// The numbers of the paper forms, which the tables' fields, the checks and every page follow.
namespace form {

inline constexpr int partyFields = 26;           // PPHPS1..PPHPS26 of T/12; party numbers 1..26
inline constexpr int ballotParties = 21;         // the ballot numbers of this election: 1..21
inline constexpr int candidates = 150;           // K1..K150 of T/13
inline constexpr int candidatesOnFirstPage = 50; // T/13's first page holds 1..50, its second 51..150

} // namespace form
