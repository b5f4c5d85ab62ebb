#include "checkfixture.h"
#include "checks/attachmentchecks.h"
#include "district/attachmentset.h"
#include "store/errors.h"

#include <QTest>

using Fields = QMap<QString, QString>;

namespace {

// A P1 record of zeros for party 3, with the fields given (K<n> for candidate n).
AttachmentRecord attachment(const Fields &fields) {
    AttachmentRecord p1{"0", "0", "3", "0", {}};
    QStringList candidates(form::candidates, QStringLiteral("0"));
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const QString &key = it.key();
        if (key == QLatin1String("OBEC"))
            p1.obec = it.value();
        else if (key == QLatin1String("OKRSOK"))
            p1.okrsok = it.value();
        else if (key == QLatin1String("KON"))
            p1.kon = it.value();
        else if (key == QLatin1String("VPH"))
            p1.vph = it.value();
        else
            candidates[key.mid(1).toInt() - 1] = it.value();
    }
    p1.candidates = CandidateTexts(candidates);
    return p1;
}

// The protocol's party votes: party n's in PPHPS<n>, all others 0.
ProtocolRecord partyVotes(const std::map<int, QString> &votes) {
    ProtocolRecord s1;
    s1.partyVotes.fill(QStringLiteral("0"));
    for (const auto &[party, text] : votes)
        s1.partyVotes[party - 1] = text;
    return s1;
}

