#include "district/protocolentry.h"

#include "store/errors.h"
#include "support/districtsetup.h"

#include <QTest>

class TestProtocolEntry : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void normalisation_data();
    void normalisation();
    void nonNumericTextStopsBeforeThePost();
    void enteringStartsTheRecord();
    void boxExit_data();
    void boxExit();
    void boxExitNormalisesAndSums();
    void partyVoteExit();

private:
    std::unique_ptr<DistrictSetup> m_setup;
};

void TestProtocolEntry::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
    m_setup->setValidProtocol({{1, 50}, {3, 30}});
}

void TestProtocolEntry::cleanup() {
    m_setup.reset();
}

void TestProtocolEntry::normalisation_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("leading zeros") << "007"
                                   << "7";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("blanks only") << "   "
                                 << "0";
    QTest::newRow("leading blank") << " 42"
                                   << "42";
    QTest::newRow("zero") << "0000"
                          << "0";
    QTest::newRow("plain") << "1234567"
                           << "1234567";
}

void TestProtocolEntry::normalisation() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Table &s1 = m_setup->s1();
    s1.edit();
    s1.setText(QStringLiteral("POZZV"), typed);
    s1.setText(QStringLiteral("PVO"), typed);
    s1.setText(QStringLiteral("POO"), typed);

    normalizeFields(s1, 4, 5); // POZZV and PVO, not POO

    QCOMPARE(s1.text(QStringLiteral("POZZV")), stored);
    QCOMPARE(s1.text(QStringLiteral("PVO")), stored);
    QCOMPARE(s1.text(QStringLiteral("POO")), typed.trimmed().isEmpty() ? QString() : typed);
}

void TestProtocolEntry::nonNumericTextStopsBeforeThePost() {
    eOBVODEnter(m_setup->district());
    m_setup->s1().setText(QStringLiteral("PVO"), QStringLiteral("4x"));

    QVERIFY_THROWS_EXCEPTION(ConversionError, (void)protocolBoxExit(m_setup->district(), FormBox::Pvo));

    QVERIFY(m_setup->s1().inEditState());
    QCOMPARE(m_setup->reopen()->TS1().text(QStringLiteral("PVO")), QStringLiteral("900"));
    QVERIFY(m_setup->services.messageBoxes.isEmpty());
}

void TestProtocolEntry::enteringStartsTheRecord() {
    m_setup->s1().empty();
    eOBVODEnter(m_setup->district());
    QVERIFY(m_setup->s1().inEditState());
    m_setup->s1().setText(QStringLiteral("OBVOD"), QStringLiteral("101"));

    m_setup->services.show(protocolBoxExit(m_setup->district(), FormBox::Obvod));

    // A record started by the first edit: 0..9 zero-filled, the party votes after PPHPS1 still blank.
    const auto stored = m_setup->reopen();
    QCOMPARE(stored->TS1().recordCount(), 1);
    QCOMPARE(stored->TS1().text(QStringLiteral("OBVOD")), QStringLiteral("101"));
    QCOMPARE(stored->TS1().text(QStringLiteral("PPHPS1")), QStringLiteral("0"));
    QCOMPARE(stored->TS1().text(QStringLiteral("PPHPS2")), QString());
    QCOMPARE(stored->TS1().text(QStringLiteral("KC1")), QStringLiteral("101"));
}

void TestProtocolEntry::boxExit_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("fields"); // field=value written before the exit
    QTest::addColumn<QStringList>("codes");  // codes of the messages shown
    QTest::addColumn<QStringList>("focus");

    QTest::newRow("eOBVOD runs no check") << "eOBVOD" << QStringList{"OBEC=999999"} << QStringList() << QStringList();
    QTest::newRow("eOBEC unknown") << "eOBEC" << QStringList{"OBEC=999999"} << QStringList{"K02"}
                                   << QStringList{"eOBEC"};
    QTest::newRow("eOBEC other district")
        << "eOBEC" << QStringList{"OBVOD=102"} << QStringList{"K01"} << QStringList{"eOBVOD"};
    QTest::newRow("eOKRSOK above the count")
        << "eOKRSOK" << QStringList{"OKRSOK=31"} << QStringList{"K03"} << QStringList{"eOKRSOK"};
    QTest::newRow("ePOZZV runs no check") << "ePOZZV" << QStringList{"POZZV=899"} << QStringList() << QStringList();
    QTest::newRow("ePVO K04") << "ePVO" << QStringList{"PVO=1001", "POO=1001"} << QStringList{"K04"} << QStringList();
    QTest::newRow("ePVO I10") << "ePVO" << QStringList{"PVO=1000", "POO=1000"} << QStringList{"I10"} << QStringList();
    QTest::newRow("ePOO_POSTA K05") << "ePOO_POSTA" << QStringList{"POO_POSTA=901"} << QStringList{"K05"}
                                    << QStringList();
    QTest::newRow("ePOO K06 and K07") << "ePOO" << QStringList{"POO=901"} << QStringList{"K06", "K07"} << QStringList();
    QTest::newRow("ePPHS K08") << "ePPHS" << QStringList{"POO=70", "PPHS=71"} << QStringList{"K08"} << QStringList();
    QTest::newRow("ePPHS runs no K09") << "ePPHS" << QStringList{"PPHS=81"} << QStringList() << QStringList();
}

