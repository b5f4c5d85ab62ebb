// Record lines, their cutting into values, the S and P file content taken from the tables, the names,
// and the reading of text lines.
#include "exchange/exchangelines.h"

#include "exchange/tkc.h"
#include "store/codec.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/tablefiles.h"
#include "support/recordline.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using ByteLines = QList<QByteArray>;

class TestExchangeLines : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void recordLine_data();
    void recordLine();
    void cutRecordLine_data();
    void cutRecordLine();
    void sLineCarriesTheThirtyEightValuesInOrder();
    void pFileHasOneLinePerRecordFromTheFirst();
    void emptyP1GivesAnEmptyPFile();
    void names();
    void textLines_data();
    void textLines();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataModule> m_data;
};

void TestExchangeLines::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    createTableFiles(m_dir->path());
    m_data = std::make_unique<DataModule>(m_dir->path());
}

void TestExchangeLines::cleanup() {
    m_data.reset();
    m_dir.reset();
}

void TestExchangeLines::recordLine_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("two values") << QStringList{"a", "b"} << QByteArray("a|b|1268|");
    QTest::newRow("an empty value gives adjacent bars") << QStringList{"a", "", "b"} << QByteArray("a||b|1268|");
    QTest::newRow("Windows-1250 text") << QStringList{QStringLiteral("č")} << QByteArray("\xe8|1392|");
}

void TestExchangeLines::recordLine() {
    QFETCH(QStringList, values);
    QFETCH(QByteArray, line);
    QCOMPARE(::recordLine(values), line);
    QVERIFY(checkRecordLine(line).passed());
}

void TestExchangeLines::cutRecordLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<ByteLines>("values");
    QTest::newRow("two values") << QByteArray("a|b|1268|") << ByteLines{"a", "b"};
    QTest::newRow("empty values kept") << QByteArray("||x||5|") << ByteLines{"", "", "x", ""};
    QTest::newRow("closing bar missing: the TKC digits before the last go")
        << QByteArray("a|b|1268") << ByteLines{"a", "b"};
    QTest::newRow("no TKC field") << QByteArray("12|") << ByteLines{};
    QTest::newRow("empty line") << QByteArray() << ByteLines{};
}

void TestExchangeLines::cutRecordLine() {
    QFETCH(QByteArray, line);
    QFETCH(ByteLines, values);
    ByteLines cut;
    for (const QByteArrayView v : exchange::cutRecordLine(line))
        cut.append(v.toByteArray());
    QCOMPARE(cut, values);
}

void TestExchangeLines::sLineCarriesTheThirtyEightValuesInOrder() {
    Table &s1 = m_data->TS1();
    s1.edit();
    for (int i = 0; i < s1.fieldCount(); ++i)
        s1.setText(i, s1.schema().fields[i].name.left(s1.schema().fields[i].width));
    s1.setText(QStringLiteral("KTO"), QStringLiteral("Žilina"));
    s1.post();

    const QByteArray line = exchange::sFileContent(s1);
    QVERIFY(!line.endsWith('\n'));
    QVERIFY(checkRecordLine(line).passed());
    QStringList names;
    for (const QByteArrayView v : exchange::cutRecordLine(line))
        names.append(cp1250::decode(v.toByteArray()));
    QStringList expected{"T", "OBV", "OBEC", "OKR", "POZZV", "PVO", "POO_POS", "POO", "PPHS"};
    for (int n = 1; n <= 21; ++n)
        expected.append(QStringLiteral("PPHPS%1").arg(n));
    expected << "KC1"
             << "KC2"
             << "KC3" << QStringLiteral("Žilina") << "KEDY"
             << "DATUM"
             << "CAS"
             << "S";
    QCOMPARE(names, expected);
}

void TestExchangeLines::pFileHasOneLinePerRecordFromTheFirst() {
    Table &p1 = m_data->TP1();
    for (const char *kon : {"3", "7"}) {
        p1.append();
        for (int i = 0; i < p1.fieldCount(); ++i)
            p1.setText(i, QString::number(i));
        p1.setText(schemas::P1_KON, QLatin1String(kon));
        p1.setText(QStringLiteral("KCT"), QStringLiteral("999"));
        p1.post();
    }
    QCOMPARE(p1.recordNumber(), 2); // standing on the last record must not matter

    const QByteArray content = exchange::pFileContent(p1);
    QVERIFY(content.endsWith("\r\n"));
    const QList<QByteArray> lines = exchange::textLines(content);
    QCOMPARE(lines.size(), 2);
    for (int r = 0; r < 2; ++r) {
        QVERIFY(checkRecordLine(lines[r]).passed());
        const QList<QByteArrayView> values = exchange::cutRecordLine(lines[r]);
        QCOMPARE(values.size(), 162);
        QCOMPARE(values[schemas::P1_KON], r == 0 ? QByteArray("3") : QByteArray("7"));
        QCOMPARE(values[160], QByteArray("160")); // KC5
        QCOMPARE(values[161], QByteArray("1"));   // STAV, cut to its width; KCT is not carried
    }
}

void TestExchangeLines::emptyP1GivesAnEmptyPFile() {
    QCOMPARE(exchange::pFileContent(m_data->TP1()), QByteArray());
}

void TestExchangeLines::names() {
    Table &s1 = m_data->TS1();
    s1.edit();
    s1.setText(QStringLiteral("OBEC"), QStringLiteral("529354"));
    s1.setText(QStringLiteral("OKRSOK"), QStringLiteral("12"));
    s1.post();
    const exchange::Names n = exchange::names(s1);
    QCOMPARE(n.sFile, QStringLiteral("S529354.12"));
    QCOMPARE(n.pFile, QStringLiteral("P529354.12"));
    QCOMPARE(n.archive, QStringLiteral("VQ529354.12"));
}

void TestExchangeLines::textLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<ByteLines>("lines");
    QTest::addColumn<QByteArray>("first");
    QTest::newRow("empty file") << QByteArray() << ByteLines{} << QByteArray();
    QTest::newRow("no line end") << QByteArray("a|1|") << ByteLines{"a|1|"} << QByteArray("a|1|");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << ByteLines{"a", "b"} << QByteArray("a");
    QTest::newRow("LF only") << QByteArray("a\nb") << ByteLines{"a", "b"} << QByteArray("a");
    QTest::newRow("trailing blank line") << QByteArray("a\r\n\r\n") << ByteLines{"a", ""} << QByteArray("a");
    QTest::newRow("blank first line") << QByteArray("\r\nb") << ByteLines{"", "b"} << QByteArray();
}

void TestExchangeLines::textLines() {
    QFETCH(QByteArray, content);
    QFETCH(ByteLines, lines);
    QFETCH(QByteArray, first);
    QCOMPARE(exchange::textLines(content), lines);
    QCOMPARE(exchange::firstTextLine(content), first);
}

QTEST_GUILESS_MAIN(TestExchangeLines)
#include "test_exchangelines.moc"
