#include "checks/completecheck.h"

#include "checks/sums.h"
#include "store/errors.h"
#include "support/districtsetup.h"

#include <QTest>

namespace {

const QString kBezChyb = QStringLiteral("          BEZ CHÝB");
const QString kI10 = QStringLiteral("I10 Rovnaký počet voličov zapísaných do zoznamu voličov a počet voličov, ktorí sa "
                                    "zúčastnili hlasovania");

// A memo or a table in short: the code of each line ("" for an empty line, "BEZ" for the closing line).
QStringList codes(const QStringList &lines) {
    QStringList result;
    for (const QString &line : lines)
        result.append(line == kBezChyb ? QStringLiteral("BEZ") : line.left(3));
    return result;
}

struct Row {
    QString code;
    QString text;
};

std::vector<Row> rows(Table &table) {
    std::vector<Row> result;
    table.first();
    for (int i = 0; i < table.recordCount(); ++i, table.next())
        result.push_back({table.text(QStringLiteral("KOD_CHYBY")), table.text(QStringLiteral("CH_OZNAM"))});
    return result;
}

} // namespace

class TestCompleteCheck : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void outcome_data();
    void outcome();
    void linesInOrderAndOneRowPerMessage();
    void cleanProtocolRows();
    void i10AloneRows();
    void noPartyWithVotesRunsNoAttachmentCheck();
    void endsOnTheFirstAttachment();
    void conversionErrorLeavesNoCleanResult();

private:
    // Parties 1 (50 votes) and 3 (30 votes) with attachments of zeros: a district without findings.
    void prepareCleanDistrict();
    std::unique_ptr<DistrictSetup> m_setup;
};

void TestCompleteCheck::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
    prepareCleanDistrict();
}

void TestCompleteCheck::cleanup() {
    m_setup.reset();
}

void TestCompleteCheck::prepareCleanDistrict() {
    m_setup->setValidProtocol({{1, 50}, {3, 30}});
    m_setup->p1().empty();
    for (const char *kon : {"1", "3"})
        m_setup->appendAttachment({{"OBVOD", "101"}, {"OBEC", "500011"}, {"OKRSOK", "1"}, {"KON", kon}});
    sKC3(m_setup->district());
}

void TestCompleteCheck::outcome_data() {
    QTest::addColumn<QStringList>("protocol");   // S1 field=value
    QTest::addColumn<QStringList>("attachment"); // field=value on the attachment of party 3
    QTest::addColumn<QStringList>("protokol1");
    QTest::addColumn<QStringList>("protokol2");
    QTest::addColumn<bool>("bezchybnost");

    const QStringList bez{QStringLiteral("BEZ")};
    QTest::newRow("no finding") << QStringList() << QStringList() << bez << bez << true;
    QTest::newRow("I10 alone") << QStringList{"PVO=1000", "POO=1000"} << QStringList() << QStringList{"I10", "", "BEZ"}
                               << bez << true;
    QTest::newRow("I10 with an error") << QStringList{"PVO=1000", "POO=1000", "PPHS=81"} << QStringList()
                                       << QStringList{"K09", "", "I10", ""} << bez << false;
    QTest::newRow("one error other than I10")
        << QStringList{"PVO=1001"} << QStringList() << QStringList{"K04", ""} << bez << false;
    QTest::newRow("errors only in Protokol2")
        << QStringList() << QStringList{"VPH=31", "K1=31"} << bez << QStringList{"K17", ""} << false;
    QTest::newRow("K18 after K09") << QStringList{"PPHS=29"} << QStringList{"VPH=30", "K1=30"} << QStringList{"K09", ""}
                                   << QStringList{"K18", ""} << false;
    QTest::newRow("K17 and K18 equal pass") << QStringList() << QStringList{"VPH=30", "K1=30"} << bez << bez << true;
}

