#include "checkfixture.h"
#include "checks/attachmentchecks.h"
#include "store/errors.h"

#include <QTest>

using Fields = QMap<QString, QString>;

namespace {

const QString k14Text = QStringLiteral(
    "3  Štvornásobok počtu voličov, ktorí využili právo prednostného hlasu je menší ako súčet platných prednostných "
    "hlasov získaných všetkými kandidátmi na poslanca,    4 x využité predn. hlasy: 40, súčet: 41");
const QString k15Text = QStringLiteral(
    "3  Počet voličov, ktorí využili právo prednostného hlasu je väčší ako súčet platných prednostných hlasov "
    "získaných všetkými kandidátmi na poslanca,   využité predn. hlasy: 10, súčet: 9");

QString k16(int candidate, const QString &votes) {
    return QStringLiteral("K16  Číslo pol. strany: 3 Počet voličov, ktorí využili právo prednostného hlasu je menší "
                          "ako počet platných prednostných hlasov získaných kandidátom %1 na poslanca, využité "
                          "prednostné hlasy: %2, počet: 10")
        .arg(candidate)
        .arg(votes);
}

const QString k17Text = QStringLiteral(
    "K17  Číslo pol. strany: 3  Počet platných hlasov, ktoré získala politická strana je menší ako počet voličov, "
    "ktorí využili právo prednostného hlasu, platné hlasy: 9, využité predn. hlasy: 10");

QString unknownParty(const QString &kon) {
    return QStringLiteral("K17  Číslo pol. strany: %1  Politická strana s týmto číslom neexistuje (platné sú čísla 1 "
                          "až 26), preto sa jej platné hlasy nedajú porovnať s počtom voličov, ktorí využili právo "
                          "prednostného hlasu.")
        .arg(kon);
}

} // namespace

