#include "centre/districtcheck.h"

#include "checks/completecheck.h"
#include "checks/sums.h"
#include "exchange/import.h"
#include "model/district.h"
#include "model/outcome.h"
#include "model/progress.h"
#include "print/printing.h"
#include "store/datamodule.h"
#include "store/table.h"

using namespace Qt::StringLiterals;

namespace centre {

// The busy window of a program without a window: nothing shown, pauses not waited.
class HeadlessProgress : public Progress {
public:
    void pracujem(const QString &) override {}
    void sleep(int) override {}
};

namespace {

// The messages of one step as one line: the error first, the rest after it in parentheses, a line
// break of a message as ", ". Empty when the step showed nothing.
QString oneLine(const Outcome &outcome) {
    QString headline;
    QStringList details;
    for (const Step &step : outcome.steps()) {
        if (!step.dialog() || step.text.isEmpty())
            continue;
        const QString text = QString(step.text).replace(u'\r', u", "_s);
        if (step.kind == Step::Kind::Error && headline.isEmpty())
            headline = text;
        else
            details.append(text);
    }
    if (headline.isEmpty() && !details.isEmpty())
        headline = details.takeFirst();
    return details.isEmpty() ? headline : headline + u" ("_s + details.join(u"; "_s) + u')';
}

} // namespace

DistrictCheck::DistrictCheck(const QString &codeListFolder)
    : m_data(DataModule::inMemory(codeListFolder)), m_progress(std::make_unique<HeadlessProgress>()),
      m_district(std::make_unique<District>(*m_data, *m_progress)) {}

DistrictCheck::~DistrictCheck() = default;

QString DistrictCheck::load(const QString &sName, const QByteArray &sFile, const QString &pName,
                            const QByteArray &pFile) {
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
    Outcome sRead;
    import_S1(*m_district, sFile, sRead);
    if (const QString refusal = oneLine(sRead); !refusal.isEmpty())
        return sName + u": "_s + refusal;
    Outcome pRead;
    import_P1(*m_district, pName, pFile, pRead);
    if (const QString refusal = oneLine(pRead); !refusal.isEmpty())
        return pName + u": "_s + refusal;
    // What the protocol page counts when its figures are entered, and the complete check reads.
    showPartyCounters(*m_district, partyTotals(m_district->TS1()));
    return {};
}

DistrictCheck::Verdict DistrictCheck::check() {
    // What it would show on the attachment pages concerns a window only.
    (void)KompletnaKontrola(*m_district);
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

QList<RenderedReport> DistrictCheck::documents() {
    (void)KompletnaKontrola(*m_district);
    return {TlacT12(*m_district), TlacT13(*m_district), TlacProtokol1(*m_district), TlacProtokol2(*m_district)};
}

} // namespace centre