void TestCompleteCheck::outcome() {
    QFETCH(QStringList, protocol);
    QFETCH(QStringList, attachment);
    QFETCH(QStringList, protokol1);
    QFETCH(QStringList, protokol2);
    QFETCH(bool, bezchybnost);

    Table &s1 = m_setup->s1();
    s1.edit();
    for (const QString &assignment : protocol)
        s1.setText(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    s1.post();
    QVERIFY(m_setup->goToParty(3));
    Table &p1 = m_setup->p1();
    p1.edit();
    for (const QString &assignment : attachment)
        p1.setText(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    p1.post();
    District &district = m_setup->district();
    district.setBezchybnost(!bezchybnost);

    m_setup->services.show(KompletnaKontrola(district));

    QCOMPARE(codes(district.Protokol1().lines), protokol1);
    QCOMPARE(codes(district.Protokol2().lines), protokol2);
    QCOMPARE(district.Bezchybnost(), bezchybnost);
    QVERIFY(m_setup->services.shown.protocolWrap());
    QCOMPARE(m_setup->services.busy, (QStringList{"Prebieha kompletná kontrola zápisnice", "off"}));
    QVERIFY(m_setup->services.messageBoxes.isEmpty());
}

void TestCompleteCheck::linesInOrderAndOneRowPerMessage() {
    // Protocol: K03 and K04. First attachment (party 1): its own K03; K14 and K16 for candidates 1, 2
    // and 5. Party 3: K17 only.
    m_setup->setProtocol({{"OKRSOK", "31"}, {"PVO", "1001"}});
    QVERIFY(m_setup->goToParty(1));
    m_setup->setAttachment({{"OKRSOK", "31"}, {"VPH", "2"}, {"K1", "3"}, {"K2", "3"}, {"K5", "3"}});
    QVERIFY(m_setup->goToParty(3));
    m_setup->setAttachment({{"VPH", "31"}, {"K1", "31"}});
    QVERIFY(m_setup->goToParty(1)); // the attachment's K02 and K03 run on the current one
    District &district = m_setup->district();

    for (int run = 1; run <= 2; ++run) {
        m_setup->services.show(KompletnaKontrola(district));

        const QStringList protokol1 = district.Protokol1().lines;
        QCOMPARE(codes(protokol1),
                 (QStringList{"K03", "", "K04", "", "K03", "", "K14", "", "K16", "", "K16", "", "K16", ""}));
        QVERIFY(protokol1.at(8).contains(QStringLiteral("kandidátom 1 ")));
        QVERIFY(protokol1.at(10).contains(QStringLiteral("kandidátom 2 ")));
        QVERIFY(protokol1.at(12).contains(QStringLiteral("kandidátom 5 ")));
        QCOMPARE(codes(district.Protokol2().lines), (QStringList{"K17", ""}));
        QVERIFY(!district.Bezchybnost());

        // On disk: one row per message, the code and the text after the code and its blank.
        const auto stored = m_setup->reopen();
        const std::vector<Row> rows1 = rows(stored->TProtokol1());
        QCOMPARE(int(rows1.size()), 7);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(rows1[i].code, protokol1.at(2 * i).left(3));
            QCOMPARE(rows1[i].text, protokol1.at(2 * i).mid(4));
        }
        // K14: from the second of the two blanks after the code on.
        QVERIFY(rows1[3].text.startsWith(QStringLiteral(" Číslo pol. strany: 1")));
        const std::vector<Row> rows2 = rows(stored->TProtokol2());
        QCOMPARE(int(rows2.size()), 1);
        QCOMPARE(rows2[0].code, QStringLiteral("K17"));
    }
}

void TestCompleteCheck::cleanProtocolRows() {
    // The rows of an earlier result with an error give way to the single closing row.
    m_setup->setProtocol({{"PVO", "1001"}});
    m_setup->services.show(KompletnaKontrola(m_setup->district()));
    QCOMPARE(rows(m_setup->reopen()->TProtokol1()).front().code, QStringLiteral("K04"));
    m_setup->setProtocol({{"PVO", "900"}});
    m_setup->services.show(KompletnaKontrola(m_setup->district()));

    QCOMPARE(m_setup->district().Protokol1().lines, QStringList{kBezChyb});
    QCOMPARE(m_setup->district().Protokol2().lines, QStringList{kBezChyb});
    const auto stored = m_setup->reopen();
    for (Table *table : {&stored->TProtokol1(), &stored->TProtokol2()}) {
        const std::vector<Row> tableRows = rows(*table);
        QCOMPARE(int(tableRows.size()), 1);
        QCOMPARE(tableRows[0].code, QString());
        QCOMPARE(tableRows[0].text, QStringLiteral("      BEZ CHÝB"));
    }
}

void TestCompleteCheck::i10AloneRows() {
    m_setup->setProtocol({{"PVO", "1000"}, {"POO", "1000"}});
    m_setup->services.show(KompletnaKontrola(m_setup->district()));

    QCOMPARE(m_setup->district().Protokol1().lines, (QStringList{kI10, QString(), kBezChyb}));
    const auto stored = m_setup->reopen();
    const std::vector<Row> stored1 = rows(stored->TProtokol1());
    QCOMPARE(int(stored1.size()), 2);
    QCOMPARE(stored1[0].code, QStringLiteral("I10"));
    QCOMPARE(stored1[0].text, kI10.mid(4));
    QCOMPARE(stored1[1].code, QString());
    QVERIFY(m_setup->district().Bezchybnost());
}

void TestCompleteCheck::noPartyWithVotesRunsNoAttachmentCheck() {
    // An attachment that would fail K14, K16 and K17 if it were checked.
    m_setup->setValidProtocol({});
    QVERIFY(m_setup->goToParty(3));
    m_setup->setAttachment({{"VPH", "40"}, {"K1", "500"}});
    sKC3(m_setup->district());
    m_setup->services.shown.apply({DisplayChange::Kind::Counter, {QStringLiteral("2")}});

    m_setup->services.show(KompletnaKontrola(m_setup->district()));

    QCOMPARE(m_setup->district().Protokol1().lines, QStringList{kBezChyb});
    QCOMPARE(m_setup->district().Protokol2().lines, QStringList{kBezChyb});
    QVERIFY(m_setup->district().Bezchybnost());
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("-"));
}

