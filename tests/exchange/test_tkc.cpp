// The TKC of a text and the record check of a line: the worked examples, the lines that must fail with
// the values the user is shown, and lines too malformed to carry a TKC at all.
#include "exchange/tkc.h"

#include "store/codec.h"
#include "store/errors.h"

#include <QTest>

class TestTkc : public QObject {
    Q_OBJECT
private slots:
    void tkc_data();
    void tkc();
    void tkcOfALongestLineFitsAndAnOverflowIsReported();
    void recordCheck_data();
    void recordCheck();
};

void TestTkc::tkc_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("abc") << QByteArray("abc") << 2060;
    QTest::newRow("bars neither count nor take a position") << QByteArray("a|b|") << 1268;
    QTest::newRow("only bars") << QByteArray("|||") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("c with caron counts its code 232") << cp1250::encode(QStringLiteral("č")) << 1392;
    QTest::newRow("bytes above 127 are unsigned") << QByteArray("\xff\xff") << 255 * 6 + 255 * 7;
}

void TestTkc::tkc() {
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QCOMPARE(vypocitaj_TKC(text), expected);
}

void TestTkc::tkcOfALongestLineFitsAndAnOverflowIsReported() {
    // 162 values of full width (the widest P line), every byte 255
    const qsizetype longest = 6 + 3 + 7 + 150 * 7 + 5 * 15 + 1 + 3 + 6;
    const QByteArray full(longest, '\xff');
    QVERIFY(vypocitaj_TKC(full) > 0);
    QVERIFY_THROWS_EXCEPTION(OverflowError, vypocitaj_TKC(QByteArray(10000, '\xff')));
}

void TestTkc::recordCheck_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<QString>("message"); // shown on a mismatch; empty where the line has no TKC field

    const auto shown = [](const char *stored, const char *computed) {
        return QStringLiteral("TKC najdene: %1\rTKC vypocitane: %2")
            .arg(QLatin1String(stored), QLatin1String(computed));
    };
    QTest::newRow("sound line") << QByteArray("a|b|1268|") << true << QString();
    QTest::newRow("one off") << QByteArray("a|b|1269|") << false << shown("1269", "1268");
    QTest::newRow("a letter reads as 0") << QByteArray("a|b|12x8|") << false << shown("1208", "1268");
    QTest::newRow("closing bar missing") << QByteArray("a|b|1268") << false << shown("126", "1268");
    QTest::newRow("nothing between the last bars") << QByteArray("a|b||") << false << shown("0", "1268");
    QTest::newRow("empty values") << QByteArray("||0|") << true << QString();
    QTest::newRow("leading zeros of the stored TKC") << QByteArray("a|b|001268|") << true << QString();
    QTest::newRow("stored TKC beyond 32 bits") << QByteArray("a|b|4294968564|") << false << shown("4294968564", "1268");
    QTest::newRow("stored TKC of twenty digits")
        << QByteArray("a|b|99999999999999999999|") << false << shown("99999999999999999999", "1268");
    QTest::newRow("no bar before the last character") << QByteArray("1268|") << false << QString();
    QTest::newRow("empty line") << QByteArray() << false << QString();
    QTest::newRow("one character") << QByteArray("|") << false << QString();
    QTest::newRow("two bars") << QByteArray("||") << true << QString(); // no values, TKC 0 over ""
}

void TestTkc::recordCheck() {
    QFETCH(QByteArray, line);
    QFETCH(bool, passes);
    QFETCH(QString, message);
    const RecordCheck check = checkRecordLine(line);
    QCOMPARE(check.passed(), passes);
    if (!message.isEmpty())
        QCOMPARE(check.mismatchMessage(), message);
    else if (!passes)
        QVERIFY(!check.hasTkcField);
}

QTEST_GUILESS_MAIN(TestTkc)
#include "test_tkc.moc"
