#include "district/candidateentry.h"

#include "district/attachmentset.h"
#include "store/errors.h"
#include "support/districtsetup.h"

#include <QTest>

class TestCandidateEntry : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void candidateExitStoresAndSums();
    void candidateExitChecksTheBoxLeft();
    void exitSequence();
    void vphExitRunsK17();
    void vphOnAnEmptyTable();
    void conversionErrorLeavesTheRecordUnposted();
    void enteringSetsPknumber();
    void orderNumber_data();
    void orderNumber();
    void quickStore_data();
    void quickStore();
    void emptyOrderNumberStoresNothing();

private:
    std::unique_ptr<DistrictSetup> m_setup;
};

void TestCandidateEntry::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
    // Party 7 has 51 candidates in the code list; its attachment is current.
    m_setup->setValidProtocol({{7, 40}});
    m_setup->services.show(GeneratingP1(m_setup->district()));
    m_setup->setAttachment({{"VPH", "10"}});
    m_setup->services.forget();
}

void TestCandidateEntry::cleanup() {
    m_setup.reset();
}

void TestCandidateEntry::candidateExitStoresAndSums() {
    District &district = m_setup->district();
    m_setup->services.show(pK1Enter(district, 3));
    m_setup->p1().setText(QStringLiteral("K3"), QStringLiteral("007"));
    m_setup->services.show(pK1Exit(district));

    QVERIFY(m_setup->services.messageBoxes.isEmpty());
    QVERIFY(m_setup->services.shown.candidateEmphasis(3));
    QVERIFY(!m_setup->services.shown.candidateEmphasis(4));
    const auto stored = m_setup->reopen();
    Table &p1 = stored->TP1();
    QCOMPARE(p1.text(QStringLiteral("K3")), QStringLiteral("7"));
    QCOMPARE(p1.text(QStringLiteral("KC1")), QString::number(101 + 500011 + 1 + 7));
    QCOMPARE(p1.text(QStringLiteral("KC2")), QStringLiteral("20"));
    QCOMPARE(p1.text(QStringLiteral("KC3")), QStringLiteral("21"));

    // Clearing the box stores "0" and takes the emphasis away.
    m_setup->services.show(pK1Enter(district, 3));
    m_setup->p1().setText(QStringLiteral("K3"), QString());
    m_setup->services.show(pK1Exit(district));
    QCOMPARE(m_setup->reopen()->TP1().text(QStringLiteral("K3")), QStringLiteral("0"));
    QVERIFY(!m_setup->services.shown.candidateEmphasis(3));
}

void TestCandidateEntry::candidateExitChecksTheBoxLeft() {
    District &district = m_setup->district();
    // Candidate 2 already exceeds VPH: only the box left is checked.
    m_setup->setAttachment({{"K2", "50"}});
    m_setup->services.show(pK1Enter(district, 7));
    m_setup->p1().setText(QStringLiteral("K7"), QStringLiteral("11"));
    m_setup->services.show(pK1Exit(district));

    QCOMPARE(m_setup->services.messageBoxes.size(), 1);
    QVERIFY(m_setup->services.messageBoxes.first().startsWith(QStringLiteral("K16")));
    QVERIFY(m_setup->services.messageBoxes.first().contains(QStringLiteral("kandidátom 7 ")));
    QCOMPARE(m_setup->reopen()->TP1().text(QStringLiteral("K7")), QStringLiteral("11"));
}

void TestCandidateEntry::exitSequence() {
    // At the moment the check's message appears the record is posted, on disk, with its sums.
    District &district = m_setup->district();
    bool editing = true;
    bool emphasised = true;
    QString kc3OnDisk;
    m_setup->services.onMessage = [&](const QString &) {
        editing = m_setup->p1().inEditState();
        emphasised = m_setup->services.shown.candidateEmphasis(4);
        kc3OnDisk = m_setup->reopen()->TP1().text(QStringLiteral("KC3"));
    };
    m_setup->services.show(pK1Enter(district, 4));
    m_setup->p1().setText(QStringLiteral("K4"), QStringLiteral("0011"));
    m_setup->services.show(pK1Exit(district)); // K16: 11 > 10

    QCOMPARE(m_setup->services.messageBoxes.size(), 1);
    QVERIFY(!editing);
    QCOMPARE(kc3OnDisk, QStringLiteral("44"));
    // The emphasis follows the check.
    QVERIFY(!emphasised);
    QVERIFY(m_setup->services.shown.candidateEmphasis(4));
}

