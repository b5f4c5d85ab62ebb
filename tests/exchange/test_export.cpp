// The export: the refusals before anything is written, the archive in the chosen folder under its own
// name, readable by Info-ZIP with the password, and a target that cannot be written.
#include "exchange/export.h"

#include "exchange/exchangelines.h"
#include "exchange/password.h"
#include "exchangefixture.h"
#include "support/districtsetup.h"
#include "ui/exchangeactions.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void archiveLandsUnderItsOwnNameInTheChosenFolder();
    void infoZipReadsTheArchiveWithThePassword();
    void anArchiveOfTheSameNameIsReplaced();
    void refusals_data();
    void refusals();
    void unwritableTarget_data();
    void unwritableTarget();

private:
    QString target(const QString &name) const { return QDir(m_target->path()).filePath(name); }
    QString lastDialog() const {
        const auto &dialogs = m_setup->services.dialogs;
        return dialogs.empty() ? QString() : dialogs.back().text;
    }

    std::unique_ptr<DistrictSetup> m_setup;
    std::unique_ptr<QTemporaryDir> m_target;
};

void TestExport::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
    m_target = std::make_unique<QTemporaryDir>();
    fixture::makeCleanDistrict(*m_setup);
    m_setup->setProtocol({{"KTO", "7"}});
    m_setup->services.forget();
}

void TestExport::cleanup() {
    m_setup.reset();
    m_target.reset();
}

void TestExport::archiveLandsUnderItsOwnNameInTheChosenFolder() {
    ScriptedServices &services = m_setup->services;
    services.fileAnswers.push_back(target(QStringLiteral("typed name.zip")));

    exportDistrict(m_setup->district(), m_setup->services);

    QVERIFY(m_setup->district().Bezchybnost());
    QCOMPARE(services.fileDialogTitles, QStringList{QStringLiteral("EXPORT Súboru:  VQ500011.1")});
    QCOMPARE(QDir(m_target->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"VQ500011.1"});
    QCOMPARE(lastDialog(), QStringLiteral("Export bol dokončený, : ") + target(QStringLiteral("VQ500011.1")));
    QCOMPARE(services.dialogs.back().kind, int(Services::Information));
    QCOMPARE(services.busy.last(2), (QStringList{"Šifrujem ... ", "off"}));
    QCOMPARE(m_setup->reopen()->TS1().text(QStringLiteral("KTO")), QStringLiteral("0"));
}

void TestExport::infoZipReadsTheArchiveWithThePassword() {
    m_setup->services.fileAnswers.push_back(target(QStringLiteral("VQ500011.1")));
    exportDistrict(m_setup->district(), m_setup->services);
    const QString unpacked = target(QStringLiteral("unpacked"));
    QVERIFY(QDir().mkpath(unpacked));

    // Members in the order S, P, under their own names, decrypted by another ZIP tool.
    QProcess list;
    list.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), target(QStringLiteral("VQ500011.1"))});
    QVERIFY(list.waitForFinished(20000));
    QCOMPARE(list.readAllStandardOutput(), QByteArray("S500011.1\nP500011.1\n"));
    QCOMPARE(fixture::runTool(unpacked, QStringLiteral("unzip"),
                              {QStringLiteral("-P"), heslo_zip(), target(QStringLiteral("VQ500011.1"))}),
             0);

    const QByteArray s = fixture::fileBytes(QDir(unpacked).filePath(QStringLiteral("S500011.1")));
    const QByteArray p = fixture::fileBytes(QDir(unpacked).filePath(QStringLiteral("P500011.1")));
    QCOMPARE(s, exchange::sFileContent(m_setup->s1()));
    QCOMPARE(p, exchange::pFileContent(m_setup->p1()));
    QVERIFY(s.startsWith("1|101|500011|1|1000|900|0|900|100|50|0|30|0|20|"));
    QCOMPARE(exchange::textLines(p).size(), 3);
    QVERIFY(p.endsWith("|\r\n"));

    // Without the password nothing comes out.
    QVERIFY(QDir(unpacked).removeRecursively());
    QVERIFY(QDir().mkpath(unpacked));
    QVERIFY(fixture::runTool(unpacked, QStringLiteral("unzip"),
                             {QStringLiteral("-P"), QStringLiteral("wrong"), target(QStringLiteral("VQ500011.1"))}) !=
            0);
    QVERIFY(fixture::fileBytes(QDir(unpacked).filePath(QStringLiteral("P500011.1"))).isEmpty());
}

