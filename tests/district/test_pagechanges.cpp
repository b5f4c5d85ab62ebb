#include "district/pagechanges.h"

#include "district/attachmentset.h"
#include "store/errors.h"
#include "support/districtsetup.h"

#include <QTest>

class TestPageChanges : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void leavingThePartyPage();
    void regenerationMessageOverTheBusyWindow();
    void failedRegenerationHidesTheBusyWindow();
    void userPageChange_data();
    void userPageChange();

private:
    std::unique_ptr<DistrictSetup> m_setup;
};

void TestPageChanges::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
    m_setup->setValidProtocol({{3, 30}, {7, 20}});
}

void TestPageChanges::cleanup() {
    m_setup.reset();
}

void TestPageChanges::leavingThePartyPage() {
    m_setup->setProtocol({{"PPHS", "49"}}); // K09: the parties hold 50

    m_setup->services.show(partyPageCheck(m_setup->district()));
    m_setup->services.show(TabSheet2Exit(m_setup->district()));

    const QStringList &journal = m_setup->services.journal;
    QCOMPARE(journal.size(), 3);
    QVERIFY(journal.at(0).startsWith(QStringLiteral("box:K09")));
    QCOMPARE(journal.at(1), QStringLiteral("busy:Aktualizujem prílohy ..."));
    QCOMPARE(journal.at(2), QStringLiteral("busy:off"));
    QCOMPARE(m_setup->reopen()->TP1().recordCount(), 2);
    QCOMPARE(m_setup->services.shown.quickChoiceItems().size(), 2);
}

void TestPageChanges::regenerationMessageOverTheBusyWindow() {
    m_setup->setValidProtocol({});

    m_setup->services.show(TabSheet2Exit(m_setup->district()));

    QCOMPARE(m_setup->services.journal,
             (QStringList{"busy:Aktualizujem prílohy ...", "box:Nikto nedostal ani 1 hlas", "busy:off"}));
}

void TestPageChanges::failedRegenerationHidesTheBusyWindow() {
    m_setup->setProtocol({{"OBVOD", "1x"}}); // K09 passes; KC1 of the first attachment cannot be summed

    QVERIFY_THROWS_EXCEPTION(ConversionError, (void)TabSheet2Exit(m_setup->district()));

    QCOMPARE(m_setup->services.busy, (QStringList{"Aktualizujem prílohy ...", "off"}));
}

void TestPageChanges::userPageChange_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("sums");
    QTest::addColumn<QStringList>("focus");
    QTest::addColumn<bool>("completeCheck");

    QTest::newRow("TabSheet1") << 0 << true << QStringList() << false;
    QTest::newRow("TabSheet2") << 1 << false << QStringList() << false;
    QTest::newRow("TabSheet4") << 2 << true << QStringList{"pVPH"} << false;
    QTest::newRow("TabSheet5") << 3 << true << QStringList() << false;
    // The complete check ends by putting the focus into pVPH where it can go (here it can).
    QTest::newRow("TabSheet6") << 4 << true << QStringList{"pVPH"} << true;
}

void TestPageChanges::userPageChange() {
    QFETCH(int, page);
    QFETCH(bool, sums);
    QFETCH(QStringList, focus);
    QFETCH(bool, completeCheck);
    District &district = m_setup->district();
    m_setup->services.show(GeneratingP1(district));
    m_setup->setPartyVotes({{3, 30}, {5, 20}, {7, 20}});
    m_setup->services.forget();

    m_setup->services.show(PageControl1Change(district, page));

    QVERIFY(m_setup->services.shown.partyEmphasis(5));
    QCOMPARE(district.asponhlas(), sums ? QStringLiteral("3") : QStringLiteral("2"));
    QCOMPARE(m_setup->services.focusRequests, focus);
    QCOMPARE(!district.Protokol1().lines.isEmpty(), completeCheck);
    QCOMPARE(m_setup->services.busy.contains(QStringLiteral("Prebieha kompletná kontrola zápisnice")), completeCheck);
}

QTEST_GUILESS_MAIN(TestPageChanges)
#include "test_pagechanges.moc"