QString textOf(const std::optional<Finding> &finding) {
    return finding ? finding->text : QString();
}

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
    "ktorí využili právo prednostného hlasu, platné hlasy: %1, využité predn. hlasy: %2");

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
        for (Wording wording : {Wording::MessageBox, Wording::Protocol}) {
            const auto k14 = T13K14(attachment(fields), wording);
            const auto k15 = T13K15(attachment(fields), wording);
            QCOMPARE(bool(k14), k14Fails);
            QCOMPARE(bool(k15), k15Fails);
            if (k14)
                QCOMPARE(k14->code, QStringLiteral("K14"));
            if (k15)
                QCOMPARE(k15->code, QStringLiteral("K15"));
        }
    }

    void k14AndK15HeadingsByWording() {
        const AttachmentRecord k14Fails = attachment({{"VPH", "10"}, {"K2", "41"}});
        QCOMPARE(textOf(T13K14(k14Fails, Wording::MessageBox)), "K14  Číslo pol. strany : " + k14Text);
        QCOMPARE(textOf(T13K14(k14Fails, Wording::Protocol)), "K14  Číslo pol. strany: " + k14Text);
        const AttachmentRecord k15Fails = attachment({{"VPH", "10"}, {"K2", "9"}});
        QCOMPARE(textOf(T13K15(k15Fails, Wording::MessageBox)), "K15  Číslo pol. strany : " + k15Text);
        QCOMPARE(textOf(T13K15(k15Fails, Wording::Protocol)), "K15  Číslo pol. strany: " + k15Text);
    }

    // The party change shows both and passes only when both pass, each flag following its check.
    void partyChangeFlags_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("both pass") << Fields{{"VPH", "10"}, {"K1", "40"}} << QStringList();
        QTest::newRow("K14") << Fields{{"VPH", "1"}, {"K1", "5"}} << QStringList{"K14"};
        QTest::newRow("K15") << Fields{{"VPH", "10"}, {"K1", "9"}} << QStringList{"K15"};
    }
    void partyChangeFlags() {
        QFETCH(Fields, fields);
        QFETCH(QStringList, codes);
        CheckFixture m;
        QVERIFY(m.isValid());
        Fields all{{"KON", "3"}};
        for (int n = 1; n <= 150; ++n)
            all.insert("K" + QString::number(n), "0");
        all.insert(fields);
        m.setAttachment(all);
        // The opposite of the expected outcome first: the checks must set their flags either way.
        m.district().setK14_OK(codes.contains("K14"));
        m.district().setK15_OK(codes.contains("K15"));
        Outcome gate;
        QCOMPARE(partyChangeGate(m.district(), gate), codes.isEmpty());
        m.services.show(gate);
        QCOMPARE(m.district().K14_OK(), !codes.contains("K14"));
        QCOMPARE(m.district().K15_OK(), !codes.contains("K15"));
        QStringList shown;
        for (const QString &text : m.services.messageBoxes)
            shown.append(text.left(3));
        QCOMPARE(shown, codes);
        QVERIFY(m.protokol1().isEmpty());
    }

    void candidateAgainstVph_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("candidate");
        QTest::addColumn<QString>("message");
        QTest::newRow("exactly VPH") << Fields{{"VPH", "10"}, {"K7", "10"}} << 7 << "";
        QTest::newRow("VPH + 1") << Fields{{"VPH", "10"}, {"K7", "11"}} << 7 << k16(7, "11");
        QTest::newRow("first") << Fields{{"VPH", "10"}, {"K1", "11"}} << 1 << k16(1, "11");
        QTest::newRow("last") << Fields{{"VPH", "10"}, {"K150", "12"}} << 150 << k16(150, "12");
        QTest::newRow("only the candidate asked") << Fields{{"VPH", "10"}, {"K5", "11"}} << 6 << "";
        QTest::newRow("151") << Fields{{"K1", "1"}, {"K150", "1"}} << 151 << "";
        QTest::newRow("0") << Fields{{"K1", "1"}, {"K150", "1"}} << 0 << "";
        QTest::newRow("-1") << Fields{{"K1", "1"}, {"K150", "1"}} << -1 << "";
        QTest::newRow("1000") << Fields{{"K1", "1"}, {"K150", "1"}} << 1000 << "";
    }
    void candidateAgainstVph() {
        QFETCH(Fields, fields);
        QFETCH(int, candidate);
        QFETCH(QString, message);
        QCOMPARE(textOf(T13K16(attachment(fields), candidate)), message);
    }

    void partyVotesAgainstVph_data() {
        QTest::addColumn<QString>("kon");
        QTest::addColumn<QString>("vph");
        QTest::addColumn<QString>("message");
        // Party 3's field only; its neighbours would pass or fail the other way.
        QTest::newRow("equal") << "3"
                               << "10"
                               << "";
        QTest::newRow("one below") << "3"
                                   << "11" << k17Text.arg("10", "11");
        QTest::newRow("above") << "3"
                               << "9"
                               << "";
        QTest::newRow("last party field") << "26"
                                          << "5"
                                          << "K17  Číslo pol. strany: 26  Počet platných hlasov, ktoré získala "
                                             "politická strana je menší ako počet voličov, ktorí využili právo "
                                             "prednostného hlasu, platné hlasy: 4, využité predn. hlasy: 5";
        // The wipe's placeholder attachment is left by pVPH without a message.
        QTest::newRow("placeholder KON 0") << "0"
                                           << "100"
                                           << "";
        // A KON with no party field: reported as a failure the user sees.
        for (const char *kon : {"27", "999", "-3", "x1", ""})
            QTest::addRow("party %s outside", kon) << kon << "100" << unknownParty(kon);
    }
    void partyVotesAgainstVph() {
        QFETCH(QString, kon);
        QFETCH(QString, vph);
        QFETCH(QString, message);
        const ProtocolRecord s1 = partyVotes({{2, "100"}, {3, "10"}, {4, "0"}, {26, "4"}});
        const auto finding = T13K17(attachment({{"KON", kon}, {"VPH", vph}}), s1);
        QCOMPARE(textOf(finding), message);
        if (finding)
            QCOMPARE(finding->code, QStringLiteral("K17"));
    }

    // K17 reads the party's field of the stored protocol, not a field after the 26 parties.
    void partyVotesOfTheStoredProtocol() {
        CheckFixture m;
        QVERIFY(m.isValid());
        m.setProtocol({{"PPHPS26", "4"}, {"KC1", "100"}});
        QVERIFY(T13K17(attachment({{"KON", "26"}, {"VPH", "5"}}), protocolRecord(m.s1())));
        QVERIFY(!T13K17(attachment({{"KON", "26"}, {"VPH", "4"}}), protocolRecord(m.s1())));
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
        CheckFixture m;
        QVERIFY(m.isValid());
        m.setProtocol({{"PPHS", pphs}});
        m.data().TP1().empty();
        for (int i = 0; i < vph.size(); ++i)
            m.appendAttachment({{"KON", QString::number(i + 1)}, {"VPH", vph[i]}});
        const QString message = "K18 Počet platných hlasov spolu je menší ako počet voličov, ktorí využili právo "
                                "prednostného hlasu za všetky politické strany, platné hlasy spolu: 20, využité "
                                "predn. hlasy: 21";
        const auto attachments = attachmentRecords(m.p1());
        QCOMPARE(int(attachments.size()), vph.size());
        QCOMPARE(textOf(T13K18(attachments, protocolRecord(m.s1()))), fails ? message : QString());
    }

    // Wrapped round, the sum of many large VPH would turn negative and pass; it stops the check instead.
    void allVphBeyondTheIntegerRange() {
        ProtocolRecord s1;
        s1.pphs = "9999999";
        const std::vector<AttachmentRecord> attachments(215, attachment({{"VPH", "9999999"}}));
        QVERIFY_THROWS_EXCEPTION(OverflowError, T13K18(attachments, s1));
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
        const QString message = "K03 Chybné číslo volebného okrsku, zaz. = 31 , počet vol. okrskov v obci = 30";
        const Municipality municipality{"101", "Vyšný Škychomec", "30"};
        const auto finding = T13K03(attachment({{"OKRSOK", okrsok}}), municipality);
        QCOMPARE(textOf(finding), fails ? message : QString());
        if (finding)
            QVERIFY(!finding->box);
        // An unknown municipality is K02's alone.
        QVERIFY(!T13K03(attachment({{"OKRSOK", okrsok}}), std::nullopt));
    }

    void notANumberStopsTheCheck() {
        const AttachmentRecord p1 = attachment({{"VPH", "10"}, {"K40", "abc"}});
        QVERIFY_THROWS_EXCEPTION(ConversionError, T13K14(p1, Wording::Protocol));
        QVERIFY_THROWS_EXCEPTION(ConversionError, T13K15(p1, Wording::Protocol));
        QVERIFY_THROWS_EXCEPTION(ConversionError, T13K16(p1, 40));
        QVERIFY(!T13K16(p1, 39));
    }
};

QTEST_GUILESS_MAIN(TestAttachmentChecks)
#include "test_attachmentchecks.moc"
