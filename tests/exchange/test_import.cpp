// The import of result archives: the round trip from one installation to another, archives of Info-ZIP,
// every refusal of a bad archive leaving the tables byte for byte as they were, and the damaged record
// lines that refuse one file while the import goes on.
#include "exchange/import.h"

#include "exchange/archive.h"
#include "exchange/exchangelines.h"
#include "exchange/export.h"
#include "exchange/password.h"
#include "exchange/tkc.h"
#include "exchangefixture.h"
#include "store/codec.h"
#include "support/districtsetup.h"
#include "support/recordline.h"
#include "ui/exchangeactions.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kArchive = QStringLiteral("VQ500011.1");
const QString kDone = QStringLiteral("Import je dokončený");
const QString kUnpackFailed = QStringLiteral("Rozbalovanie bolo neúspešné");

// A record line of the values given, with its TKC.
QByteArray line(const QStringList &values) {
    return recordLine(values);
}

// The P line of the party with the votes given to its first candidates, everything else "0".
QByteArray pLine(int party, const QList<int> &votes, int values = exchange::P_VALUES) {
    QStringList v(values, QStringLiteral("0"));
    v[0] = QStringLiteral("1");
    v[1] = QStringLiteral("101");
    v[2] = QStringLiteral("500011");
    v[3] = QStringLiteral("1");
    v[4] = QString::number(party);
    for (qsizetype i = 0; i < votes.size(); ++i)
        v[6 + i] = QString::number(votes[i]);
    return line(v);
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void roundTripRestoresTheDistrictFieldForField();
    void protocolFieldsThatDoNotTravelAreKept();
    void importsAnArchiveOfInfoZip();
    void refusedArchives_data();
    void refusedArchives();
    void refusedAttachmentLines_data();
    void refusedAttachmentLines();
    void refusedProtocolLines_data();
    void refusedProtocolLines();
    void refusalShownWhereItHappens();
    void attachmentsOfAnotherDistrictAreRefused();
    void emptyAttachmentFileEmptiesP1BeforeTheRegeneration();
    void cancelledDialogChangesNothing();

private:
    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }
    // The exporting district's archive, written into the folder.
    void exportSource();
    // An archive of our own packing with the members given, under kArchive.
    void writeArchive(const QList<archive::Member> &members, const QString &password = heslo_zip());
    void importInto(DistrictSetup &setup, const QString &name = kArchive);
    QStringList dialogTexts(const DistrictSetup &setup) const;

    std::unique_ptr<DistrictSetup> m_source;
    std::unique_ptr<DistrictSetup> m_target;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestImport::init() {
    m_source = std::make_unique<DistrictSetup>();
    m_target = std::make_unique<DistrictSetup>();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_source->isValid() && m_target->isValid() && m_folder->isValid());
    fixture::makeCleanDistrict(*m_source);
}

void TestImport::cleanup() {
    m_source.reset();
    m_target.reset();
    m_folder.reset();
}

void TestImport::exportSource() {
    m_source->services.fileAnswers.push_back(path(kArchive));
    exportDistrict(m_source->district(), m_source->services);
    QCOMPARE(m_source->services.dialogs.back().text, QStringLiteral("Export bol dokončený, : ") + path(kArchive));
}

void TestImport::writeArchive(const QList<archive::Member> &members, const QString &password) {
    QVERIFY(fixture::writeBytes(path(kArchive), archive::pack(members, password)));
}

void TestImport::importInto(DistrictSetup &setup, const QString &name) {
    setup.services.forget();
    setup.services.fileAnswers.push_back(path(name));
    importArchive(setup.district(), setup.services);
}

QStringList TestImport::dialogTexts(const DistrictSetup &setup) const {
    QStringList texts;
    for (const ScriptedServices::Dialog &d : setup.services.dialogs)
        texts.append(d.text);
    return texts;
}

