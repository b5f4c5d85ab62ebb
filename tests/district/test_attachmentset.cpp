#include "district/attachmentset.h"

#include "checks/sums.h"
#include "store/errors.h"
#include "support/districtsetup.h"

#include <QTest>

namespace {

QStringList konsOf(Table &p1) {
    QStringList kons;
    p1.first();
    for (int i = 0; i < p1.recordCount(); ++i, p1.next())
        kons.append(p1.text(schemas::P1_KON));
    return kons;
}

QStringList recordOf(const Table &table) {
    QStringList fields;
    for (int i = 0; i < table.fieldCount(); ++i)
        fields.append(table.text(i));
    return fields;
}

} // namespace

class TestAttachmentSet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void partiesThreeAndSeven();
    void scratchTableLeftEmpty();
    void keptContentFollowsTheProtocol();
    void partyWithoutVotesIsSetAsideAndComesBack();
    void firstOfTwoRecordsWithOneKonRemains();
    void nobodyHasAVote();
    void failedRegenerationKeepsTheOldSet();
    void gate_data();
    void gate();
    void forwardAndBack();
    void refusedMoveStays();
    void quickChoice_data();
    void quickChoice();
    void refusedQuickChoiceSelectsTheCurrentItem();
    void zeroingKeepsTheIdentification();

private:
    void generateParties(const std::map<int, int> &votes);
    std::unique_ptr<DistrictSetup> m_setup;
};

void TestAttachmentSet::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
}

void TestAttachmentSet::cleanup() {
    m_setup.reset();
}

void TestAttachmentSet::generateParties(const std::map<int, int> &votes) {
    m_setup->setValidProtocol(votes);
    m_setup->services.show(GeneratingP1(m_setup->district()));
    m_setup->services.forget();
}

void TestAttachmentSet::partiesThreeAndSeven() {
    m_setup->setValidProtocol({{3, 30}, {7, 20}});
    District &district = m_setup->district();
    m_setup->services.show(GeneratingP1(district));

    QVERIFY(m_setup->services.messageBoxes.isEmpty());
    QCOMPARE(m_setup->services.shown.quickChoiceItems(),
             (QStringList{"Číslo politickej strany: 3", "Číslo politickej strany: 7"}));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), -1);
    QCOMPARE(m_setup->services.shown.quickChoiceText(), QStringLiteral("Prechod na inú politickú stranu"));
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("1"));
    QCOMPARE(district.asponhlas(), QStringLiteral("2"));
    // The party lookup ran for party 3, the first attachment.
    QCOMPARE(district.EPocKand(), QStringLiteral("12"));
    QCOMPARE(m_setup->services.shown.partyName(), QStringLiteral("Únia pltníkov"));
    QCOMPARE(m_setup->services.shown.enabledCandidates(), 12);

    // On disk: the placeholder of the wipe is gone, two records of zeros with the protocol's
    // identification and KC1; the protocol marked; P1_temp empty.
    const auto stored = m_setup->reopen();
    Table &p1 = stored->TP1();
    QCOMPARE(konsOf(p1), (QStringList{"3", "7"}));
    p1.first();
    for (int kon : {3, 7}) {
        QCOMPARE(p1.text(QStringLiteral("OBVOD")), QStringLiteral("101"));
        QCOMPARE(p1.text(QStringLiteral("OBEC")), QStringLiteral("500011"));
        QCOMPARE(p1.text(QStringLiteral("OKRSOK")), QStringLiteral("1"));
        QCOMPARE(p1.text(QStringLiteral("KC1")), QString::number(101 + 500011 + 1 + kon));
        for (int i = schemas::P1_VPH; i < p1.fieldCount(); ++i)
            if (i != schemas::P1_KC1)
                QCOMPARE(p1.text(i), QStringLiteral("0"));
        p1.next();
    }
    QCOMPARE(stored->TS1().text(QStringLiteral("TYPV")), QStringLiteral("1"));
    QCOMPARE(stored->TP1_TEMP().recordCount(), 0);
}

void TestAttachmentSet::scratchTableLeftEmpty() {
    // Rows left in P1_temp (by a program stopped in the middle) neither reach P1 nor stay.
    Table &temp = m_setup->data().TP1_TEMP();
    for (int i = 0; i < 2; ++i) {
        temp.append();
        for (int f = 0; f < temp.fieldCount(); ++f)
            temp.setText(f, QStringLiteral("9"));
        temp.post();
    }
    m_setup->setValidProtocol({{3, 30}});

    m_setup->services.show(GeneratingP1(m_setup->district()));

    const auto stored = m_setup->reopen();
    QCOMPARE(stored->TP1_TEMP().recordCount(), 0);
    QCOMPARE(konsOf(stored->TP1()), QStringList{"3"});
    QCOMPARE(stored->TP1().text(QStringLiteral("VPH")), QStringLiteral("0"));
}

