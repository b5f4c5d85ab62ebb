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
void District::setEPocKand(const QString &text) {
    set(m_EPocKand, text);
}

void District::appendLine(Memo District::*memo, const QString &line) {
    (this->*memo).lines.append(line);
    emit changed();
}

void District::clearMemo(Memo District::*memo) {
    (this->*memo).lines.clear();
    emit changed();
}