void TestExport::anArchiveOfTheSameNameIsReplaced() {
    QVERIFY(fixture::writeBytes(target(QStringLiteral("VQ500011.1")), "an older archive"));
    m_setup->services.fileAnswers.push_back(target(QStringLiteral("VQ500011.1")));

    exportDistrict(m_setup->district(), m_setup->services);

    QVERIFY(fixture::fileBytes(target(QStringLiteral("VQ500011.1"))).startsWith("PK"));
    QCOMPARE(QDir(m_target->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestExport::refusals_data() {
    QTest::addColumn<QStringList>("protocol");   // S1 field=value before the export
    QTest::addColumn<QStringList>("attachment"); // field=value of the first attachment, after the complete check
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("box");    // plain message box
    QTest::addColumn<QString>("dialog"); // error dialog
    QTest::addColumn<QString>("kto");

    QTest::newRow("district with errors")
        << QStringList{"PPHS=99"} << QStringList() << false
        << QStringLiteral("Zápinica obsahuje chyby, EXPORT je zrušený.") << QString() << QStringLiteral("7");
    QTest::newRow("municipality of the attachments differs")
        << QStringList() << QStringList{"OBEC=500012"} << false << QString()
        << QStringLiteral("Kód obce v T/12 je iné ako kód obce v T/13, pravdepodobne zabudli ste aktualizovať prílohy")
        << QStringLiteral("0");
    QTest::newRow("polling district of the attachments differs")
        << QStringList() << QStringList{"OKRSOK=2"} << false << QString()
        << QStringLiteral("Kód okrsku v T/12 je iné ako kód okrsku v T/13, pravdepodobne zabudli ste aktualizovať "
                          "prílohy")
        << QStringLiteral("0");
    // A "|" would shift the reader's values under a TKC that still passes.
    QTest::newRow("bar in a protocol value")
        << QStringList{"DATUM=17|06"} << QStringList() << false << QString()
        << QStringLiteral("Údaj T/12 DATUM obsahuje znak |, EXPORT je zrušený.") << QStringLiteral("0");
    QTest::newRow("bar in an attachment value")
        << QStringList() << QStringList{"STAV=|"} << false << QString()
        << QStringLiteral("Údaj T/13 (strana 1) STAV obsahuje znak |, EXPORT je zrušený.") << QStringLiteral("0");
    QTest::newRow("dialog cancelled") << QStringList() << QStringList() << true << QString() << QString()
                                      << QStringLiteral("0");
}

void TestExport::refusals() {
    QFETCH(QStringList, protocol);
    QFETCH(QStringList, attachment);
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    QFETCH(QString, dialog);
    QFETCH(QString, kto);
    const auto assign = [](const QString &assignment, const std::function<void(const char *, QString)> &set) {
        set(qPrintable(assignment.section(u'=', 0, 0)), assignment.section(u'=', 1));
    };
    for (const QString &a : protocol)
        assign(a, [this](const char *name, QString value) { m_setup->setProtocol({{name, value}}); });
    // The export's own tests run on what the complete check leaves, so the attachment is changed after it.
    District &district = m_setup->district();
    m_setup->services.show(KompletnaKontrola(district));
    m_setup->p1().first();
    for (const QString &a : attachment)
        assign(a, [this](const char *name, QString value) { m_setup->setAttachment({{name, value}}); });
    m_setup->p1().first();
    if (cancel)
        m_setup->services.fileAnswers.push_back(std::nullopt);
    m_setup->services.forget();

    const ExportStep step = ExportOkrsok(district);
    m_setup->services.show(step.outcome);
    if (step.question)
        QVERIFY(!m_setup->services.saveFileName(step.question->title, step.question->folder,
                                                step.question->proposedName, QString()));

    QCOMPARE(m_setup->services.messageBoxes, box.isEmpty() ? QStringList() : QStringList{box});
    if (dialog.isEmpty()) {
        QVERIFY(m_setup->services.dialogs.empty());
    } else {
        QCOMPARE(int(m_setup->services.dialogs.size()), 1);
        QCOMPARE(lastDialog(), dialog);
        QCOMPARE(m_setup->services.dialogs.back().kind, int(Services::Error));
    }
    QCOMPARE(m_setup->services.fileDialogTitles.size(), cancel ? 1 : 0);
    QVERIFY(m_setup->services.busy.isEmpty());
    QCOMPARE(m_setup->reopen()->TS1().text(QStringLiteral("KTO")), kto);
    QVERIFY(QDir(m_target->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestExport::unwritableTarget_data() {
    // The tests run as root, whom permissions do not stop: the write fails on the path itself.
    QTest::addColumn<QString>("chosen");  // relative to the target folder
    QTest::addColumn<QString>("prepare"); // "file": a plain file "f"; "folder": a folder named as the archive
    QTest::addColumn<int>("code");
    QTest::newRow("folder does not exist") << QStringLiteral("missing/VQ500011.1") << QString() << ENOENT;
    QTest::newRow("folder is a file") << QStringLiteral("f/VQ500011.1") << QStringLiteral("file") << ENOTDIR;
    QTest::newRow("the archive's name is a folder")
        << QStringLiteral("VQ500011.1") << QStringLiteral("folder") << EISDIR;
}

void TestExport::unwritableTarget() {
    QFETCH(QString, chosen);
    QFETCH(QString, prepare);
    QFETCH(int, code);
    if (prepare == QStringLiteral("file"))
        QVERIFY(fixture::writeBytes(target(QStringLiteral("f")), "x"));
    if (prepare == QStringLiteral("folder"))
        QVERIFY(QDir().mkpath(target(QStringLiteral("VQ500011.1"))));
    const QStringList before = QDir(m_target->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    m_setup->services.fileAnswers.push_back(target(chosen));

    exportDistrict(m_setup->district(), m_setup->services);

    QCOMPARE(lastDialog(),
             QStringLiteral("Kopírovanie súboru VQ500011.1 bolo neuspešné ,  error code = ") + QString::number(code));
    QCOMPARE(m_setup->services.dialogs.back().kind, int(Services::Error));
    QCOMPARE(m_setup->services.busy.last(), QStringLiteral("off"));
    // No partial or temporary archive anywhere.
    QCOMPARE(QDir(m_target->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    if (prepare == QStringLiteral("folder"))
        QVERIFY(QDir(target(QStringLiteral("VQ500011.1"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
