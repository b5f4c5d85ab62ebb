#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class DataModule;
class Progress;
class Table;

// An error protocol: its lines in the order appended.
struct Memo {
    QStringList lines;
};

// The district's state beside the tables: what one operation leaves for another (the party counters,
// the current party's candidate count, the check flags, the error protocols, the candidate box entered
// last), owned by one object with one change signal. The window binds its controls to it; what the
// pages show beyond it (emphasis, the party's name, the counters of the attachment pages, the
// quick-choice list) reaches them in the operations' outcomes. The operations work on this object.
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
    // For the member pointers above: &District::m_Protokol1 is private, so these name them.
    static Memo District::*protokol1() { return &District::m_Protokol1; }
    static Memo District::*protokol2() { return &District::m_Protokol2; }

    // The current attachment's candidate count EPocKand, as the code list gives it ("0": party not found).
    QString EPocKand() const { return m_EPocKand; }
    void setEPocKand(const QString &text);

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
    QString m_EPocKand = QStringLiteral("1");
};
