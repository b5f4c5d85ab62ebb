#include "centre/districtcheck.h"

#include "checks/completecheck.h"
#include "checks/sums.h"
#include "exchange/import.h"
#include "model/district.h"
#include "model/services.h"
#include "print/printing.h"
#include "store/datamodule.h"
#include "store/table.h"

using namespace Qt::StringLiterals;

namespace centre {

// The window's services without a window: what the core would have shown is kept, questions are not
// asked (the operations used here ask none), pauses are not waited.
class HeadlessServices : public Services {
public:
    struct Message {
        QString text;
        bool error;
    };
    std::vector<Message> messages;
    QList<DistrictCheck::Document> reports;

    void messageBox(const QString &text) override { messages.push_back({text, false}); }
    int zobraz_spravu(const QString &text, int kind, Buttons) override {
        messages.push_back({text, kind == Error});
        return ResultOK;
    }
    void pracujem(const QString &) override {}
    void beep1() override {}
    void focus(const QString &) override {}
    void focusBox(FormBox) override {}
    bool canFocus(const QString &) const override { return false; }
    void sleep(int) override {}
    std::optional<QString> openFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &, const QString &) override {
        return {};
    }
    void outputReport(const QString &title, const QString &html) override { reports.append({title, html}); }

    // The messages of one step as one line: the error first, the rest after it in parentheses, a line
    // break of a message as ", ". Empty when the step showed nothing.
    QString takeLine() {
        QString headline;
        QStringList details;
        for (const Message &m : messages) {
            const QString text = QString(m.text).replace(u'\r', u", "_s);
            if (m.error && headline.isEmpty())
                headline = text;
            else
                details.append(text);
        }
        messages.clear();
        if (headline.isEmpty() && !details.isEmpty())
            headline = details.takeFirst();
        return details.isEmpty() ? headline : headline + u" ("_s + details.join(u"; "_s) + u')';
    }
};

DistrictCheck::DistrictCheck(const QString &codeListFolder)
    : m_data(DataModule::inMemory(codeListFolder)), m_services(std::make_unique<HeadlessServices>()),
      m_district(std::make_unique<District>(*m_data, *m_services)) {}

DistrictCheck::~DistrictCheck() = default;

QString DistrictCheck::load(const QString &sName, const QByteArray &sFile, const QString &pName,
                            const QByteArray &pFile) {
    m_services->messages.clear();
    // Nothing of the district before may stay: import_S1 keeps the fields the S file does not carry, and
    // a refused P file leaves P1 as it was. Those fields are as the database wipe leaves them (zeros),
    // which is where a district program that imports the archive starts from too.
    Table &s1 = m_district->TS1();
    s1.empty();
    s1.first();
    s1.edit();
    for (int k = 0; k < s1.fieldCount(); ++k)
        s1.setText(k, u"0"_s);
    s1.post();
    m_district->TP1().empty();
    import_S1(*m_district, sFile);
    if (const QString refusal = m_services->takeLine(); !refusal.isEmpty())
        return sName + u": "_s + refusal;
    import_P1(*m_district, pName, pFile);
    if (const QString refusal = m_services->takeLine(); !refusal.isEmpty())
        return pName + u": "_s + refusal;
    // What the protocol page counts when its figures are entered, and the complete check reads.
    showPartyCounters(*m_district, partyTotals(m_district->TS1()));
    return {};
}

DistrictCheck::Verdict DistrictCheck::check() {
    KompletnaKontrola(*m_district);
    Verdict verdict;
    verdict.clean = m_district->Bezchybnost();
    for (const Memo *memo : {&m_district->Protokol1(), &m_district->Protokol2()}) {
        for (const QString &line : memo->lines) {
            if (!line.trimmed().isEmpty() && line.trimmed() != u"BEZ CHÝB"_s)
                verdict.findings.append(line);
        }
    }
    return verdict;
}

QList<DistrictCheck::Document> DistrictCheck::documents() {
    KompletnaKontrola(*m_district);
    m_services->reports.clear();
    TlacT12(*m_district);
    TlacT13(*m_district);
    TlacProtokol1(*m_district);
    TlacProtokol2(*m_district);
    return std::exchange(m_services->reports, {});
}

} // namespace centre