void TestCandidateEntry::vphExitRunsK17() {
    District &district = m_setup->district();
    m_setup->services.show(pOBVODEnter(district));
    m_setup->p1().setText(QStringLiteral("VPH"), QStringLiteral("41"));
    m_setup->services.show(pVPHExit(district));

    QCOMPARE(m_setup->services.messageBoxes.size(), 1);
    QVERIFY(m_setup->services.messageBoxes.first().startsWith(QStringLiteral("K17")));
    QCOMPARE(m_setup->reopen()->TP1().text(QStringLiteral("KC2")), QStringLiteral("82"));

    m_setup->services.forget();
    m_setup->services.show(pOBVODEnter(district));
    m_setup->p1().setText(QStringLiteral("VPH"), QStringLiteral("40"));
    m_setup->services.show(pVPHExit(district));
    QVERIFY(m_setup->services.messageBoxes.isEmpty());
}

void TestCandidateEntry::vphOnAnEmptyTable() {
    m_setup->p1().empty();
    District &district = m_setup->district();
    m_setup->services.show(pOBVODEnter(district)); // starts a record
    QVERIFY(m_setup->p1().inEditState());

    m_setup->services.show(pVPHExit(district));

    // The record holds KON "0", the placeholder of no party: K17 has nothing to compare and says nothing.
    QVERIFY(m_setup->services.messageBoxes.isEmpty());

    const auto stored = m_setup->reopen();
    QCOMPARE(stored->TP1().recordCount(), 1);
    for (int i = 0; i < stored->TP1().fieldCount(); ++i)
        QCOMPARE(stored->TP1().text(i), QStringLiteral("0"));
}

void TestCandidateEntry::conversionErrorLeavesTheRecordUnposted() {
    District &district = m_setup->district();
    m_setup->services.show(pK1Enter(district, 5));
    m_setup->p1().setText(QStringLiteral("K5"), QStringLiteral("5"));
    m_setup->p1().setText(QStringLiteral("KCT"), QStringLiteral("x1"));

    QVERIFY_THROWS_EXCEPTION(ConversionError, (void)pK1Exit(district));

    QVERIFY(m_setup->p1().inEditState());
    QCOMPARE(m_setup->reopen()->TP1().text(QStringLiteral("K5")), QStringLiteral("0"));
}

void TestCandidateEntry::enteringSetsPknumber() {
    District &district = m_setup->district();
    m_setup->services.show(pK1Enter(district, 150));
    QCOMPARE(district.pknumber(), QStringLiteral("150"));
    QVERIFY(m_setup->p1().inEditState());
}

void TestCandidateEntry::orderNumber_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("empty becomes 0") << "30"
                                     << ""
                                     << "0" << true;
    QTest::newRow("blanks become 0") << "30"
                                     << "  "
                                     << "0" << true;
    QTest::newRow("equal to the count") << "30"
                                        << "30"
                                        << "30" << true;
    QTest::newRow("one above the count") << "30"
                                         << "31"
                                         << "31" << false;
    QTest::newRow("count 0, order 1") << "0"
                                      << "1"
                                      << "1" << false;
}

void TestCandidateEntry::orderNumber() {
    QFETCH(QString, count);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, accepted);
    District &district = m_setup->district();
    district.setEPocKand(count);

    QString order = typed;
    Outcome refusal;
    QCOMPARE(quickOrderNumberAccepted(district, order, refusal), accepted);
    m_setup->services.show(refusal);

    QCOMPARE(order, after);
    const QStringList shown{"beep", "box:Poradové číslo je väčšie ako počet kandidátov"};
    QCOMPARE(m_setup->services.journal, accepted ? QStringList() : shown);
}