void TestAttachmentSet::keptContentFollowsTheProtocol() {
    generateParties({{3, 30}, {7, 20}});
    QVERIFY(m_setup->goToParty(7));
    m_setup->setAttachment({{"TYPV", "2"},
                            {"VPH", "12"},
                            {"K1", "5"},
                            {"K150", "7"},
                            {"KC2", "24"},
                            {"KC3", "5"},
                            {"KC5", "1050"},
                            {"STAV", "1"},
                            {"KCT", "987654"}});
    const QStringList before = recordOf(m_setup->p1());
    m_setup->setProtocol({{"OBEC", "500023"}, {"OKRSOK", "2"}});

    m_setup->services.show(GeneratingP1(m_setup->district()));

    const auto stored = m_setup->reopen();
    Table &p1 = stored->TP1();
    QVERIFY(p1.locate(QStringLiteral("KON"), QStringLiteral("7")));
    const QStringList after = recordOf(p1);
    for (int i = 0; i < p1.fieldCount(); ++i) {
        const QString name = p1.schema().fields[i].name;
        if (name == QLatin1String("OBEC"))
            QCOMPARE(after[i], QStringLiteral("500023"));
        else if (name == QLatin1String("OKRSOK"))
            QCOMPARE(after[i], QStringLiteral("2"));
        else if (name == QLatin1String("KC1"))
            QCOMPARE(after[i], QString::number(101 + 500023 + 2 + 7));
        else
            QCOMPARE(after[i], before[i]);
    }
}

void TestAttachmentSet::partyWithoutVotesIsSetAsideAndComesBack() {
    generateParties({{3, 30}, {7, 20}});
    QVERIFY(m_setup->goToParty(7));
    m_setup->setAttachment({{"VPH", "12"}, {"K2", "9"}});
    const QStringList keyed = recordOf(m_setup->p1());

    // A mistyped 0 in party 7's votes: its attachment leaves P1 but is kept aside, durably.
    m_setup->setPartyVotes({{3, 30}});
    m_setup->services.show(GeneratingP1(m_setup->district()));
    QCOMPARE(konsOf(m_setup->p1()), QStringList{"3"});
    QCOMPARE(m_setup->services.shown.quickChoiceItems(), QStringList{"Číslo politickej strany: 3"});
    QCOMPARE(m_setup->reopen()->TP1_ODLOZ().recordCount(), 1);

    // The party comes back with its attachment as it was keyed, not zeros, and leaves the aside copy.
    m_setup->setPartyVotes({{3, 30}, {7, 1}});
    m_setup->services.show(GeneratingP1(m_setup->district()));
    QCOMPARE(konsOf(m_setup->p1()), (QStringList{"3", "7"}));
    QVERIFY(m_setup->goToParty(7));
    QCOMPARE(recordOf(m_setup->p1()), keyed);
    QCOMPARE(m_setup->reopen()->TP1_ODLOZ().recordCount(), 0);

    // An attachment without any figure is dropped as before: nothing to keep.
    m_setup->setAttachment({{"VPH", "0"}, {"K2", "0"}});
    m_setup->setPartyVotes({{3, 30}});
    m_setup->services.show(GeneratingP1(m_setup->district()));
    m_setup->setPartyVotes({{3, 30}, {7, 1}});
    m_setup->services.show(GeneratingP1(m_setup->district()));
    QVERIFY(m_setup->goToParty(7));
    QCOMPARE(m_setup->p1().text(QStringLiteral("K2")), QStringLiteral("0"));
    QCOMPARE(m_setup->data().TP1_ODLOZ().recordCount(), 0);
}

void TestAttachmentSet::firstOfTwoRecordsWithOneKonRemains() {
    m_setup->setValidProtocol({{5, 40}});
    m_setup->appendAttachment({{"KON", "5"}, {"VPH", "11"}});
    m_setup->appendAttachment({{"KON", "27"}, {"VPH", "13"}});
    m_setup->appendAttachment({{"KON", "5"}, {"VPH", "22"}});

    m_setup->services.show(GeneratingP1(m_setup->district()));

    QCOMPARE(konsOf(m_setup->p1()), QStringList{"5"});
    QCOMPARE(m_setup->p1().text(QStringLiteral("VPH")), QStringLiteral("11"));
}

