#include "model/district.h"

#include "store/datamodule.h"

District::District(DataModule &data, Progress &progress) : m_data(data), m_progress(progress) {}

Table &District::TS1() {
    return m_data.TS1();
}
Table &District::TP1() {
    return m_data.TP1();
}

template <typename T> void District::set(T &member, const T &value) {
    if (member == value)
        return;
    member = value;
    emit changed();
}

void District::setAsponhlas(const QString &text) {
    set(m_asponhlas, text);
}
void District::setEPocetHlasov(const QString &text) {
    set(m_ePocetHlasov, text);
}
void District::setK14_OK(bool on) {
    set(m_K14_OK, on);
}
void District::setK15_OK(bool on) {
    set(m_K15_OK, on);
}
void District::setBezchybnost(bool on) {
    set(m_Bezchybnost, on);
}
void District::setPknumber(const QString &text) {
    set(m_pknumber, text);
}
void District::setLabel13(const QString &text) {
    set(m_Label13, text);
}
void District::setEPocKand(const QString &text) {
    set(m_EPocKand, text);
}
void District::setNazovKoal(const QString &text) {
    set(m_NazovKoal, text);
}
void District::setNoVotes(bool on) {
    set(m_noVotes, on);
}
void District::setEnabledCandidates(int count) {
    set(m_enabledCandidates, count);
}
void District::setCandidateEmphasis(const std::array<bool, 151> &emphasis) {
    set(m_candidateEmphasis, emphasis);
}
void District::setPartyEmphasis(const std::array<bool, 27> &emphasis) {
    set(m_partyEmphasis, emphasis);
}

void District::appendLine(Memo District::*memo, const QString &line) {
    (this->*memo).lines.append(line);
    emit changed();
}

void District::clearMemo(Memo District::*memo) {
    (this->*memo).lines.clear();
    emit changed();
}

void District::setWordWrap(Memo District::*memo, bool on) {
    set((this->*memo).wordWrap, on);
}

void District::clearCombo(const QString &text) {
    m_comboItems.clear();
    m_comboIndex = -1;
    m_comboText = text;
    emit changed();
}

void District::addComboItem(const QString &item) {
    m_comboItems.append(item);
    emit changed();
}

void District::setComboText(const QString &text) {
    set(m_comboText, text);
}

void District::setComboIndex(int index) {
    m_comboIndex = index >= 0 && index < m_comboItems.size() ? index : -1;
    if (m_comboIndex >= 0)
        m_comboText = m_comboItems.at(m_comboIndex);
    emit changed();
}
