#include "ui/formdisplay.h"

#include "model/district.h"

#include <algorithm>

template <typename T> void FormDisplay::set(T &member, const T &value) {
    if (member == value)
        return;
    member = value;
    emit changed();
}

void FormDisplay::apply(const DisplayChange &change) {
    switch (change.kind) {
    case DisplayChange::Kind::PartyEmphasis: {
        std::array<bool, form::partyFields + 1> emphasis = m_partyEmphasis;
        std::copy_n(change.flags.begin(), std::min<qsizetype>(change.flags.size(), emphasis.size()), emphasis.begin());
        set(m_partyEmphasis, emphasis);
        break;
    }
    case DisplayChange::Kind::CandidateEmphasis: {
        std::array<bool, form::candidates + 1> emphasis{};
        std::copy_n(change.flags.begin(), std::min<qsizetype>(change.flags.size(), emphasis.size()), emphasis.begin());
        set(m_candidateEmphasis, emphasis);
        break;
    }
    case DisplayChange::Kind::Party:
        m_partyCount = change.texts.value(0);
        m_partyName = change.texts.value(1);
        m_enabledCandidates = change.count;
        emit changed();
        break;
    case DisplayChange::Kind::Counter:
        set(m_counter, change.texts.value(0));
        break;
    case DisplayChange::Kind::QuickChoiceItems:
        m_quickChoiceItems = change.texts;
        m_quickChoiceIndex = -1;
        m_quickChoiceText = quickChoicePrompt();
        emit changed();
        break;
    case DisplayChange::Kind::QuickChoiceIndex:
        selectQuickChoice(change.count);
        break;
    case DisplayChange::Kind::ProtocolWrap:
        set(m_protocolWrap, true);
        break;
    }
}

void FormDisplay::followVotes(const District &district) {
    const auto follow = [this, &district] { setNoVotes(district.asponhlas() == QStringLiteral("0")); };
    connect(&district, &District::changed, this, follow);
    follow();
}

void FormDisplay::setNoVotes(bool on) {
    set(m_noVotes, on);
    if (on)
        set(m_counter, QStringLiteral("-"));
}

void FormDisplay::selectQuickChoice(int index) {
    m_quickChoiceIndex = index >= 0 && index < m_quickChoiceItems.size() ? index : -1;
    if (m_quickChoiceIndex >= 0)
        m_quickChoiceText = m_quickChoiceItems.at(m_quickChoiceIndex);
    emit changed();
}

void FormDisplay::setQuickChoiceText(const QString &text) {
    set(m_quickChoiceText, text);
}