void TestAttachmentSet::nobodyHasAVote() {
    generateParties({{3, 30}});
    District &district = m_setup->district();
    const QStringList items = m_setup->services.shown.quickChoiceItems();
    m_setup->setValidProtocol({}); // TYPV "0" too

    m_setup->services.show(GeneratingP1(district));

    QCOMPARE(m_setup->services.messageBoxes, QStringList{"Nikto nedostal ani 1 hlas"});
    QCOMPARE(m_setup->services.shown.quickChoiceItems(), items);
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("-"));
    QVERIFY(m_setup->services.shown.noVotes());
    const auto stored = m_setup->reopen();
    QCOMPARE(konsOf(stored->TP1()), QStringList{"3"});
    QCOMPARE(stored->TS1().text(QStringLiteral("TYPV")), QStringLiteral("1"));
    QCOMPARE(stored->TP1_TEMP().recordCount(), 0);
}

void TestAttachmentSet::failedRegenerationKeepsTheOldSet() {
    generateParties({{3, 30}});
    QVERIFY(m_setup->goToParty(3));
    m_setup->setAttachment({{"VPH", "12"}});
    const QStringList items = m_setup->services.shown.quickChoiceItems();
    // A district code that bypassed the entry boxes: KC1 of the first new attachment cannot be summed.
    m_setup->setProtocol({{"OBVOD", "1x"}});
    m_setup->setPartyVotes({{3, 30}, {7, 20}});

    QVERIFY_THROWS_EXCEPTION(ConversionError, (void)GeneratingP1(m_setup->district()));

    QCOMPARE(m_setup->services.shown.quickChoiceItems(), items);
    QCOMPARE(konsOf(m_setup->p1()), QStringList{"3"});
    const auto stored = m_setup->reopen();
    QCOMPARE(konsOf(stored->TP1()), QStringList{"3"});
    QCOMPARE(stored->TP1().text(QStringLiteral("VPH")), QStringLiteral("12"));
    QCOMPARE(stored->TP1_TEMP().recordCount(), 0);
}

void TestAttachmentSet::gate_data() {
    QTest::addColumn<QString>("vph");
    QTest::addColumn<QString>("k1");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<bool>("passes");

    QTest::newRow("sum between VPH and 4 x VPH") << "10"
                                                 << "40" << QStringList() << true;
    QTest::newRow("K14 fails") << "10"
                               << "41" << QStringList{"K14"} << false;
    QTest::newRow("K15 fails") << "10"
                               << "9" << QStringList{"K15"} << false;
    // Only figures that bypassed the entry boxes fail both: 4 x VPH < sum < VPH.
    QTest::newRow("both fail") << "-2"
                               << "-5" << QStringList{"K14", "K15"} << false;
}

void TestAttachmentSet::gate() {
    QFETCH(QString, vph);
    QFETCH(QString, k1);
    QFETCH(QStringList, codes);
    QFETCH(bool, passes);
    generateParties({{3, 30}});
    m_setup->setAttachment({{"VPH", vph}, {"K1", k1}});
    District &district = m_setup->district();
    // Stale flags of an earlier run must not decide.
    district.setK14_OK(!passes);
    district.setK15_OK(!passes);

    Outcome gate;
    QCOMPARE(partyChangeGate(district, gate), passes);
    m_setup->services.show(gate);

    QStringList shown;
    for (const QString &text : m_setup->services.messageBoxes)
        shown.append(text.left(3));
    QCOMPARE(shown, codes);
}

void TestAttachmentSet::forwardAndBack() {
    generateParties({{1, 10}, {3, 30}, {7, 20}});
    District &district = m_setup->district();

    m_setup->services.show(DoPreduClick(district));
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("2"));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), 1);
    QCOMPARE(district.EPocKand(), QStringLiteral("12"));
    QCOMPARE(m_setup->services.focusRequests, QStringList{"pVPH"});

    m_setup->services.show(DoPreduClick(district));
    m_setup->services.show(DoPreduClick(district)); // on the last: stays
    QCOMPARE(m_setup->p1().text(schemas::P1_KON), QStringLiteral("7"));
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("3"));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), 2);
    QCOMPARE(district.EPocKand(), QStringLiteral("51"));

    m_setup->services.acceptAllFocus = false; // page 2 shown: pVPH cannot take the focus
    m_setup->services.forget();
    m_setup->services.show(DoZaduClick(district));
    m_setup->services.show(DoZaduClick(district));
    m_setup->services.show(DoZaduClick(district)); // on the first: stays
    QCOMPARE(m_setup->p1().text(schemas::P1_KON), QStringLiteral("1"));
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("1"));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), 0);
    QVERIFY(m_setup->services.focusRequests.isEmpty());
    QVERIFY(m_setup->services.messageBoxes.isEmpty());
}

