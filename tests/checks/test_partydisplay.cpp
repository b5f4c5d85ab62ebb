#include "checkfixture.h"
#include "model/partydisplay.h"
#include "store/errors.h"

#include <QTest>

#include <array>

using Fields = QMap<QString, QString>;

class TestPartyDisplay : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m = std::make_unique<CheckFixture>();
        QVERIFY(m->isValid());
    }
    void cleanup() { m.reset(); }

    void lookup_data() {
        QTest::addColumn<QString>("kon");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<QString>("message");
        QTest::newRow("party 3") << "3"
                                 << "12"
                                 << "Únia pltníkov" << 12 << "";
        QTest::newRow("party 7, 51 candidates") << "7"
                                                << "51"
                                                << "Pastieri a mlynári" << 51 << "";
        QTest::newRow("party 1, every box") << "1"
                                            << "150"
                                            << "Čisté potoky" << 150 << "";
        QTest::newRow("not in the list") << "25"
                                         << "0"
                                         << "" << 0 << "Nenašiel som pol. stranu č. 25";
        QTest::newRow("matched as whole text") << "03"
                                               << "0"
                                               << "" << 0 << "Nenašiel som pol. stranu č. 03";
        QTest::newRow("placeholder record, no message") << "0"
                                                        << "0"
                                                        << "" << 0 << "";
    }
    void lookup() {
        QFETCH(QString, kon);
        QFETCH(QString, message);
        m->district().setNazovKoal("stará strana");
        m->setAttachment({{"KON", kon}});
        Outcome shown;
        PocKand(m->district(), shown);
        m->services.show(shown);
        QTEST(m->district().EPocKand(), "count");
        QTEST(m->district().NazovKoal(), "name");
        QTEST(m->district().enabledCandidates(), "enabled");
        QCOMPARE(m->services.messageBoxes, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void enabling_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("enabled");
        QTest::newRow("50") << "50" << 50;
        QTest::newRow("51") << "51" << 51;
        QTest::newRow("150") << "150" << 150;
        QTest::newRow("above the boxes") << "999" << 150;
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("blanks around") << " 24 " << 24;
    }
    void enabling() {
        QFETCH(QString, count);
        m->district().setEPocKand(count);
        Dis_pK(m->district());
        QTEST(m->district().enabledCandidates(), "enabled");
    }

    void countNotANumber() {
        m->district().setEnabledCandidates(33);
        m->district().setEPocKand("1x");
        QVERIFY_THROWS_EXCEPTION(ConversionError, Dis_pK(m->district()));
        QCOMPARE(m->district().enabledCandidates(), 33);
    }

    void candidateEmphasis() {
        m->setAttachment({{"K1", "0"}, {"K2", "5"}, {"K3", ""}, {"K51", "1"}, {"K150", "-1"}});
        boldnut(m->district());
        for (int n = 1; n <= 150; ++n) {
            const bool expected = n == 2 || n == 3 || n == 51 || n == 150;
            QVERIFY2(m->district().candidateEmphasis(n) == expected, qPrintable(QString::number(n)));
        }
        // Back to "0": regular again.
        m->setAttachment({{"K2", "0"}});
        boldnut(m->district());
        QVERIFY(!m->district().candidateEmphasis(2));
    }

    void partyEmphasisOfRowsInUse() {
        std::array<bool, 27> before{};
        before[22] = true; // rows 22..26 are never touched
        before[5] = true;
        m->district().setPartyEmphasis(before);
        m->setProtocol({{"PPHPS1", "3"}, {"PPHPS5", "0"}, {"PPHPS21", ""}, {"PPHPS22", "0"}, {"PPHPS23", "9"}});
        boldnutT12(m->district());
        for (int n = 1; n <= 26; ++n) {
            const bool expected = n == 1 || n == 21 || n == 22;
            QVERIFY2(m->district().partyEmphasis(n) == expected, qPrintable(QString::number(n)));
        }
    }

private:
    std::unique_ptr<CheckFixture> m;
};

QTEST_GUILESS_MAIN(TestPartyDisplay)
#include "test_partydisplay.moc"
