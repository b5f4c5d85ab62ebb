#include "checkfixture.h"
#include "checks/protocolchecks.h"
#include "store/errors.h"

#include <QTest>

using Fields = QMap<QString, QString>;
using Check = std::optional<Finding> (*)(const ProtocolRecord &);

namespace {

Check checkNamed(const QString &name) {
    static const QMap<QString, Check> checks{{"K04", T12K04}, {"K05", T12K05}, {"K06", T12K06}, {"K07", T12K07},
                                             {"K08", T12K08}, {"K09", T12K09}, {"I10", T12I10}};
    return checks.value(name);
}

// An S1 record of zeros, as the wipe leaves it, with the fields given (PPHPS<n> for party n).
ProtocolRecord record(const Fields &fields) {
    ProtocolRecord s1;
    for (QString *field : {&s1.obvod, &s1.obec, &s1.okrsok, &s1.pozzv, &s1.pvo, &s1.pooPosta, &s1.poo, &s1.pphs})
        *field = QStringLiteral("0");
    s1.partyVotes.fill(QStringLiteral("0"));
    const std::pair<const char *, QString *> named[] = {
        {"OBVOD", &s1.obvod}, {"OBEC", &s1.obec},          {"OKRSOK", &s1.okrsok}, {"POZZV", &s1.pozzv},
        {"PVO", &s1.pvo},     {"POO_POSTA", &s1.pooPosta}, {"POO", &s1.poo},       {"PPHS", &s1.pphs}};
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (it.key().startsWith(QStringLiteral("PPHPS"))) {
            s1.partyVotes[it.key().mid(5).toInt() - 1] = it.value();
            continue;
        }
        for (const auto &[name, field] : named)
            if (it.key() == QLatin1String(name))
                *field = it.value();
    }
    return s1;
}

QString textOf(const std::optional<Finding> &finding) {
    return finding ? finding->text : QString();
}

} // namespace

class TestProtocolChecks : public QObject {
    Q_OBJECT
private slots:
    void figureChecks_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("message"); // empty: the check passes

