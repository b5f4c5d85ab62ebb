// volby-centrum's command line, tlac (the four documents of one district to PDF) and obnov (a backup of
// the district program put back into its data folder under the folder's lock).
#include "centrefixture.h"

#include "store/folderlock.h"
#include "store/wipe.h"

#include <QTest>

using namespace centre_fixture;
using namespace Qt::StringLiterals;

namespace {

// Every field of every record of a table, as stored.
QList<QStringList> records(Table &table) {
    QList<QStringList> rows;
    table.first();
    for (int r = 0; r < table.recordCount(); ++r, table.next()) {
        QStringList row;
        for (int k = 0; k < table.fieldCount(); ++k)
            row.append(table.text(k));
        rows.append(row);
    }
    return rows;
}

} // namespace

class TestCentreCommands : public QObject {
    Q_OBJECT

private slots:
    void commandLines_data();
    void commandLines();
    void printsTheFourDocuments();
    void restoresABackup();
};

void TestCentreCommands::commandLines_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << "Chýba príkaz.";
    QTest::newRow("unknown command") << QStringList{"over", "a"} << "Neznámy príkaz over.";
    QTest::newRow("no archive") << QStringList{"overit"}
                                << "Príkaz overit potrebuje aspoň jeden archív alebo priečinok.";
    QTest::newRow("summary without its folder")
        << QStringList{"suhrn", "a"} << "Príkaz suhrn potrebuje voľbu --vystup.";
    QTest::newRow("option of another command")
        << QStringList{"overit", "a", "--pdf", "b"} << "Príkaz overit nepozná voľbu --pdf.";
    QTest::newRow("option without its value") << QStringList{"tlac", "a", "--pdf"} << "Voľbe --pdf chýba hodnota.";
    QTest::newRow("two archives to print")
        << QStringList{"tlac", "a", "b", "--pdf=c"} << "Príkaz tlac berie práve jednu cestu.";
    QTest::newRow("no threads") << QStringList{"overit", "a", "--vlakna", "0"}
                                << "Voľba --vlakna potrebuje kladné celé číslo.";
}

void TestCentreCommands::commandLines() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run result = run(arguments);
    QCOMPARE(result.code, 2);
    QCOMPARE(result.out, QString());
    QCOMPARE(result.err.section(u'\n', 0, 0), message);
    QVERIFY(result.err.contains(u"  volby-centrum suhrn ARCHÍV|PRIEČINOK... --vystup PRIEČINOK\n"_s));
}

void TestCentreCommands::printsTheFourDocuments() {
    QTemporaryDir dir;
    Exporter exporter;
    QVERIFY(exporter.isValid());
    const QString archive = exporter.exportClean(cleanSpec(u"102"_s, u"500932"_s, 2, 4), dir.path());
    QVERIFY(!archive.isEmpty());
    const QString pdf = dir.filePath(u"okrsok 2.pdf"_s);

    const Run result = run({u"tlac"_s, archive, u"--pdf"_s, pdf});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, 0);
    QCOMPARE(result.out, u"Zápisnica T/12, prílohy T/13 a oba chybové protokoly sú v súbore %1\n"_s.arg(pdf));
    QByteArray bytes;
    QCOMPARE(runTool(dir.path(), u"pdftotext"_s, {pdf, u"-"_s}, &bytes), 0);
    const QString text = QString::fromUtf8(bytes);
    QCOMPARE(text.count(u"ZÁPISNICA"_s), 1);
    QVERIFY(text.contains(u"500932 Klevlukovce"_s));
    // One attachment per party with votes (1, 3, 7, 21), then both error protocols, free of errors.
    QCOMPARE(text.count(QRegularExpression(u"PRÍLOHA /\\d"_s)), 4);
    QCOMPARE(text.count(u"CHYBOVÝ PROTOKOL"_s), 2);
    QCOMPARE(text.count(u"BEZ CHÝB"_s), 2);

    // A file that is no archive: its line, and no PDF.
    const QString other = dir.filePath(u"VQ500932.3"_s);
    QVERIFY(writeBytes(other, "PK nothing"));
    const Run refused = run({u"tlac"_s, other, u"--pdf"_s, dir.filePath(u"ine.pdf"_s)});
    QCOMPARE(refused.code, 1);
    QCOMPARE(refused.out, other + u"  CHYBA  archív je poškodený alebo neúplný\n"_s);
    QVERIFY(!QFile::exists(dir.filePath(u"ine.pdf"_s)));
}

void TestCentreCommands::restoresABackup() {
    Exporter keyed;
    QVERIFY(keyed.isValid());
    DistrictSetup &setup = keyed.setup();
    fill(setup.district(), cleanSpec(u"101"_s, u"500011"_s, 7, 3));
    const QList<QStringList> s1Keyed = records(setup.s1());
    const QList<QStringList> p1Keyed = records(setup.p1());
    vymaz_databazu(setup.data()); // backs the district up, then wipes it
    const QDir backups(QDir(setup.dataFolder()).filePath(u"zaloha"_s));
    const QStringList made = backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(made.size(), 1);
    QVERIFY(made.first().endsWith(u"-vymazanie"_s));
    const QString backup = backups.filePath(made.first());
    const QByteArray s1Wiped = fileBytes(QDir(setup.dataFolder()).filePath(u"S1.DBF"_s));

    {
        // A program working on the folder: nothing is touched.
        const FolderLock program(setup.dataFolder());
        const Run refused = run({u"obnov"_s, backup, u"--data"_s, setup.dataFolder()});
        QCOMPARE(refused.code, 1);
        QCOMPARE(refused.err, u"Program už beží nad týmito údajmi.\n"_s);
        QCOMPARE(fileBytes(QDir(setup.dataFolder()).filePath(u"S1.DBF"_s)), s1Wiped);
    }

    const Run result = run({u"obnov"_s, backup, u"--data"_s, setup.dataFolder()});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, 0);
    const auto restored = setup.reopen();
    QCOMPARE(records(restored->TS1()), s1Keyed);
    QCOMPARE(records(restored->TP1()), p1Keyed);
    QCOMPARE(restored->TP1().recordCount(), 4);
    // The wiped district it replaced is kept in a backup of its own, and the folder's journal is empty.
    // (Numbered when it falls within the second of the wipe's backup.)
    const QStringList after = backups.entryList({u"*-obnova"_s, u"*-obnova-*"_s}, QDir::Dirs);
    QCOMPARE(after.size(), 1);
    QCOMPARE(backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
    QCOMPARE(fileBytes(QDir(backups.filePath(after.first())).filePath(u"S1.DBF"_s)).mid(32),
             s1Wiped.mid(32)); // the header's date aside

    // A backup without its protocol table: refused, the folder as it was.
    QVERIFY(QFile::remove(QDir(backup).filePath(u"S1.DBF"_s)));
    const QByteArray s1Restored = fileBytes(QDir(setup.dataFolder()).filePath(u"S1.DBF"_s));
    const Run broken = run({u"obnov"_s, backup, u"--data"_s, setup.dataFolder()});
    QCOMPARE(broken.code, 1);
    QCOMPARE(broken.err, u"V zálohe %1 chýba súbor S1.DBF.\n"_s.arg(backup));
    QCOMPARE(fileBytes(QDir(setup.dataFolder()).filePath(u"S1.DBF"_s)), s1Restored);
}

QTEST_MAIN(TestCentreCommands)
#include "test_centre_commands.moc"