void TestImport::roundTripRestoresTheDistrictFieldForField() {
    exportSource();
    const QList<QStringList> s1 = fixture::records(m_source->s1());
    const QList<QStringList> p1 = fixture::records(m_source->p1());
    QCOMPARE(p1.size(), 3);

    importInto(*m_target);

    QCOMPARE(dialogTexts(*m_target), QStringList{kDone});
    QCOMPARE(m_target->services.dialogs.back().kind, int(Services::Information));
    QVERIFY(m_target->district().Bezchybnost());
    // As stored, read by a data module of its own.
    const auto stored = m_target->reopen();
    QCOMPARE(fixture::records(stored->TS1()), s1);
    // KCT does not travel: it is left empty.
    const QList<QStringList> storedP1 = fixture::records(stored->TP1());
    QCOMPARE(storedP1.size(), p1.size());
    for (qsizetype r = 0; r < p1.size(); ++r) {
        QCOMPARE(storedP1[r].first(exchange::P_VALUES), p1[r].first(exchange::P_VALUES));
        QCOMPARE(storedP1[r].last(), QString());
    }

    // Each step shown, the record lines paced: 100 ms for the S line, twice 100 ms per P line.
    const QStringList &busy = m_target->services.busy;
    for (const char *step :
         {"on", "Kopírujem súbor ... ", "Rozbaľujem ... ", "Kontrolujem súbor S1 ... ",
          "Kontrolujem integritu rekordu ... ", "Kontrolujem súbor P1 ... ", "Kontrolujem integritu rekordu č: 3",
          "Importujem rekord č.: 3", "Aktualizujem prílohy ..."})
        QVERIFY2(busy.contains(QString::fromUtf8(step)), step);
    QCOMPARE(busy.last(), QStringLiteral("off"));
    QCOMPARE(m_target->services.sleptMilliseconds - 500 * int(busy.count(QStringLiteral("off"))), 100 + 3 * 2 * 100);
}

void TestImport::protocolFieldsThatDoNotTravelAreKept() {
    exportSource();
    m_target->setProtocol({{"PPHPS22", "0"}, {"PPHPS26", "0"}, {"KCT", "123456"}, {"OKOLNOSTI", "Bez okolností"}});
    m_target->setProtocol({{"PPHPS23", "4"}});

    importInto(*m_target);

    const auto stored = m_target->reopen();
    Table &s1 = stored->TS1();
    QCOMPARE(s1.text(QStringLiteral("KCT")), QStringLiteral("123456"));
    QCOMPARE(s1.text(QStringLiteral("OKOLNOSTI")), QStringLiteral("Bez okolností"));
    QCOMPARE(s1.text(QStringLiteral("PPHPS23")), QStringLiteral("4"));
    QCOMPARE(s1.text(QStringLiteral("PPHS")), QStringLiteral("100"));
    // KCT of the attachments is not carried: empty after the import.
    Table &p1 = stored->TP1();
    QCOMPARE(p1.text(QStringLiteral("KCT")), QString());
}

void TestImport::importsAnArchiveOfInfoZip() {
    const QByteArray s = exchange::sFileContent(m_source->s1());
    const QByteArray p = exchange::pFileContent(m_source->p1());
    // Letter case of the member names does not matter.
    QVERIFY(fixture::writeBytes(path(QStringLiteral("s500011.1")), s));
    QVERIFY(fixture::writeBytes(path(QStringLiteral("P500011.1")), p));
    QCOMPARE(fixture::runTool(m_folder->path(), QStringLiteral("zip"),
                              {QStringLiteral("-q"), QStringLiteral("-P"), heslo_zip(), kArchive,
                               QStringLiteral("s500011.1"), QStringLiteral("P500011.1")}),
             0);

    importInto(*m_target);

    QCOMPARE(dialogTexts(*m_target), QStringList{kDone});
    QCOMPARE(exchange::sFileContent(m_target->s1()), s);
    QCOMPARE(exchange::pFileContent(m_target->p1()), p);
}

void TestImport::refusedArchives_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    const QString sMissing = QStringLiteral("Rozbaľovanie bolo neúspešné (Neexistuje súbor: s500011.1 )");
    QTest::newRow("not a ZIP archive") << "text" << QStringLiteral("Neznámy typ súboru, import súboru je zrušený");
    QTest::newRow("empty file") << "empty" << QStringLiteral("Neznámy typ súboru, import súboru je zrušený");
    QTest::newRow("renamed archive") << "renamed" << kUnpackFailed;
    QTest::newRow("another password (Info-ZIP)") << "password" << kUnpackFailed;
    QTest::newRow("damaged archive") << "damaged" << kUnpackFailed;
    QTest::newRow("truncated archive") << "truncated" << kUnpackFailed;
    QTest::newRow("P file missing") << "noP" << kUnpackFailed;
    QTest::newRow("S file missing") << "noS" << sMissing;
    // What the program never writes.
    QTest::newRow("members not encrypted (Info-ZIP)") << "clear" << kUnpackFailed;
    QTest::newRow("S member alone not encrypted") << "clearS" << kUnpackFailed;
    QTest::newRow("two members of one name") << "twice" << kUnpackFailed;
    QTest::newRow("two members of one name but for letter case") << "twiceCase" << kUnpackFailed;
    QTest::newRow("an export with a third member, larger than 16 MiB") << "large" << kUnpackFailed;
    QTest::newRow("larger than 16 MiB, not a ZIP archive")
        << "largeText" << QStringLiteral("Neznámy typ súboru, import súboru je zrušený");
}