void TestCandidateEntry::quickStore_data() {
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("votes");
    QTest::addColumn<int>("candidate");
    QTest::addColumn<QString>("votesAfter");
    QTest::addColumn<QString>("kc3"); // KC3 stored afterwards
    QTest::addColumn<QString>("kc4");

    QTest::newRow("page 1, leading zeros") << "75"
                                           << "12"
                                           << "0045" << 12 << "45"
                                           << "540"
                                           << "0";
    QTest::newRow("page 2 candidate") << "75"
                                      << "60"
                                      << "3" << 60 << "3"
                                      << "0"
                                      << "180";
    QTest::newRow("50 on page 1") << "75"
                                  << "50"
                                  << "1" << 50 << "1"
                                  << "50"
                                  << "0";
    QTest::newRow("51 on page 2") << "75"
                                  << "51"
                                  << "1" << 51 << "1"
                                  << "0"
                                  << "51";
    QTest::newRow("empty votes store 0") << "75"
                                         << "12"
                                         << "" << 12 << "0"
                                         << "0"
                                         << "0";
    QTest::newRow("order 0 stores nothing") << "75"
                                            << "0"
                                            << "9" << 0 << "9"
                                            << "0"
                                            << "0";
    QTest::newRow("above the count") << "30"
                                     << "31"
                                     << "9" << 31 << "9"
                                     << "0"
                                     << "0";
    // Order number 156 of a count above 150 would name STAV, past the candidate fields.
    QTest::newRow("beyond 150 fields") << "200"
                                       << "156"
                                       << "9" << 156 << "9"
                                       << "0"
                                       << "0";
}

void TestCandidateEntry::quickStore() {
    QFETCH(QString, count);
    QFETCH(QString, order);
    QFETCH(QString, votes);
    QFETCH(int, candidate);
    QFETCH(QString, votesAfter);
    QFETCH(QString, kc3);
    QFETCH(QString, kc4);
    District &district = m_setup->district();
    district.setEPocKand(count);
    const QStringList fieldsBefore = [&] {
        QStringList all;
        for (int i = 0; i < m_setup->p1().fieldCount(); ++i)
            all.append(m_setup->p1().text(i));
        return all;
    }();

    QString votesText = votes;
    Outcome emphasis;
    QCOMPARE(::quickStore(district, order, votesText, emphasis), candidate);
    m_setup->services.show(emphasis);

    QCOMPARE(votesText, votesAfter);
    const auto stored = m_setup->reopen();
    Table &p1 = stored->TP1();
    const bool stores = candidate > 0 && candidate <= qMin(count.toInt(), 150);
    for (int n = 1; n <= 150; ++n) {
        const int position = schemas::P1_K1 + n - 1;
        QCOMPARE(p1.text(position), stores && n == candidate ? votesAfter : fieldsBefore[position]);
    }
    for (const QString &name : {QStringLiteral("STAV"), QStringLiteral("KCT")})
        QCOMPARE(p1.text(name), fieldsBefore[p1.fieldIndex(name)]);
    QCOMPARE(p1.text(QStringLiteral("KC3")), kc3);
    QCOMPARE(p1.text(QStringLiteral("KC4")), kc4);
    QCOMPARE(p1.text(QStringLiteral("KC2")), QStringLiteral("20")); // the sums ran in every case
    QCOMPARE(m_setup->services.shown.candidateEmphasis(12),
             stores && candidate == 12 && votesAfter != QLatin1String("0"));
    QVERIFY(m_setup->services.messageBoxes.isEmpty());
}

void TestCandidateEntry::emptyOrderNumberStoresNothing() {
    // An order-number box passed by with Tab or the mouse: the conversion error reaches the general error
    // box before anything is written; the typed vote count is not thrown away as if it had been stored.
    const auto storedRecord = [this] {
        const auto stored = m_setup->reopen();
        Table &p1 = stored->TP1();
        QStringList fields;
        for (int i = 0; i < p1.fieldCount(); ++i)
            fields.append(p1.text(i));
        return fields;
    };
    const QStringList before = storedRecord();
    QString votesText = QStringLiteral("9");
    Outcome emphasis;
    QVERIFY_THROWS_EXCEPTION(ConversionError,
                             ::quickStore(m_setup->district(), QStringLiteral(" "), votesText, emphasis));
    QCOMPARE(storedRecord(), before);
}

QTEST_GUILESS_MAIN(TestCandidateEntry)
#include "test_candidateentry.moc"
