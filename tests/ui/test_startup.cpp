// The start and the end of the program: a data folder that another program already holds (the general
// error box, no program, no table touched); the stored district shown at once at the start, with nothing
// written; and the figure being typed kept when the window closes.

#include "ui/startup.h"

#include "district/attachmentset.h"
#include "model/district.h"
#include "scriptedwindow.h"
#include "support/faultinjection.h"
#include "support/installationcopy.h"
#include "support/modal.h"
#include "ui/focusrouter.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace {

QByteArray folderDigest(const QString &folder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result();
}

// Starts the program on the folder, answering an error box; its text, or nothing when none was shown.
QString startAndAnswer(const QString &folder, std::optional<Program> &program) {
    QString text;
    const QPointer<QTimer> watch = whenModal(QStringLiteral("Volby do VQRA 2006"), [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        text = box->text();
        box->accept();
    });
    program = startProgram(folder);
    delete watch;
    return text;
}

// A district keyed and ended: votes for parties 1 and 3, the attachments regenerated, party 1's
// attachment with VPH 12 and a vote for candidate 2.
void storeKeyedDistrict(const QString &folder) {
    DataModule data(folder);
    ScriptedServices services;
    District district(data, services);
    Table &s1 = data.TS1();
    s1.first();
    s1.edit();
    for (int party = 1; party <= 26; ++party)
        s1.setText(schemas::S1_PPHPS1 + party - 1, party == 1 || party == 3 ? QStringLiteral("40") : "0");
    s1.post();
    (void)GeneratingP1(district);
    Table &p1 = data.TP1();
    p1.first();
    p1.edit();
    p1.setText(QStringLiteral("VPH"), QStringLiteral("12"));
    p1.setText(QStringLiteral("K2"), QStringLiteral("5"));
    p1.post();
}

QString labelText(TUI &window, const char *name) {
    window.buildAllPages();
    if (auto *label = window.findChild<QLabel *>(QString::fromLatin1(name)))
        return label->text();
    return window.findChild<QLineEdit *>(QString::fromLatin1(name))->text();
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void secondProgramOnTheSameFolderIsRefused();
    void startShowsTheStoredDistrict();
    void closingKeepsTheFigureBeingTyped_data();
    void closingKeepsTheFigureBeingTyped();
    void closingReportsAStoreThatFails();
};

void TestStartup::secondProgramOnTheSameFolderIsRefused() {
    InstallationCopy copy;
    QVERIFY(copy.isValid());
    std::optional<Program> first;
    QCOMPARE(startAndAnswer(copy.dataFolder(), first), QString());
    QVERIFY(first);
    const QByteArray before = folderDigest(copy.dataFolder());

    std::optional<Program> second;
    QCOMPARE(startAndAnswer(copy.dataFolder(), second), QStringLiteral("Program už beží nad týmito údajmi."));
    QVERIFY(!second);
    QCOMPARE(folderDigest(copy.dataFolder()), before);

    // Once the first program has ended, the folder is free again.
    first.reset();
    std::optional<Program> third;
    QCOMPARE(startAndAnswer(copy.dataFolder(), third), QString());
    QVERIFY(third);
}

void TestStartup::startShowsTheStoredDistrict() {
    InstallationCopy copy;
    QVERIFY(copy.isValid());
    storeKeyedDistrict(copy.dataFolder());
    const QByteArray before = folderDigest(copy.dataFolder());

    DataModule data(copy.dataFolder());
    ScriptedServices script;
    TUI window(data, scriptedServices(script));
    QCOMPARE(labelText(window, "Label13"), QStringLiteral("1"));
    QCOMPARE(labelText(window, "EPocKand"), QStringLiteral("150"));
    QVERIFY(!labelText(window, "NazovKoal").isEmpty());
    QCOMPARE(labelText(window, "asponhlas"), QStringLiteral("2"));
    QVERIFY(window.services().formDisplay().candidateEmphasis(2));
    QVERIFY(!window.services().formDisplay().candidateEmphasis(3));
    QVERIFY(window.services().formDisplay().partyEmphasis(3));
    QCOMPARE(window.services().formDisplay().quickChoiceItems().size(), 2);
    QVERIFY(script.messageBoxes.isEmpty());
    QVERIFY(script.dialogs.empty());
    QCOMPARE(folderDigest(copy.dataFolder()), before);
}

void TestStartup::closingKeepsTheFigureBeingTyped_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("sumAfter");
    // POZZV 0077 over PVO 0: K04 would speak on leaving the box; closing stores it without a word.
    QTest::newRow("a count of T/12") << "ePOZZV" << 0 << "POZZV"
                                     << "KC2"
                                     << "77";
    QTest::newRow("a party's votes") << "ePPHPS3" << 1 << "PPHPS3"
                                     << "KC3" << QString::number(40 + 3 * 77);
    QTest::newRow("VPH of T/13") << "pVPH" << 2 << "VPH"
                                 << "KC2"
                                 << "154";
    QTest::newRow("a candidate of T/13") << "pK3" << 2 << "K3"
                                         << "KC3" << QString::number(2 * 5 + 3 * 77);
}

void TestStartup::closingKeepsTheFigureBeingTyped() {
    QFETCH(QString, box);
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, sum);
    QFETCH(QString, sumAfter);
    InstallationCopy copy;
    QVERIFY(copy.isValid());
    storeKeyedDistrict(copy.dataFolder());
    {
        auto data = std::make_unique<DataModule>(copy.dataFolder());
        ScriptedServices script;
        TUI window(*data, scriptedServices(script));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.router().changePage(page, false);
        window.buildAllPages();
        // Into the page first (entering the attachment page puts the focus into pVPH), then the box.
        auto *control = window.findChild<QLineEdit *>(box);
        window.router().focus(control);
        window.router().focus(control);
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClicks(control, QStringLiteral("0077"));
        QVERIFY(window.close());
        QVERIFY(script.messageBoxes.isEmpty());
        QVERIFY(script.errorsShown.isEmpty());
    }
    DataModule stored(copy.dataFolder());
    Table &table = page < 2 ? stored.TS1() : stored.TP1();
    table.first();
    QCOMPARE(table.text(field), QStringLiteral("77"));
    QCOMPARE(table.text(sum), sumAfter);
}

// A full disk under the closing store: the error is shown, the window closes all the same and the table
// keeps its figure from before.
void TestStartup::closingReportsAStoreThatFails() {
    InstallationCopy copy;
    QVERIFY(copy.isValid());
    storeKeyedDistrict(copy.dataFolder());
    {
        DataModule data(copy.dataFolder());
        ScriptedServices script;
        TUI window(data, scriptedServices(script));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *control = window.findChild<QLineEdit *>(QStringLiteral("ePOZZV"));
        window.router().focus(control);
        QTest::keyClicks(control, QStringLiteral("0077"));
        FaultInjection fullDisk(1, ENOSPC);
        QVERIFY(window.close());
        QVERIFY(fullDisk.failed);
        QCOMPARE(script.errorsShown.size(), 1);
        QVERIFY(script.errorsShown.first().contains(copy.dataFolder()));
    }
    DataModule stored(copy.dataFolder());
    stored.TS1().first();
    QCOMPARE(stored.TS1().text(QStringLiteral("POZZV")), QStringLiteral("0"));
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