void TestImport::refusedArchives() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    exportSource();
    fixture::makeCleanDistrict(*m_target);
    m_target->setPartyVotes({{1, 40}, {3, 40}, {5, 20}});
    const fixture::StoredTables before = fixture::storedTables(*m_target);
    const QByteArray s = exchange::sFileContent(m_source->s1());
    const QByteArray p = exchange::pFileContent(m_source->p1());
    QByteArray zip = fixture::fileBytes(path(kArchive));
    QString name = kArchive;

    if (kind == QStringLiteral("text")) {
        QVERIFY(fixture::writeBytes(path(kArchive), s));
    } else if (kind == QStringLiteral("empty")) {
        QVERIFY(fixture::writeBytes(path(kArchive), QByteArray()));
    } else if (kind == QStringLiteral("renamed")) {
        name = QStringLiteral("VQ500011.2");
        QVERIFY(QFile::rename(path(kArchive), path(name)));
    } else if (kind == QStringLiteral("password")) {
        QVERIFY(QFile::remove(path(kArchive)));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("S500011.1")), s));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("P500011.1")), p));
        QCOMPARE(fixture::runTool(m_folder->path(), QStringLiteral("zip"),
                                  {QStringLiteral("-q"), QStringLiteral("-P"), QStringLiteral("Ina1234567890"),
                                   kArchive, QStringLiteral("S500011.1"), QStringLiteral("P500011.1")}),
                 0);
    } else if (kind == QStringLiteral("damaged")) {
        for (qsizetype i = 60; i < 120; ++i)
            zip[i] = char(zip[i] ^ 0x5a);
        QVERIFY(fixture::writeBytes(path(kArchive), zip));
    } else if (kind == QStringLiteral("truncated")) {
        QVERIFY(fixture::writeBytes(path(kArchive), zip.left(zip.size() / 2)));
    } else if (kind == QStringLiteral("noP")) {
        writeArchive({{QStringLiteral("S500011.1"), s}});
    } else if (kind == QStringLiteral("noS")) {
        writeArchive({{QStringLiteral("P500011.1"), p}});
    } else if (kind == QStringLiteral("clear") || kind == QStringLiteral("clearS")) {
        QVERIFY(QFile::remove(path(kArchive)));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("S500011.1")), s));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("P500011.1")), p));
        const QStringList password =
            kind == QStringLiteral("clear") ? QStringList() : QStringList{QStringLiteral("-P"), heslo_zip()};
        QCOMPARE(fixture::runTool(m_folder->path(), QStringLiteral("zip"),
                                  QStringList{QStringLiteral("-q")} + password + QStringList{kArchive, "P500011.1"}),
                 0);
        QCOMPARE(fixture::runTool(m_folder->path(), QStringLiteral("zip"), {"-q", kArchive, "S500011.1"}), 0);
    } else if (kind == QStringLiteral("twice")) {
        // A third member renamed in its local header and in the central directory.
        zip = archive::pack({{QStringLiteral("S500011.1"), s},
                             {QStringLiteral("P500011.1"), p},
                             {QStringLiteral("Q500011.1"), pLine(1, {1}) + "\r\n"}},
                            heslo_zip());
        QCOMPARE(zip.count("Q500011.1"), 2);
        QVERIFY(fixture::writeBytes(path(kArchive), zip.replace("Q500011.1", "P500011.1")));
    } else if (kind == QStringLiteral("twiceCase")) {
        writeArchive({{QStringLiteral("S500011.1"), s},
                      {QStringLiteral("P500011.1"), p},
                      {QStringLiteral("p500011.1"), pLine(1, {1}) + "\r\n"}});
    } else if (kind == QStringLiteral("large")) {
        // Sound S and P members: only the size refuses it.
        QVERIFY(QFile::remove(path(kArchive)));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("S500011.1")), s));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("P500011.1")), p));
        QVERIFY(fixture::writeBytes(path(QStringLiteral("X")), QByteArray(archive::MAX_ARCHIVE_SIZE, '\0')));
        QCOMPARE(fixture::runTool(m_folder->path(), QStringLiteral("zip"),
                                  {"-q", "-0", "-P", heslo_zip(), kArchive, "S500011.1", "P500011.1", "X"}),
                 0);
        QVERIFY(QFileInfo(path(kArchive)).size() > archive::MAX_ARCHIVE_SIZE);
    } else if (kind == QStringLiteral("largeText")) {
        QFile file(path(kArchive));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(s) == s.size());
        QVERIFY(file.resize(archive::MAX_ARCHIVE_SIZE + 1)); // sparse: nothing of it is written
    }

    importInto(*m_target, name);

    QCOMPARE(dialogTexts(*m_target), QStringList{message});
    QCOMPARE(m_target->services.dialogs.back().kind, int(Services::Error));
    QCOMPARE(m_target->services.busy.last(), QStringLiteral("off"));
    QVERIFY(fixture::storedTables(*m_target) == before);
}