void TestAttachmentSet::refusedMoveStays() {
    generateParties({{1, 10}, {3, 30}});
    District &district = m_setup->district();
    m_setup->setAttachment({{"VPH", "5"}, {"K3", "4"}}); // K15: 4 < 5

    m_setup->services.show(DoPreduClick(district));

    QCOMPARE(m_setup->p1().recordNumber(), 1);
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("1"));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), -1);
    QCOMPARE(m_setup->services.messageBoxes.size(), 1);
    QVERIFY(m_setup->services.messageBoxes.first().startsWith(QStringLiteral("K15")));
    QVERIFY(m_setup->services.focusRequests.isEmpty());
}

void TestAttachmentSet::quickChoice_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("kon");
    QTest::addColumn<QString>("label");

    QTest::newRow("third item") << 2 << "7"
                                << "3";
    QTest::newRow("first item") << 0 << "1"
                                << "1";
    QTest::newRow("none selected") << -1 << "1"
                                   << "1";
}

void TestAttachmentSet::quickChoice() {
    QFETCH(int, index);
    QFETCH(QString, kon);
    QFETCH(QString, label);
    generateParties({{1, 10}, {3, 30}, {7, 20}});
    m_setup->services.show(DoPreduClick(m_setup->district()));
    m_setup->services.forget();

    // The window selects the user's item before the change runs; the change keeps it.
    m_setup->services.shown.selectQuickChoice(index);
    m_setup->services.show(Combo_RychlaVolbaChange(m_setup->district(), index));

    QCOMPARE(m_setup->p1().text(schemas::P1_KON), kon);
    QCOMPARE(m_setup->services.shown.counter(), label);
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), index);
    QCOMPARE(m_setup->services.focusRequests, QStringList{"pVPH"});
}

void TestAttachmentSet::refusedQuickChoiceSelectsTheCurrentItem() {
    generateParties({{1, 10}, {3, 30}, {7, 20}});
    District &district = m_setup->district();
    m_setup->services.show(DoPreduClick(district));
    m_setup->setAttachment({{"VPH", "1"}, {"K1", "5"}}); // K14: 5 > 4

    m_setup->services.show(Combo_RychlaVolbaChange(district, 2));

    QCOMPARE(m_setup->p1().text(schemas::P1_KON), QStringLiteral("3"));
    QCOMPARE(m_setup->services.shown.quickChoiceIndex(), 1);
    QCOMPARE(m_setup->services.shown.counter(), QStringLiteral("2"));
}

void TestAttachmentSet::zeroingKeepsTheIdentification() {
    generateParties({{3, 30}, {7, 20}});
    QVERIFY(m_setup->goToParty(7));
    m_setup->setAttachment(
        {{"TYPV", "1"}, {"VPH", "12"}, {"K1", "5"}, {"K150", "7"}, {"KC5", "1050"}, {"STAV", "1"}, {"KCT", "987654"}});

    m_setup->services.show(VymazPolStranu(m_setup->district()));

    QCOMPARE(m_setup->services.focusRequests, QStringList{"pVPH"});
    const auto stored = m_setup->reopen();
    Table &p1 = stored->TP1();
    QVERIFY(p1.locate(QStringLiteral("KON"), QStringLiteral("7")));
    const QStringList identification{"1", "101", "500011", "1", "7"};
    QCOMPARE(recordOf(p1).mid(0, schemas::P1_VPH), identification);
    for (int i = schemas::P1_VPH; i < p1.fieldCount(); ++i)
        QCOMPARE(p1.text(i), QStringLiteral("0"));
    // The other attachment is untouched.
    QVERIFY(p1.locate(QStringLiteral("KON"), QStringLiteral("3")));
    QCOMPARE(p1.text(QStringLiteral("KC1")), QString::number(101 + 500011 + 1 + 3));
}

QTEST_GUILESS_MAIN(TestAttachmentSet)
#include "test_attachmentset.moc"
