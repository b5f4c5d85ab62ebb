#pragma once

#include "store/form.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

class DataModule;
class Progress;
class Table;

// A multi-line memo of the window: its lines in the order appended, and its word wrap.
struct Memo {
    QStringList lines;
    bool wordWrap = false; // the memos start without word wrap
};

// The state the window shows beside the tables: every outcome that one operation leaves for another
// (the party counters, the check flags, the error protocols, the attachment pages' display), owned by
// one object with one change signal. The window binds its controls to it and keeps no copy of its own.
// The operations (sums, checks, the attachment set, the entry processing) work on this object.
class District : public QObject {
    Q_OBJECT
public:
    District(DataModule &data, Progress &progress);

    DataModule &data() { return m_data; }
    // The busy window, for the operations that run long.
    Progress &progress() { return m_progress; }
    Table &TS1();
    Table &TP1();

    // Party counters of the protocol page (sKC3): number of parties with a vote, and their votes.
    QString asponhlas() const { return m_asponhlas; }
    void setAsponhlas(const QString &text);
    QString ePocetHlasov() const { return m_ePocetHlasov; }
    void setEPocetHlasov(const QString &text);

    // Pass flags of K14 and K15; the error-free flag of the complete check.
    bool K14_OK() const { return m_K14_OK; }
    void setK14_OK(bool on);
    bool K15_OK() const { return m_K15_OK; }
    void setK15_OK(bool on);
    bool Bezchybnost() const { return m_Bezchybnost; }
    void setBezchybnost(bool on);

    // The candidate box entered last, as decimal text.
    QString pknumber() const { return m_pknumber; }
    void setPknumber(const QString &text);

    // The error-protocol memos.
    const Memo &Protokol1() const { return m_Protokol1; }
    const Memo &Protokol2() const { return m_Protokol2; }
    void appendLine(Memo District::*memo, const QString &line);
    void clearMemo(Memo District::*memo);
    void setWordWrap(Memo District::*memo, bool on);
    // For the member pointers above: &District::m_Protokol1 is private, so these name them.
    static Memo District::*protokol1() { return &District::m_Protokol1; }
    static Memo District::*protokol2() { return &District::m_Protokol2; }

    // Attachment counters Label13 and Label13_2 (one text shown by both): a record number or "-".
    QString Label13() const { return m_Label13; }
    void setLabel13(const QString &text);

    // The quick-choice list Combo_RychlaVolba: items, selected index (-1 none) and its text.
    QStringList comboItems() const { return m_comboItems; }
    int comboIndex() const { return m_comboIndex; }
    QString comboText() const { return m_comboText; }
    void clearCombo(const QString &text);
    void addComboItem(const QString &item);
    void setComboIndex(int index);
    // The text typed into the list, which names no item or another one than selected.
    void setComboText(const QString &text);

    // Candidate count EPocKand and the party's short name NazovKoal / NazovKoal_2.
    QString EPocKand() const { return m_EPocKand; }
    void setEPocKand(const QString &text);
    QString NazovKoal() const { return m_NazovKoal; }
    void setNazovKoal(const QString &text);

    // No-votes state: GroupBox3 and GroupBox4 hidden, DoZadu and DoPredu disabled.
    bool noVotes() const { return m_noVotes; }
    void setNoVotes(bool on);

    // Dis_pK: candidate boxes 1..enabledCandidates() are enabled (white), the rest disabled (silver);
    // dalsia_strana is enabled when more than 50 are.
    int enabledCandidates() const { return m_enabledCandidates; }
    void setEnabledCandidates(int count);

    // boldnut and boldnutT12: which candidate boxes (1..150) and party-vote boxes (1..21) are bold red.
    bool candidateEmphasis(int n) const { return m_candidateEmphasis.at(n); }
    void setCandidateEmphasis(const std::array<bool, 151> &emphasis);
    bool partyEmphasis(int n) const { return m_partyEmphasis.at(n); }
    void setPartyEmphasis(const std::array<bool, 27> &emphasis);

signals:
    // Any of the state above changed.
    void changed();

private:
    template <typename T> void set(T &member, const T &value);

    DataModule &m_data;
    Progress &m_progress;
    QString m_asponhlas = QStringLiteral("0");
    QString m_ePocetHlasov = QStringLiteral("0");
    bool m_K14_OK = false;
    bool m_K15_OK = false;
    bool m_Bezchybnost = false;
    QString m_pknumber;
    Memo m_Protokol1;
    Memo m_Protokol2;
    QString m_Label13 = QStringLiteral("-");
    QStringList m_comboItems;
    int m_comboIndex = -1;
    QString m_comboText = QStringLiteral("Prechod na inú politickú stranu");
    QString m_EPocKand = QStringLiteral("1");
    QString m_NazovKoal;
    bool m_noVotes = false;
    int m_enabledCandidates = form::candidates;
    std::array<bool, 151> m_candidateEmphasis{};
    std::array<bool, 27> m_partyEmphasis{};
};