void TestImport::refusedAttachmentLines_data() {
    QTest::addColumn<QByteArray>("third"); // the third line of the P file
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QStringList>("boxes");

    const QByteArray sound = pLine(5, {5, 4, 1});
    QByteArray badTkc = sound;
    badTkc[badTkc.size() - 2] = badTkc[badTkc.size() - 2] == '9' ? '8' : '9';
    const RecordCheck check = checkRecordLine(badTkc);
    const QString damaged = QStringLiteral("Rekord 3 je poškodený!");
    const QString unknown = QStringLiteral("Neznámy typ rekordu, import súboru je zrušený");

    QTest::newRow("TKC does not match") << badTkc << QStringList{check.mismatchMessage(), damaged} << QStringList();
    QTest::newRow("no bar before the last character") << QByteArray("1268") << QStringList{damaged} << QStringList();
    QTest::newRow("stored TKC beyond 32 bits")
        << (sound.left(sound.lastIndexOf('|', sound.size() - 2) + 1) + "99999999999|")
        << QStringList{QStringLiteral("TKC najdene: 99999999999\rTKC vypocitane: %1").arg(check.computed), damaged}
        << QStringList();
    QTest::newRow("164 values, a sound TKC") << pLine(5, {5, 4, 1}, 164) << QStringList{damaged} << QStringList();
    QTest::newRow("empty line") << QByteArray() << QStringList{unknown}
                                << QStringList{QStringLiteral("Začiatok rekordu je neznámy: ")};
    QTest::newRow("not a digit first") << QByteArray("X|0123456789012345678901|0|") << QStringList{unknown}
                                       << QStringList{
                                              QStringLiteral("Začiatok rekordu je neznámy: X|012345678901234567")};
}

void TestImport::refusedAttachmentLines() {
    QFETCH(QByteArray, third);
    QFETCH(QStringList, dialogs);
    QFETCH(QStringList, boxes);
    fixture::makeCleanDistrict(*m_target);
    const QList<QStringList> oldP1 = fixture::records(m_target->p1());
    // The same protocol, other candidate votes: the old attachments must stay.
    const QByteArray content = pLine(1, {1}) + "\r\n" + pLine(3, {2}) + "\r\n" + third + "\r\n";
    writeArchive({{QStringLiteral("S500011.1"), exchange::sFileContent(m_source->s1())},
                  {QStringLiteral("P500011.1"), content}});

    importInto(*m_target);

    QCOMPARE(dialogTexts(*m_target), dialogs + QStringList{kDone});
    QCOMPARE(m_target->services.messageBoxes, boxes);
    QCOMPARE(fixture::records(m_target->reopen()->TP1()), oldP1);
    QVERIFY(!m_target->services.busy.contains(QStringLiteral("Importujem rekord č.: 1")));
}

void TestImport::refusalShownWhereItHappens() {
    // The TKC's message shows over the busy window, then the refusal of the S file over the main window,
    // before the P file's steps: in the order the import meets them.
    fixture::makeCleanDistrict(*m_target);
    const QByteArray p = pLine(1, {10}) + "\r\n" + pLine(3, {10}) + "\r\n" + pLine(5, {10}) + "\r\n";
    writeArchive({{QStringLiteral("S500011.1"), QByteArray("1|2|3|")}, {QStringLiteral("P500011.1"), p}});

    importInto(*m_target);

    const QStringList expected{"busy:Kontrolujem integritu rekordu ... ", "dialog:TKC najdene: 3\rTKC vypocitane: 644",
                               "busy:off", "dialog:Rekord je poškodený!", "busy:Kontrolujem súbor P1 ... "};
    const QStringList &journal = m_target->services.journal;
    QCOMPARE(journal.mid(journal.indexOf(expected.first()), expected.size()), expected);
    QCOMPARE(journal.last(), QStringLiteral("dialog:Import je dokončený"));
}

