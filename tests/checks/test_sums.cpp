#include "checkfixture.h"
#include "checks/arithmetic.h"
#include "checks/sums.h"
#include "store/errors.h"

#include <QTest>

#include <limits>

using Fields = QMap<QString, QString>;

class TestSums : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m = std::make_unique<CheckFixture>();
        QVERIFY(m->isValid());
    }
    void cleanup() { m.reset(); }

    void protocolKC1AndKC2() {
        m->setProtocol({{"OBVOD", "1"},
                        {"OBEC", "123"},
                        {"OKRSOK", "3"},
                        {"POZZV", "100"},
                        {"PVO", "80"},
                        {"POO_POSTA", "5"},
                        {"POO", "70"},
                        {"PPHS", "60"}});
        sKC1(m->district());
        sKC2(m->district());
        QCOMPARE(m->data().TS1().text("KC1"), QStringLiteral("127"));
        QCOMPARE(m->data().TS1().text("KC2"), QStringLiteral("315"));
        // Each routine posted: a second data module on the same files reads the sums.
        DataModule reread(m->dataFolder());
        QCOMPARE(reread.TS1().text("KC1"), QStringLiteral("127"));
        QCOMPARE(reread.TS1().text("KC2"), QStringLiteral("315"));
    }

    void protocolKC3AndCounters_data() {
        QTest::addColumn<Fields>("votes");
        QTest::addColumn<QString>("kc3");
        QTest::addColumn<QString>("asponhlas");
        QTest::addColumn<QString>("total");
        QTest::newRow("parties 1 and 2") << Fields{{"PPHPS1", "10"}, {"PPHPS2", "5"}} << "20"
                                         << "2"
                                         << "15";
        QTest::newRow("no votes") << Fields{} << "0"
                                  << "0"
                                  << "0";
        QTest::newRow("party 26, never offered, still weighs 26") << Fields{{"PPHPS26", "1"}} << "26"
                                                                  << "1"
                                                                  << "1";
        QTest::newRow("a negative figure is no vote") << Fields{{"PPHPS3", "-2"}, {"PPHPS4", "1"}} << "-2"
                                                      << "1"
                                                      << "1";
    }
    void protocolKC3AndCounters() {
        QFETCH(Fields, votes);
        m->setProtocol(votes);
        m->services.shown.apply({DisplayChange::Kind::Counter, {"3"}});
        sKC3(m->district());
        QTEST(m->data().TS1().text("KC3"), "kc3");
        QTEST(m->district().asponhlas(), "asponhlas");
        QTEST(m->district().ePocetHlasov(), "total");
        const bool none = m->district().asponhlas() == "0";
        QCOMPARE(m->services.shown.noVotes(), none);
        // The counters are reset only when no party has a vote.
        QCOMPARE(m->services.shown.counter(), none ? QStringLiteral("-") : QStringLiteral("3"));
        QCOMPARE(DataModule(m->dataFolder()).TS1().text("KC3"), m->data().TS1().text("KC3"));
    }

    void votesComingBackLeaveTheNoVotesState() {
        sKC3(m->district());
        QVERIFY(m->services.shown.noVotes());
        m->setProtocol({{"PPHPS21", "4"}});
        sKC3(m->district());
        QVERIFY(!m->services.shown.noVotes());
        QCOMPARE(m->district().asponhlas(), QStringLiteral("1"));
    }

    void attachmentSums_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QStringList>("sums"); // KC1..KC5
        QTest::newRow("identification") << Fields{{"OBVOD", "1"}, {"OBEC", "123"}, {"OKRSOK", "3"}, {"KON", "7"}}
                                        << QStringList{"134", "0", "0", "0", "0"};
        QTest::newRow("VPH 123") << Fields{{"VPH", "123"}} << QStringList{"0", "246", "0", "0", "0"};
        QTest::newRow("candidate 50 in KC3") << Fields{{"K50", "1"}} << QStringList{"0", "0", "50", "0", "0"};
        QTest::newRow("candidate 51 weighs 51 in KC4") << Fields{{"K51", "1"}} << QStringList{"0", "0", "0", "51", "0"};
        QTest::newRow("candidate 100 in KC4") << Fields{{"K100", "1"}} << QStringList{"0", "0", "0", "100", "0"};
        QTest::newRow("candidate 101 in KC5") << Fields{{"K101", "1"}} << QStringList{"0", "0", "0", "0", "101"};
        QTest::newRow("K150 = 2") << Fields{{"K150", "2"}} << QStringList{"0", "0", "0", "0", "300"};
        QTest::newRow("exchanged figures change the sum")
            << Fields{{"K1", "2"}, {"K2", "1"}} << QStringList{"0", "0", "4", "0", "0"};
    }
    void attachmentSums() {
        QFETCH(Fields, fields);
        QFETCH(QStringList, sums);
        m->setAttachment(fields);
        pKC1to5(m->district());
        const QStringList names{"KC1", "KC2", "KC3", "KC4", "KC5"};
        DataModule reread(m->dataFolder());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(m->data().TP1().text(names[i]), sums[i]);
            QCOMPARE(reread.TP1().text(names[i]), sums[i]);
        }
    }

    void overflowKeepsTheStoredSum_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("sum");
        QTest::newRow("pKC5") << "KC5"
                              << "pKC5";
        QTest::newRow("pKC4") << "KC4"
                              << "pKC4";
        QTest::newRow("sKC3") << "KC3"
                              << "sKC3";
    }
    void overflowKeepsTheStoredSum() {
        QFETCH(QString, field);
        QFETCH(QString, sum);
        const bool protocol = sum.startsWith('s');
        Table &table = protocol ? m->data().TS1() : m->data().TP1();
        // Every figure of the group at its largest: the weighted sum leaves the 32-bit range.
        table.edit();
        for (int n = 1; n <= (protocol ? 26 : 150); ++n)
            table.setText((protocol ? "PPHPS" : "K") + QString::number(n), "9999999");
        table.setText(field, "777");
        table.post();
        m->district().setAsponhlas("5");
        auto run = protocol ? sKC3 : sum == "pKC4" ? pKC4 : pKC5;
        QVERIFY_THROWS_EXCEPTION(OverflowError, run(m->district()));
        QCOMPARE(table.text(field), QStringLiteral("777"));
        QVERIFY(!table.inEditState());
        QCOMPARE(m->district().asponhlas(), QStringLiteral("5"));
    }

    void overflowMessageIsSlovak() {
        try {
            add32(std::numeric_limits<qint32>::max(), 1);
            QFAIL("no overflow");
        } catch (const OverflowError &e) {
            QCOMPARE(e.message(), QStringLiteral("Aritmetické pretečenie: výsledok výpočtu je mimo rozsahu celých "
                                                 "čísel (-2147483648 až 2147483647)."));
        }
    }

    void checkedArithmetic_data() {
        constexpr qint32 max = std::numeric_limits<qint32>::max();
        constexpr qint32 min = std::numeric_limits<qint32>::min();
        QTest::addColumn<char>("op");
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<bool>("overflows");
        QTest::addColumn<qint32>("result");
        QTest::newRow("add up to max") << '+' << max - 1 << 1 << false << max;
        QTest::newRow("add past max") << '+' << max << 1 << true << 0;
        QTest::newRow("add past min") << '+' << min << -1 << true << 0;
        QTest::newRow("sub down to min") << '-' << min + 1 << 1 << false << min;
        QTest::newRow("sub past min") << '-' << min << 1 << true << 0;
        QTest::newRow("sub past max") << '-' << 0 << min << true << 0;
        QTest::newRow("mul within") << '*' << 46340 << 46340 << false << 2147395600;
        QTest::newRow("mul past max") << '*' << 46341 << 46341 << true << 0;
        QTest::newRow("mul min by -1") << '*' << min << -1 << true << 0;
        QTest::newRow("mul negative within") << '*' << -150 << 9999999 << false << -1499999850;
    }
    void checkedArithmetic() {
        QFETCH(char, op);
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(bool, overflows);
        auto run = [&] { return op == '+' ? add32(a, b) : op == '-' ? sub32(a, b) : mul32(a, b); };
        if (overflows)
            QVERIFY_THROWS_EXCEPTION(OverflowError, run());
        else
            QTEST(run(), "result");
    }

    void operandNotANumberKeepsTheSum() {
        m->setAttachment({{"VPH", ""}, {"KC2", "8"}});
        QVERIFY_THROWS_EXCEPTION(ConversionError, pKC2(m->district()));
        QCOMPARE(m->data().TP1().text("KC2"), QStringLiteral("8"));
    }

    // A protocol started by a first edit holds blank party votes until their page has been left once.
    void blankPartyVoteKeepsKC3AndCounters() {
        m->setProtocol({{"PPHPS1", "4"}, {"KC3", "9"}, {"PPHPS13", ""}});
        m->district().setAsponhlas("2");
        m->district().setEPocetHlasov("8");
        QVERIFY_THROWS_EXCEPTION(ConversionError, sKC3(m->district()));
        QCOMPARE(m->data().TS1().text("KC3"), QStringLiteral("9"));
        QCOMPARE(m->district().asponhlas(), QStringLiteral("2"));
        QCOMPARE(m->district().ePocetHlasov(), QStringLiteral("8"));
    }

    void sumOnAnEmptyTableFailsWithoutARecord() {
        m->data().TP1().empty();
        QVERIFY_THROWS_EXCEPTION(ConversionError, pKC1(m->district()));
        QCOMPARE(m->data().TP1().recordCount(), 0);
    }

private:
    std::unique_ptr<CheckFixture> m;
};

QTEST_GUILESS_MAIN(TestSums)
#include "test_sums.moc"