class TestAttachmentChecks : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m = std::make_unique<CheckFixture>();
        QVERIFY(m->isValid());
        m->setAttachment({{"KON", "3"}});
    }
    void cleanup() { m.reset(); }

    void sumAgainstVph_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<bool>("k14Fails");
        QTest::addColumn<bool>("k15Fails");
        QTest::newRow("4 x VPH passes K14") << Fields{{"VPH", "10"}, {"K1", "40"}} << false << false;
        QTest::newRow("one over 4 x VPH, first and last candidate")
            << Fields{{"VPH", "10"}, {"K1", "20"}, {"K150", "21"}} << true << false;
        QTest::newRow("sum equal to VPH passes K15") << Fields{{"VPH", "10"}, {"K75", "10"}} << false << false;
        QTest::newRow("sum one below VPH") << Fields{{"VPH", "10"}, {"K75", "9"}} << false << true;
        QTest::newRow("all zero") << Fields{} << false << false;
        QTest::newRow("candidates beyond the party's count still count")
            << Fields{{"VPH", "1"}, {"K149", "5"}} << true << false;
    }
    void sumAgainstVph() {
        QFETCH(Fields, fields);
        QFETCH(bool, k14Fails);
        QFETCH(bool, k15Fails);
        m->setAttachment(fields);
        for (int mode : {0, 1, 9}) {
            m->district().clearMemo(District::protokol1());
            m->services.forget();
            // The opposite of the expected outcome first: the checks must set their flags either way.
            m->district().setK14_OK(k14Fails);
            m->district().setK15_OK(k15Fails);
            T13K14(m->district(), mode);
            T13K15(m->district(), mode);
            QCOMPARE(m->district().K14_OK(), !k14Fails);
            QCOMPARE(m->district().K15_OK(), !k15Fails);
            const int failures = int(k14Fails) + int(k15Fails);
            QCOMPARE(m->protokol1().size(), mode == 0 ? 2 * failures : 0);
            QCOMPARE(m->services.messageBoxes.size(), mode == 1 ? failures : 0);
            QVERIFY(m->protokol2().isEmpty());
        }
    }

    void k14AndK15HeadingsByMode() {
        m->setAttachment({{"VPH", "10"}, {"K2", "41"}});
        T13K14(m->district(), 1);
        T13K14(m->district(), 0);
        QCOMPARE(m->services.messageBoxes, QStringList{"K14  Číslo pol. strany : " + k14Text});
        QCOMPARE(m->protokol1(), QStringList({"K14  Číslo pol. strany: " + k14Text, ""}));

        m->services.forget();
        m->district().clearMemo(District::protokol1());
        m->setAttachment({{"K2", "9"}});
        T13K15(m->district(), 1);
        T13K15(m->district(), 0);
        QCOMPARE(m->services.messageBoxes, QStringList{"K15  Číslo pol. strany : " + k15Text});
        QCOMPARE(m->protokol1(), QStringList({"K15  Číslo pol. strany: " + k15Text, ""}));
    }

    void candidateAgainstVph_data() {
        QTest::addColumn<int>("candidate");
        QTest::addColumn<QString>("votes");
        QTest::addColumn<bool>("fails");
        QTest::newRow("exactly VPH") << 7 << "10" << false;
        QTest::newRow("VPH + 1") << 7 << "11" << true;
        QTest::newRow("first") << 1 << "11" << true;
        QTest::newRow("last") << 150 << "12" << true;
    }
    void candidateAgainstVph() {
        QFETCH(int, candidate);
        QFETCH(QString, votes);
        QFETCH(bool, fails);
        m->setAttachment({{"VPH", "10"}, {"K" + QString::number(candidate), votes}});
        T13K16(m->district(), candidate);
        QCOMPARE(m->services.messageBoxes, fails ? QStringList{k16(candidate, votes)} : QStringList());
        QVERIFY(m->protokol1().isEmpty());
        T13K16(m->district(), 0);
        QCOMPARE(m->protokol1(), fails ? QStringList({k16(candidate, votes), ""}) : QStringList());
        QCOMPARE(m->services.messageBoxes.size(), fails ? 1 : 0);
    }

    void onlyTheCandidateAsked() {
        m->setAttachment({{"VPH", "10"}, {"K5", "11"}});
        T13K16(m->district(), 6);
        QVERIFY(m->services.messageBoxes.isEmpty());
    }

    void everyFailingCandidateInOrder() {
        m->setAttachment({{"VPH", "10"}, {"K150", "13"}, {"K3", "11"}, {"K77", "12"}, {"K78", "10"}});
        T13K16(m->district(), 0);
        QCOMPARE(m->protokol1(), QStringList({k16(3, "11"), "", k16(77, "12"), "", k16(150, "13"), ""}));
        QVERIFY(m->services.messageBoxes.isEmpty());
    }

    void candidateNumberOutsideReportsNothing_data() {
        QTest::addColumn<int>("candidate");
        QTest::newRow("151") << 151;
        QTest::newRow("-1") << -1;
        QTest::newRow("1000") << 1000;
    }
    void candidateNumberOutsideReportsNothing() {
        QFETCH(int, candidate);
        m->setAttachment({{"VPH", "0"}, {"K1", "1"}, {"K150", "1"}});
        T13K16(m->district(), candidate);
        QVERIFY(m->services.messageBoxes.isEmpty());
        QVERIFY(m->protokol1().isEmpty());
    }

    void partyVotesAgainstVph_data() {
        QTest::addColumn<QString>("partyVotes");
        QTest::addColumn<bool>("fails");
        QTest::newRow("equal") << "10" << false;
        QTest::newRow("one below") << "9" << true;
        QTest::newRow("above") << "500" << false;
    }
    void partyVotesAgainstVph() {
        QFETCH(QString, partyVotes);
        QFETCH(bool, fails);
        // Party 3's field only; its neighbours would pass or fail the other way.
        m->setProtocol({{"PPHPS2", "0"}, {"PPHPS3", partyVotes}, {"PPHPS4", "0"}});
        m->setAttachment({{"VPH", "10"}});
        T13K17(m->district(), 0);
        QCOMPARE(m->protokol2(), fails ? QStringList({k17Text, ""}) : QStringList());
        QVERIFY(m->protokol1().isEmpty());
        T13K17(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, fails ? QStringList{k17Text} : QStringList());
        T13K17(m->district(), 2);
        QCOMPARE(m->protokol2().size(), fails ? 2 : 0);
        QCOMPARE(m->services.messageBoxes.size(), fails ? 1 : 0);
    }

    void lastPartyField() {
        m->setProtocol({{"PPHPS26", "4"}, {"KC1", "100"}});
        m->setAttachment({{"KON", "26"}, {"VPH", "5"}});
        T13K17(m->district(), 0);
        QCOMPARE(m->protokol2().size(), 2);
        QVERIFY(m->protokol2().first().endsWith(" platné hlasy: 4, využité predn. hlasy: 5"));
    }

    // A KON with no party field: reported as a failure the user sees, in the channel of the mode.
    void partyNumberOutside_data() {
        QTest::addColumn<QString>("kon");
        QTest::newRow("27") << "27";
        QTest::newRow("999") << "999";
        QTest::newRow("negative") << "-3";
        QTest::newRow("not a number") << "x1";
        QTest::newRow("empty") << "";
    }
    void partyNumberOutside() {
        QFETCH(QString, kon);
        m->setProtocol({{"KC1", "1"}, {"KC2", "1"}});
        m->setAttachment({{"KON", kon}, {"VPH", "100"}});
        T13K17(m->district(), 0);
        QCOMPARE(m->protokol2(), QStringList({unknownParty(kon), ""}));
        QVERIFY(m->protokol1().isEmpty());
        T13K17(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, QStringList{unknownParty(kon)});
        T13K17(m->district(), 3);
        QCOMPARE(m->protokol2().size(), 2);
        QCOMPARE(m->services.messageBoxes.size(), 1);
    }

    // The wipe's placeholder attachment (KON "0") is left by pVPH without a message.
    void placeholderAttachmentPasses() {
        m->setAttachment({{"KON", "0"}, {"VPH", "100"}});
        for (int mode : {0, 1, 2})
            T13K17(m->district(), mode);
        QVERIFY(m->protokol2().isEmpty());
        QVERIFY(m->services.messageBoxes.isEmpty());
    }

    void allVphAgainstValidVotes_data() {
        QTest::addColumn<QStringList>("vph"); // one attachment each
        QTest::addColumn<QString>("pphs");
        QTest::addColumn<bool>("fails");
        QTest::newRow("no attachments") << QStringList{} << "0" << false;
        QTest::newRow("equal, three attachments") << QStringList{"5", "10", "5"} << "20" << false;
        QTest::newRow("one over, three attachments") << QStringList{"5", "10", "6"} << "20" << true;
        QTest::newRow("last attachment counts") << QStringList{"0", "0", "21"} << "20" << true;
    }
    void allVphAgainstValidVotes() {
        QFETCH(QStringList, vph);
        QFETCH(QString, pphs);
        QFETCH(bool, fails);
        m->setProtocol({{"PPHS", pphs}});
        m->data().TP1().empty();
        for (int i = 0; i < vph.size(); ++i)
            m->appendAttachment({{"KON", QString::number(i + 1)}, {"VPH", vph[i]}});
        const QString message = "K18 Počet platných hlasov spolu je menší ako počet voličov, ktorí využili právo "
                                "prednostného hlasu za všetky politické strany, platné hlasy spolu: 20, využité "
                                "predn. hlasy: 21";
        T13K18(m->district(), 0);
        QCOMPARE(m->protokol2(), fails ? QStringList({message, ""}) : QStringList());
        QVERIFY(m->protokol1().isEmpty());
        T13K18(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, fails ? QStringList{message} : QStringList());
        T13K18(m->district(), -4);
        QCOMPARE(m->protokol2().size(), fails ? 2 : 0);
        // The walk ends on the last attachment.
        QCOMPARE(m->data().TP1().recordNumber(), m->data().TP1().recordCount());
    }

    // Wrapped round, the sum of many large VPH would turn negative and pass; it stops the check instead.
    void allVphBeyondTheIntegerRange() {
        m->setProtocol({{"PPHS", "9999999"}});
        m->data().TP1().empty();
        for (int i = 0; i < 215; ++i)
            m->appendAttachment({{"KON", "1"}, {"VPH", "9999999"}});
        QVERIFY_THROWS_EXCEPTION(OverflowError, T13K18(m->district(), 0));
        QVERIFY(m->protokol2().isEmpty());
    }

    void municipalityOfTheAttachment() {
        m->setAttachment({{"OBEC", "123"}, {"OKRSOK", "1"}});
        CheckFixture::set(m->data().TTEMPTLAC(), {{"NOBEC", "stará obec"}});
        T13K02(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, QStringList{"K02 Chybný kód obce, zaz. = 123"});
        QVERIFY(m->services.focusRequests.isEmpty());
        QCOMPARE(m->tempTlacName(), QString());
        T13K02(m->district(), 0);
        QCOMPARE(m->protokol1(), QStringList({"K02 Chybný kód obce, zaz. = 123", ""}));
        T13K03(m->district(), 0);
        QCOMPARE(m->protokol1().size(), 2);

        // Found: the name, and no district comparison on this form.
        m->setAttachment({{"OBVOD", "999"}, {"OBEC", "500011"}});
        T13K02(m->district(), 0);
        QCOMPARE(m->tempTlacName(), QStringLiteral("Vyšný Škychomec"));
        QCOMPARE(m->protokol1().size(), 2);
    }

    void pollingDistrictOfTheAttachment_data() {
        QTest::addColumn<QString>("okrsok");
        QTest::addColumn<bool>("fails");
        QTest::newRow("zero passes on this form") << "0" << false;
        QTest::newRow("equal to the count") << "30" << false;
        QTest::newRow("one over") << "31" << true;
    }
    void pollingDistrictOfTheAttachment() {
        QFETCH(QString, okrsok);
        QFETCH(bool, fails);
        m->setAttachment({{"OBEC", "500011"}, {"OKRSOK", okrsok}});
        const QString message = "K03 Chybné číslo volebného okrsku, zaz. = 31 , počet vol. okrskov v obci = 30";
        T13K03(m->district(), 0);
        QCOMPARE(m->protokol1(), fails ? QStringList({message, ""}) : QStringList());
        T13K03(m->district(), 1);
        QCOMPARE(m->services.messageBoxes, fails ? QStringList{message} : QStringList());
        QVERIFY(m->services.focusRequests.isEmpty());
    }

    void notANumberStopsTheCheck() {
        m->setAttachment({{"VPH", "10"}, {"K40", "abc"}});
        m->district().setK14_OK(false);
        QVERIFY_THROWS_EXCEPTION(ConversionError, T13K14(m->district(), 0));
        QVERIFY_THROWS_EXCEPTION(ConversionError, T13K16(m->district(), 0));
        QVERIFY_THROWS_EXCEPTION(ConversionError, T13K16(m->district(), 40));
        QVERIFY(m->protokol1().isEmpty());
        QVERIFY(m->services.messageBoxes.isEmpty());
    }

private:
    std::unique_ptr<CheckFixture> m;
};

QTEST_GUILESS_MAIN(TestAttachmentChecks)
#include "test_attachmentchecks.moc"