        QTest::newRow("K04 equal") << "K04" << Fields{{"POZZV", "10"}, {"PVO", "10"}} << "";
        QTest::newRow("K04 one over")
            << "K04" << Fields{{"POZZV", "10"}, {"PVO", "11"}}
            << "K04 Počet voličov zapísaných v zozname voličov je menší ako počet voličov, ktorí sa zúčastnili na "
               "hlasovaní zap.voliči: 10, zúčast.: 11, rozdiel = 1";
        QTest::newRow("K04 shows the texts as stored")
            << "K04" << Fields{{"POZZV", " 010"}, {"PVO", "11"}}
            << "K04 Počet voličov zapísaných v zozname voličov je menší ako počet voličov, ktorí sa zúčastnili na "
               "hlasovaní zap.voliči:  010, zúčast.: 11, rozdiel = 1";
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
        const std::optional<Finding> finding = checkNamed(check)(record(fields));
        QCOMPARE(textOf(finding), message);
        if (finding) {
            QCOMPARE(finding->code, check);
            // Only K01..K03 send the user back to a box.
            QVERIFY(!finding->box);
        }
    }

    // K09 reads the 26 party fields of the record: the fields after them (KC1..) are no party's.
    void partySumReadsTheRecordsPartyFields() {
        CheckFixture m;
        QVERIFY(m.isValid());
        m.setProtocol({{"PPHS", "15"}, {"PPHPS1", "10"}, {"PPHPS26", "5"}, {"KC1", "5"}});
        QVERIFY(!T12K09(protocolRecord(m.s1())));
        m.setProtocol({{"PPHPS26", "6"}});
        QVERIFY(T12K09(protocolRecord(m.s1())));
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
        QVERIFY_THROWS_EXCEPTION(ConversionError, checkNamed(check)(record(fields)));
    }

    void districtAndPollingDistrict_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("pocoks");
        QTest::addColumn<QString>("k01");
        QTest::addColumn<QString>("k03");
        const QString k03 = "K03 Chybné číslo volebného okrsku, zaz. = %1 , počet vol. okrskov v obci = %2";
        QTest::newRow("same district, first") << Fields{{"OBVOD", "101"}, {"OKRSOK", "1"}} << "3"
                                              << ""
                                              << "";
        QTest::newRow("equal to the count") << Fields{{"OBVOD", "101"}, {"OKRSOK", "3"}} << "3"
                                            << ""
                                            << "";
        QTest::newRow("one over the count") << Fields{{"OBVOD", "101"}, {"OKRSOK", "4"}} << "3"
                                            << "" << k03.arg("4", "3");
        QTest::newRow("zero") << Fields{{"OBVOD", "101"}, {"OKRSOK", "0"}} << "3"
                              << "" << k03.arg("0", "3");
        QTest::newRow("other district") << Fields{{"OBVOD", "102"}, {"OKRSOK", "1"}} << "3"
                                        << "K01 Chybný kód obvodu, zaz. = 102"
                                        << "";
        QTest::newRow("district compared as text") << Fields{{"OBVOD", "99"}, {"OKRSOK", "1"}} << "3"
                                                   << "K01 Chybný kód obvodu, zaz. = 99"
                                                   << "";
    }
    void districtAndPollingDistrict() {
        QFETCH(Fields, fields);
        QFETCH(QString, pocoks);
        QFETCH(QString, k01);
        QFETCH(QString, k03);
        const ProtocolRecord s1 = record(fields);
        const Municipality municipality{fields.value("OBVOD") == "99" ? "099" : "101", "Obec", pocoks};
        const auto districtFinding = T12K01(s1, municipality);
        QCOMPARE(textOf(districtFinding), k01);
        if (districtFinding)
            QCOMPARE(districtFinding->box, std::optional(FormBox::Obvod));
        const auto pollingFinding = T12K03(s1, municipality);
        QCOMPARE(textOf(pollingFinding), k03);
        if (pollingFinding)
            QCOMPARE(pollingFinding->box, std::optional(FormBox::Okrsok));
        // An unknown municipality is K02's alone.
        QVERIFY(!T12K03(s1, std::nullopt));
    }

    void codeListCountNotANumber() {
        QVERIFY_THROWS_EXCEPTION(ConversionError, T12K03(record({{"OKRSOK", "1"}}), Municipality{"101", "Obec", "x"}));
    }

    // The code lookup on the installation's list, with TEMP_TLAC's name and K02 shown at once or kept.
    void municipality_data() {
        QTest::addColumn<QString>("obec");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("name"); // TEMP_TLAC.NOBEC afterwards

        QTest::newRow("known") << "500011"
                               << ""
                               << "Vyšný Škychomec";
        QTest::newRow("unknown municipality") << "123"
                                              << "K02 Chybný kód obce, zaz. = 123"
                                              << "";
        QTest::newRow("code is matched exactly") << "50001"
                                                 << "K02 Chybný kód obce, zaz. = 50001"
                                                 << "";
    }
    void municipality() {
        QFETCH(QString, obec);
        QFETCH(QString, message);
        QFETCH(QString, name);
        CheckFixture m;
        QVERIFY(m.isValid());
        const bool failed = !message.isEmpty();

        CheckFixture::set(m.data().TTEMPTLAC(), {{"NOBEC", "stará obec"}});
        const auto shown = checkMunicipalityCode(m.district(), obec, FormBox::Obec, m.showAtOnce());
        QCOMPARE(!shown, failed);
        QCOMPARE(m.tempTlacName(), name);
        QCOMPARE(m.data().TTEMPTLAC().recordCount(), 1);
        QCOMPARE(m.services.messageBoxes, failed ? QStringList{message} : QStringList());
        QCOMPARE(m.services.focusRequests, failed ? QStringList{"eOBEC"} : QStringList());
        QVERIFY(m.protokol1().isEmpty());

        m.services.forget();
        CheckFixture::set(m.data().TTEMPTLAC(), {{"NOBEC", "stará obec"}});
        checkMunicipalityCode(m.district(), obec, FormBox::Obec, intoMemo(m.district(), District::protokol1()));
        QCOMPARE(m.tempTlacName(), name);
        QCOMPARE(m.protokol1(), failed ? QStringList({message, QString()}) : QStringList());
        QVERIFY(m.services.messageBoxes.isEmpty());
        QVERIFY(m.services.focusRequests.isEmpty());

        // The attachment's K02 sends the user nowhere.
        m.services.forget();
        checkMunicipalityCode(m.district(), obec, std::nullopt, m.showAtOnce());
        QCOMPARE(m.services.messageBoxes.size(), failed ? 1 : 0);
        QVERIFY(m.services.focusRequests.isEmpty());
    }

    void nameIntoAnEmptyTempTlac() {
        CheckFixture m;
        QVERIFY(m.isValid());
        m.data().TTEMPTLAC().empty();
        checkMunicipalityCode(m.district(), "500011", FormBox::Obec, m.showAtOnce());
        QCOMPARE(m.data().TTEMPTLAC().recordCount(), 1);
        QCOMPARE(DataModule(m.dataFolder()).TTEMPTLAC().text("NOBEC"), QStringLiteral("Vyšný Škychomec"));
    }

    void firstMatchInTableOrder() {
        CheckFixture m;
        QVERIFY(m.isValid());
        m.appendMunicipality("555", "500011", "Neskorší záznam", "99");
        const auto found = findMunicipality(m.district(), "500011");
        QVERIFY(found);
        QCOMPARE(found->obvod, QStringLiteral("101"));
        QCOMPARE(found->name, QStringLiteral("Vyšný Škychomec"));
        QCOMPARE(found->pocoks, QStringLiteral("30"));
        // The district code is kept as the list writes it.
        m.appendMunicipality("099", "999999", "Skúšobná Obec", "3");
        QCOMPARE(findMunicipality(m.district(), "999999")->obvod, QStringLiteral("099"));
    }
};

QTEST_GUILESS_MAIN(TestProtocolChecks)
#include "test_protocolchecks.moc"
