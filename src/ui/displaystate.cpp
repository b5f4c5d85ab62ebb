#include "ui/displaystate.h"

#include "model/district.h"

#include <algorithm>

namespace {

template <typename T> bool set(T &member, const T &value) {
    if (member == value)
        return false;
    member = value;
    return true;
}

// The boxes a change names in emphasis; the boxes beyond them (party rows 22..26) never are.
template <std::size_t N> std::array<bool, N> emphasis(const QList<bool> &flags) {
    std::array<bool, N> boxes{};
    std::copy_n(flags.begin(), std::min<qsizetype>(flags.size(), qsizetype(N)), boxes.begin());
    return boxes;
}

} // namespace

bool DisplayState::apply(const DisplayChange &change) {
    switch (change.kind) {
    case DisplayChange::Kind::PartyEmphasis:
        return set(m_partyEmphasis, emphasis<form::partyFields + 1>(change.flags));
    case DisplayChange::Kind::CandidateEmphasis:
        return set(m_candidateEmphasis, emphasis<form::candidates + 1>(change.flags));
    case DisplayChange::Kind::Party: {
        const bool count = set(m_partyCount, change.texts.value(0));
        const bool name = set(m_partyName, change.texts.value(1));
        return set(m_enabledCandidates, change.count) || count || name;
    }
    case DisplayChange::Kind::Counter:
        return set(m_counter, change.texts.value(0));
    case DisplayChange::Kind::QuickChoiceItems:
        m_quickChoiceItems = change.texts;
        m_quickChoiceIndex = -1;
        m_quickChoiceText = quickChoicePrompt();
        return true;
    case DisplayChange::Kind::QuickChoiceIndex:
        return selectQuickChoice(change.count);
    case DisplayChange::Kind::ProtocolWrap:
        return set(m_protocolWrap, true);
    }
    return false;
}

bool DisplayState::followVotes(const District &district) {
    const bool none = district.asponhlas() == QStringLiteral("0");
    const bool changed = set(m_noVotes, none);
    return (none && set(m_counter, QStringLiteral("-"))) || changed;
}

bool DisplayState::selectQuickChoice(int index) {
    m_quickChoiceIndex = index >= 0 && index < m_quickChoiceItems.size() ? index : -1;
    if (m_quickChoiceIndex >= 0)
        m_quickChoiceText = m_quickChoiceItems.at(m_quickChoiceIndex);
    return true;
}

bool DisplayState::setQuickChoiceText(const QString &text) {
    return set(m_quickChoiceText, text);
}