void TestImport::refusedProtocolLines_data() {
    QTest::addColumn<QByteArray>("sLine");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QStringList>("boxes");
    const QString damaged = QStringLiteral("Rekord je poškodený!");
    const QString unknown = QStringLiteral("Neznámy typ súboru, import súboru je zrušený");

    QTest::newRow("37 values, a sound TKC")
        << line(QStringList(37, QStringLiteral("1"))) << QStringList{damaged} << QStringList();
    QTest::newRow("TKC does not match") << QByteArray("1|2|3|")
                                        << QStringList{"TKC najdene: 3\rTKC vypocitane: 644", damaged} << QStringList();
    QTest::newRow("empty file") << QByteArray() << QStringList{unknown}
                                << QStringList{QStringLiteral("Začiatok súboru je neznámy: ")};
    QTest::newRow("letters with diacritics first")
        << cp1250::encode(QStringLiteral("Čučoriedky a ďalšie veci|")) << QStringList{unknown}
        << QStringList{QStringLiteral("Začiatok súboru je neznámy: Čučoriedky a ďalšie ")};
}

void TestImport::refusedProtocolLines() {
    QFETCH(QByteArray, sLine);
    QFETCH(QStringList, dialogs);
    QFETCH(QStringList, boxes);
    fixture::makeCleanDistrict(*m_target);
    const QList<QStringList> oldS1 = fixture::records(m_target->s1());
    // The attachments of the district already stored are still imported.
    const QByteArray p = pLine(1, {10}) + "\r\n" + pLine(3, {10}) + "\r\n" + pLine(5, {10}) + "\r\n";
    writeArchive({{QStringLiteral("S500011.1"), sLine}, {QStringLiteral("P500011.1"), p}});

    importInto(*m_target);

    QCOMPARE(dialogTexts(*m_target), dialogs + QStringList{kDone});
    QCOMPARE(m_target->services.messageBoxes, boxes);
    const auto stored = m_target->reopen();
    QCOMPARE(fixture::records(stored->TS1()), oldS1);
    QCOMPARE(stored->TP1().recordCount(), 3);
    QCOMPARE(stored->TP1().text(QStringLiteral("K1")), QStringLiteral("10"));
}

void TestImport::attachmentsOfAnotherDistrictAreRefused() {
    fixture::makeCleanDistrict(*m_target);
    m_target->setProtocol({{"OKRSOK", "2"}});
    const QList<QStringList> oldP1 = fixture::records(m_target->p1());
    // Its protocol line is damaged, so the protocol keeps district 2 and the P file of district 1 does not fit.
    writeArchive(
        {{QStringLiteral("S500011.1"), QByteArray("1|2|3|")}, {QStringLiteral("P500011.1"), pLine(1, {1}) + "\r\n"}});

    importInto(*m_target);

    const QStringList texts = dialogTexts(*m_target);
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts[2], QStringLiteral("Tabuľka P1 je z iného okrsku ako tabuľka S1, import súboru je zrušený\r"
                                      "Tabuľka S1: S500011.2\rTabuľka P1: P500011.1"));
    QCOMPARE(texts[3], kDone);
    // The regeneration gives the old attachments the protocol's district.
    QList<QStringList> stored = fixture::records(m_target->reopen()->TP1());
    QCOMPARE(stored.size(), oldP1.size());
    for (qsizetype r = 0; r < stored.size(); ++r) {
        QCOMPARE(stored[r][3], QStringLiteral("2"));
        QCOMPARE(stored[r].mid(4, 2 + 150), oldP1[r].mid(4, 2 + 150)); // KON, VPH, K1..K150
    }
}

void TestImport::emptyAttachmentFileEmptiesP1BeforeTheRegeneration() {
    fixture::makeCleanDistrict(*m_target);
    writeArchive({{QStringLiteral("S500011.1"), exchange::sFileContent(m_source->s1())},
                  {QStringLiteral("P500011.1"), QByteArray()}});

    importInto(*m_target);

    QCOMPARE(dialogTexts(*m_target).last(), kDone);
    // Rebuilt from the protocol's votes, every figure "0".
    const QList<QStringList> stored = fixture::records(m_target->reopen()->TP1());
    QCOMPARE(stored.size(), 3);
    for (const QStringList &record : stored) {
        QCOMPARE(record[5], QStringLiteral("0")); // VPH
        QCOMPARE(record[6], QStringLiteral("0")); // K1
    }
}

void TestImport::cancelledDialogChangesNothing() {
    const fixture::StoredTables before = fixture::storedTables(*m_target);
    m_target->services.fileAnswers.push_back(std::nullopt);
    importArchive(m_target->district(), m_target->services);
    QVERIFY(m_target->services.dialogs.empty());
    QVERIFY(m_target->services.busy.isEmpty());
    QVERIFY(fixture::storedTables(*m_target) == before);
}

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
