#include "checkfixture.h"
#include "checks/protocolchecks.h"
#include "store/errors.h"

#include <QTest>

#include <functional>

using Fields = QMap<QString, QString>;
using Check = std::function<void(District &, int)>;

namespace {

Check checkNamed(const QString &name) {
    static const QMap<QString, Check> checks{{"K04", T12K04}, {"K05", T12K05}, {"K06", T12K06}, {"K07", T12K07},
                                             {"K08", T12K08}, {"K09", T12K09}, {"I10", T12I10}};
    return checks.value(name);
}

} // namespace

class TestProtocolChecks : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m = std::make_unique<CheckFixture>();
        QVERIFY(m->isValid());
        // A municipality of our own: district code kept with a leading zero, three polling districts.
        m->appendMunicipality("099", "999999", "Skúšobná Obec", "3");
    }
    void cleanup() { m.reset(); }

    void figureChecks_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("message"); // empty: the check passes

        QTest::newRow("K04 equal") << "K04" << Fields{{"POZZV", "10"}, {"PVO", "10"}} << "";
        QTest::newRow("K04 one over")
            << "K04" << Fields{{"POZZV", "10"}, {"PVO", "11"}}
            << "K04 Počet voličov zapísaných v zozname voličov je menší ako počet voličov, ktorí sa zúčastnili na "
               "hlasovaní zap.voliči: 10, zúčast.: 11, rozdiel = 1";
        QTest::newRow("K05 equal") << "K05" << Fields{{"PVO", "5"}, {"POO_POSTA", "5"}} << "";
        QTest::newRow("K05 over")
            << "K05" << Fields{{"PVO", "5"}, {"POO_POSTA", "7"}}
            << "K05 Počet voličov, ktorí sa zúč. na hlasovaní je menší ako počet voličov, ktorí zaslali návratnú "
               "obálku  Zúčast.: 5 , N-obálky.: 7, rozdiel = 2";
        QTest::newRow("K06 equal") << "K06" << Fields{{"PVO", "5"}, {"POO", "5"}} << "";
        QTest::newRow("K06 one over")
            << "K06" << Fields{{"PVO", "5"}, {"POO", "6"}}
            << "K06 Počet voličov, ktorí sa zúčastnili na hlasovaní je menší ako počet odovzdaných obálok,  Zúčast.: "
               "5 , odovzd. obálky: 6, rozdiel = 1";
        QTest::newRow("K07 equal") << "K07" << Fields{{"PVO", "10"}, {"POO", "7"}, {"POO_POSTA", "3"}} << "";
        QTest::newRow("K07 one over")
            << "K07" << Fields{{"PVO", "10"}, {"POO", "7"}, {"POO_POSTA", "4"}}
            << "K07 Počet voličov, ktorí sa zúčastnili na hlasovaní je menší ako súčet údajov počet odovzdaných "
               "obálok a počet voličov, ktorí zaslali návratnú obálku,  Zúčast.: 10 , odovzd. obálky: 7 , návratné "
               "obálky.: 4, rozdiel = 1";
        QTest::newRow("K08 equal") << "K08" << Fields{{"POO", "7"}, {"POO_POSTA", "3"}, {"PPHS", "10"}} << "";
        QTest::newRow("K08 over")
            << "K08" << Fields{{"POO", "7"}, {"POO_POSTA", "3"}, {"PPHS", "12"}}
            << "K08 Počet odovzdaných obálok je menší ako počet platných hlasov spolu, odovzd. obálky: 10, platné "
               "hlasy spolu: 12, rozdiel = 2";
        QTest::newRow("K09 equal, first and last party")
            << "K09" << Fields{{"PPHS", "15"}, {"PPHPS1", "10"}, {"PPHPS26", "5"}} << "";
        QTest::newRow("K09 counts no field after party 26")
            << "K09" << Fields{{"PPHS", "15"}, {"PPHPS1", "15"}, {"KC1", "5"}} << "";
        QTest::newRow("K09 party sum greater: negative difference")
            << "K09" << Fields{{"PPHS", "15"}, {"PPHPS1", "10"}, {"PPHPS26", "10"}}
            << "K09 Súčet platných hlasov získaných všetkými kandidujúcimi politickými stranami nie je rovný počtu "
               "platných hlasov spolu, súčet platných hlasov všetkých politických strán : 20, platné hlasy spolu: "
               "15, rozdiel = -5";
        QTest::newRow("K09 party sum smaller")
            << "K09" << Fields{{"PPHS", "15"}, {"PPHPS7", "12"}}
            << "K09 Súčet platných hlasov získaných všetkými kandidujúcimi politickými stranami nie je rovný počtu "
               "platných hlasov spolu, súčet platných hlasov všetkých politických strán : 12, platné hlasy spolu: "
               "15, rozdiel = 3";
        const QString i10 = "I10 Rovnaký počet voličov zapísaných do zoznamu voličov a počet voličov, ktorí sa "
                            "zúčastnili hlasovania";
        QTest::newRow("I10 equal") << "I10" << Fields{{"POZZV", "10"}, {"PVO", "10"}} << i10;
        QTest::newRow("I10 all zero") << "I10" << Fields{} << i10;
        QTest::newRow("I10 differ") << "I10" << Fields{{"POZZV", "10"}, {"PVO", "9"}} << "";
    }
    void figureChecks() {
        QFETCH(QString, check);
        QFETCH(Fields, fields);
        QFETCH(QString, message);
        m->setProtocol(fields);
        const Check run = checkNamed(check);

        run(m->district(), 0);
        QCOMPARE(m->protokol1(), message.isEmpty() ? QStringList() : QStringList({message, QString()}));
        QVERIFY(m->services.messageBoxes.isEmpty());
        m->district().clearMemo(District::protokol1());

        run(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(m->protokol1().isEmpty());
        QVERIFY(m->services.focusRequests.isEmpty());
        m->services.forget();

        for (int silent : {2, -1}) {
            run(m->district(), silent);
            QVERIFY(m->protokol1().isEmpty());
            QVERIFY(m->services.messageBoxes.isEmpty());
        }
        QVERIFY(m->protokol2().isEmpty());
    }

    void municipality_data() {
        QTest::addColumn<QString>("obvod");
        QTest::addColumn<QString>("obec");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("name"); // TEMP_TLAC.NOBEC afterwards

        QTest::newRow("known, same district") << "101"
                                              << "500011"
                                              << ""
                                              << ""
                                              << "Vyšný Škychomec";
        QTest::newRow("unknown municipality") << "101"
                                              << "123"
                                              << "K02 Chybný kód obce, zaz. = 123"
                                              << "eOBEC"
                                              << "";
        QTest::newRow("code is matched exactly") << "101"
                                                 << "50001"
                                                 << "K02 Chybný kód obce, zaz. = 50001"
                                                 << "eOBEC"
                                                 << "";
        QTest::newRow("other district") << "102"
                                        << "500011"
                                        << "K01 Chybný kód obvodu, zaz. = 102"
                                        << "eOBVOD"
                                        << "Vyšný Škychomec";
        QTest::newRow("district compared as text") << "99"
                                                   << "999999"
                                                   << "K01 Chybný kód obvodu, zaz. = 99"
                                                   << "eOBVOD"
                                                   << "Skúšobná Obec";
    }
    void municipality() {
        QFETCH(QString, obvod);
        QFETCH(QString, obec);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QString, name);
        m->setProtocol({{"OBVOD", obvod}, {"OBEC", obec}});
        for (int mode : {0, 1, 5}) {
            CheckFixture::set(m->data().TTEMPTLAC(), {{"NOBEC", "stará obec"}});
            m->district().clearMemo(District::protokol1());
            m->services.forget();
            T12K02(m->district(), mode);
            // The name follows the lookup in every mode.
            QCOMPARE(m->tempTlacName(), name);
            QCOMPARE(m->data().TTEMPTLAC().recordCount(), 1);
            const bool failed = !message.isEmpty();
            QCOMPARE(m->protokol1(), mode == 0 && failed ? QStringList({message, QString()}) : QStringList());
            QCOMPARE(m->services.messageBoxes, mode == 1 && failed ? QStringList{message} : QStringList());
            QCOMPARE(m->services.focusRequests, mode == 1 && failed ? QStringList{focus} : QStringList());
        }
    }

    void nameIntoAnEmptyTempTlac() {
        m->data().TTEMPTLAC().empty();
        m->setProtocol({{"OBVOD", "101"}, {"OBEC", "500011"}});
        T12K02(m->district(), 2);
        QCOMPARE(m->data().TTEMPTLAC().recordCount(), 1);
        QCOMPARE(DataModule(m->dataFolder()).TTEMPTLAC().text("NOBEC"), QStringLiteral("Vyšný Škychomec"));
    }

    void firstMatchInTableOrder() {
        m->appendMunicipality("555", "500011", "Neskorší záznam", "99");
        m->setProtocol({{"OBVOD", "101"}, {"OBEC", "500011"}, {"OKRSOK", "31"}});
        T12K02(m->district(), 0);
        QCOMPARE(m->tempTlacName(), QStringLiteral("Vyšný Škychomec"));
        T12K03(m->district(), 0);
        QCOMPARE(m->protokol1(),
                 QStringList({"K03 Chybné číslo volebného okrsku, zaz. = 31 , počet vol. okrskov v obci = 30", ""}));
    }

    void pollingDistrict_data() {
        QTest::addColumn<QString>("obec");
        QTest::addColumn<QString>("okrsok");
        QTest::addColumn<QString>("message");
        const QString k03 = "K03 Chybné číslo volebného okrsku, zaz. = %1 , počet vol. okrskov v obci = %2";
        QTest::newRow("equal to the count") << "999999"
                                            << "3"
                                            << "";
        QTest::newRow("one over the count") << "999999"
                                            << "4" << k03.arg("4", "3");
        QTest::newRow("zero") << "999999"
                              << "0" << k03.arg("0", "3");
        QTest::newRow("first") << "999999"
                               << "1"
                               << "";
        QTest::newRow("installation list") << "500011"
                                           << "30"
                                           << "";
        QTest::newRow("installation list over") << "500011"
                                                << "31" << k03.arg("31", "30");
        QTest::newRow("unknown municipality, left to K02") << "123"
                                                           << "0"
                                                           << "";
    }
    void pollingDistrict() {
        QFETCH(QString, obec);
        QFETCH(QString, okrsok);
        QFETCH(QString, message);
        m->setProtocol({{"OBEC", obec}, {"OKRSOK", okrsok}});
        T12K03(m->district(), 0);
        QCOMPARE(m->protokol1(), message.isEmpty() ? QStringList() : QStringList({message, QString()}));
        T12K03(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m->services.focusRequests, message.isEmpty() ? QStringList() : QStringList{"eOKRSOK"});
        T12K03(m->district(), 4);
        QCOMPARE(m->services.messageBoxes.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(m->protokol1().size(), message.isEmpty() ? 0 : 2);
    }

    void notANumberStopsTheCheck_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<Fields>("fields");
        QTest::newRow("empty POZZV") << "K04" << Fields{{"POZZV", ""}, {"PVO", "5"}};
        QTest::newRow("letters in PPHS") << "K08" << Fields{{"PPHS", "1a"}};
        QTest::newRow("empty party field") << "K09" << Fields{{"PPHPS13", ""}, {"PPHS", "3"}};
    }
    void notANumberStopsTheCheck() {
        QFETCH(QString, check);
        QFETCH(Fields, fields);
        m->setProtocol(fields);
        QVERIFY_THROWS_EXCEPTION(ConversionError, checkNamed(check)(m->district(), 0));
        QVERIFY(m->protokol1().isEmpty());
    }

    void codeListCountNotANumber() {
        m->appendMunicipality("101", "888888", "Obec bez počtu", "x");
        m->setProtocol({{"OBEC", "888888"}, {"OKRSOK", "1"}});
        QVERIFY_THROWS_EXCEPTION(ConversionError, T12K03(m->district(), 1));
        QVERIFY(m->services.messageBoxes.isEmpty());
    }

    // The complete check's order on a protocol of zeros in a known municipality with polling district 0.
    void allChecksInProtocolMode() {
        m->setProtocol({{"OBVOD", "101"}, {"OBEC", "500011"}, {"OKRSOK", "0"}});
        for (const auto check :
             {T12K01, T12K02, T12K03, T12K04, T12K05, T12K06, T12K07, T12K08, T12K09, T12I10, T12K11})
            check(m->district(), 0);
        QCOMPARE(m->protokol1(),
                 QStringList({"K03 Chybné číslo volebného okrsku, zaz. = 0 , počet vol. okrskov v obci = 30", "",
                              "I10 Rovnaký počet voličov zapísaných do zoznamu voličov a počet voličov, ktorí sa "
                              "zúčastnili hlasovania",
                              ""}));
        QVERIFY(m->services.messageBoxes.isEmpty());
    }

    void failuresAppendInOrder() {
        m->setProtocol({{"POZZV", "1"}, {"PVO", "2"}, {"POO", "3"}});
        T12K04(m->district(), 0);
        T12K06(m->district(), 0);
        const QStringList lines = m->protokol1();
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("K04 "));
        QCOMPARE(lines[1], QString());
        QVERIFY(lines[2].startsWith("K06 "));
        QCOMPARE(lines[3], QString());
    }

private:
    std::unique_ptr<CheckFixture> m;
};

QTEST_GUILESS_MAIN(TestProtocolChecks)
#include "test_protocolchecks.moc"
