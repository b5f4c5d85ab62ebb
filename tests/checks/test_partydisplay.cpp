#include "checkfixture.h"
#include "model/partydisplay.h"
#include "store/errors.h"

#include <QTest>

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
        m->services.shown.apply({DisplayChange::Kind::Party, {"33", "stará strana"}, {}, 33});
        m->setAttachment({{"KON", kon}});
        Outcome shown;
        PocKand(m->district(), shown);
        m->services.show(shown);
        QTEST(m->district().EPocKand(), "count");
        QTEST(m->services.shown.partyCount(), "count");
        QTEST(m->services.shown.partyName(), "name");
        QTEST(m->services.shown.enabledCandidates(), "enabled");
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
        QTEST(Dis_pK(count), "enabled");
    }

    void countNotANumber() {
        // A damaged code list: the lookup stops before the display changes.
        m->setAttachment({{"KON", "3"}});
        m->data().TVQ_KOAL().first();
        QVERIFY(m->data().TVQ_KOAL().locate("KON", "3"));
        m->data().TVQ_KOAL().edit();
        m->data().TVQ_KOAL().setText("POCKAN", "1x");
        m->data().TVQ_KOAL().post();
        Outcome shown;
        QVERIFY_THROWS_EXCEPTION(ConversionError, PocKand(m->district(), shown));
        QVERIFY(shown.steps().isEmpty());
    }

    void candidateEmphasis() {
        m->setAttachment({{"K1", "0"}, {"K2", "5"}, {"K3", ""}, {"K51", "1"}, {"K150", "-1"}});
        Outcome shown;
        boldnut(m->district(), shown);
        m->services.show(shown);
        for (int n = 1; n <= 150; ++n) {
            const bool expected = n == 2 || n == 3 || n == 51 || n == 150;
            QVERIFY2(m->services.shown.candidateEmphasis(n) == expected, qPrintable(QString::number(n)));
        }
        // Back to "0": regular again.
        m->setAttachment({{"K2", "0"}});
        Outcome again;
        boldnut(m->district(), again);
        m->services.show(again);
        QVERIFY(!m->services.shown.candidateEmphasis(2));
    }

    void partyEmphasisOfRowsInUse() {
        m->setProtocol({{"PPHPS5", "4"}});
        Outcome before;
        boldnutT12(m->district(), before);
        m->services.show(before);
        m->setProtocol({{"PPHPS1", "3"}, {"PPHPS5", "0"}, {"PPHPS21", ""}, {"PPHPS22", "0"}, {"PPHPS23", "9"}});
        Outcome shown;
        boldnutT12(m->district(), shown);
        m->services.show(shown);
        // Rows 22..26 are never emphasised, whatever they hold.
        for (int n = 1; n <= 26; ++n) {
            const bool expected = n == 1 || n == 21;
            QVERIFY2(m->services.shown.partyEmphasis(n) == expected, qPrintable(QString::number(n)));
        }
    }

private:
    std::unique_ptr<CheckFixture> m;
};

QTEST_GUILESS_MAIN(TestPartyDisplay)
#include "test_partydisplay.moc"