void TestCompleteCheck::endsOnTheFirstAttachment() {
    QVERIFY(m_setup->goToParty(3));
    District &district = m_setup->district();
    m_setup->services.shown.apply({DisplayChange::Kind::Counter, {QStringLiteral("2")}});

    m_setup->services.show(KompletnaKontrola(district));

    QCOMPARE(m_setup->p1().recordNumber(), 1);
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("1"));
    QCOMPARE(district.EPocKand(), QStringLiteral("150"));     // party 1
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), -1); // the list is empty until a regeneration fills it
    QCOMPARE(m_setup->services.focusRequests, QStringList{"pVPH"});

    // The list of a regenerated district: the first item; pVPH hidden (page 2): no focus request.
    m_setup->services.shown.apply(
        {DisplayChange::Kind::QuickChoiceItems,
         {QStringLiteral("Číslo politickej strany: 1"), QStringLiteral("Číslo politickej strany: 3")}});
    QVERIFY(m_setup->goToParty(3));
    m_setup->services.forget();
    m_setup->services.acceptAllFocus = false;
    m_setup->services.show(KompletnaKontrola(district));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), 0);
    QVERIFY(m_setup->services.focusRequests.isEmpty());
}

void TestCompleteCheck::conversionErrorLeavesNoCleanResult() {
    District &district = m_setup->district();
    m_setup->services.show(KompletnaKontrola(district));
    QVERIFY(district.Bezchybnost());
    m_setup->services.forget();

    // Data that bypassed the entry boxes: T12K04 cannot read POZZV.
    m_setup->setProtocol({{"POZZV", "1x"}});
    QVERIFY_THROWS_EXCEPTION(ConversionError, (void)KompletnaKontrola(district));

    QVERIFY(!district.Bezchybnost());
    QVERIFY(!district.Protokol1().lines.contains(kBezChyb));
    QVERIFY(!district.Protokol2().lines.contains(kBezChyb));
    QCOMPARE(m_setup->services.busy.last(), QStringLiteral("off"));
    // The tables keep the previous result.
    const auto stored = m_setup->reopen();
    const std::vector<Row> stored1 = rows(stored->TProtokol1());
    QCOMPARE(int(stored1.size()), 1);
    QCOMPARE(stored1[0].text, QStringLiteral("      BEZ CHÝB"));
}

QTEST_GUILESS_MAIN(TestCompleteCheck)
#include "test_completecheck.moc"