void TestProtocolEntry::boxExit() {
    QFETCH(QString, box);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, focus);
    District &district = m_setup->district();
    eOBVODEnter(district);
    for (const QString &assignment : fields)
        m_setup->s1().setText(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));

    m_setup->services.show(protocolBoxExit(district, formBoxOf(box)));

    QStringList shown;
    for (const QString &text : m_setup->services.messageBoxes)
        shown.append(text.left(3));
    QCOMPARE(shown, codes);
    QCOMPARE(m_setup->services.focusRequests, focus);
    QVERIFY(!m_setup->s1().inEditState());
}

void TestProtocolEntry::boxExitNormalisesAndSums() {
    District &district = m_setup->district();
    eOBVODEnter(district);
    Table &s1 = m_setup->s1();
    s1.setText(QStringLiteral("POZZV"), QStringLiteral("0042"));
    s1.setText(QStringLiteral("PVO"), QStringLiteral("40"));
    s1.setText(QStringLiteral("PPHPS1"), QString());
    s1.setText(QStringLiteral("PPHPS2"), QStringLiteral("007")); // outside 0..9: left as it is

    m_setup->services.show(protocolBoxExit(district, FormBox::Pozzv));

    const auto stored = m_setup->reopen();
    Table &onDisk = stored->TS1();
    QCOMPARE(onDisk.text(QStringLiteral("POZZV")), QStringLiteral("42"));
    QCOMPARE(onDisk.text(QStringLiteral("PPHPS1")), QStringLiteral("0"));
    QCOMPARE(onDisk.text(QStringLiteral("PPHPS2")), QStringLiteral("007"));
    QCOMPARE(onDisk.text(QStringLiteral("KC1")), QString::number(101 + 500011 + 1));
    QCOMPARE(onDisk.text(QStringLiteral("KC2")), QString::number(42 + 40 + 0 + 900 + 80));
    QVERIFY(m_setup->services.messageBoxes.isEmpty());

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, (void)protocolBoxExit(district, FormBox::Vph));
}

void TestProtocolEntry::partyVoteExit() {
    District &district = m_setup->district();
    eOBVODEnter(district);
    Table &s1 = m_setup->s1();
    s1.setText(QStringLiteral("PPHPS3"), QString());
    s1.setText(QStringLiteral("PPHPS5"), QStringLiteral("0012"));
    s1.setText(QStringLiteral("KC1"), QString());

    m_setup->services.show(ePPHPS1Exit(district));

    const auto stored = m_setup->reopen();
    QCOMPARE(stored->TS1().text(QStringLiteral("PPHPS3")), QStringLiteral("0"));
    QCOMPARE(stored->TS1().text(QStringLiteral("PPHPS5")), QStringLiteral("12"));
    QCOMPARE(stored->TS1().text(QStringLiteral("KC1")), QStringLiteral("0"));
    QCOMPARE(stored->TS1().text(QStringLiteral("KC3")), QString::number(1 * 50 + 5 * 12));
    QCOMPARE(district.asponhlas(), QStringLiteral("2"));
    QCOMPARE(district.ePocetHlasov(), QStringLiteral("62"));
    QVERIFY(m_setup->services.shown.partyEmphasis(1));
    QVERIFY(!m_setup->services.shown.partyEmphasis(3));
    QVERIFY(m_setup->services.shown.partyEmphasis(5));
}

QTEST_GUILESS_MAIN(TestProtocolEntry)
#include "test_protocolentry.moc"
