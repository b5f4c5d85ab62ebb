#pragma once

#include "model/outcome.h"
#include "store/form.h"

#include <QString>
#include <QStringList>

#include <array>

class District;

// What the pages show beside the tables' figures and the district's state: the emphasis of the figures,
// the current attachment's party and counter, the no-votes state, the quick-choice list and the error
// protocols' wrap. It changes where an operation's outcome says so. Each change tells whether anything
// changed.
class DisplayState {
public:
    bool apply(const DisplayChange &change);

    // boldnut and boldnutT12: candidate boxes 1..150 and party-vote boxes 1..26 in bold red.
    bool candidateEmphasis(int n) const { return m_candidateEmphasis.at(n); }
    bool partyEmphasis(int n) const { return m_partyEmphasis.at(n); }

    // The party of the current attachment: EPocKand and NazovKoal / NazovKoal_2; Dis_pK enables candidate
    // boxes 1..enabledCandidates(), and dalsia_strana when more than 50 are.
    QString partyCount() const { return m_partyCount; }
    QString partyName() const { return m_partyName; }
    int enabledCandidates() const { return m_enabledCandidates; }

    // Label13 and Label13_2: the current record's number, or "-" (always while no party has a vote, and
    // after that until an operation shows a record).
    QString counter() const { return m_noVotes ? QStringLiteral("-") : m_counter; }

    // No party has a vote (asponhlas 0): GroupBox3 and GroupBox4 hidden, DoZadu and DoPredu disabled, the
    // counter "-". Taken from the district whenever it changes.
    bool noVotes() const { return m_noVotes; }
    bool followVotes(const District &district);

    // Combo_RychlaVolba: items, the index selected (-1: none) and the text it shows.
    QStringList quickChoiceItems() const { return m_quickChoiceItems; }
    int quickChoiceIndex() const { return m_quickChoiceIndex; }
    QString quickChoiceText() const { return m_quickChoiceText; }
    // The user's selection; the text follows a valid index.
    bool selectQuickChoice(int index);
    // Text typed into the list, naming no item or another one than selected.
    bool setQuickChoiceText(const QString &text);

    // The memos of the error protocols start without word wrap; the complete check turns it on.
    bool protocolWrap() const { return m_protocolWrap; }

private:
    // What the list shows while nothing is selected.
    static QString quickChoicePrompt() { return QStringLiteral("Prechod na inú politickú stranu"); }

    std::array<bool, form::candidates + 1> m_candidateEmphasis{};
    std::array<bool, form::partyFields + 1> m_partyEmphasis{};
    QString m_partyCount = QStringLiteral("1");
    QString m_partyName;
    int m_enabledCandidates = form::candidates;
    QString m_counter = QStringLiteral("-");
    bool m_noVotes = false;
    QStringList m_quickChoiceItems;
    int m_quickChoiceIndex = -1;
    QString m_quickChoiceText = quickChoicePrompt();
    bool m_protocolWrap = false;
};
