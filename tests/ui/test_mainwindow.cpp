// The main window as it starts: its frame, pages and memos, the start-up on a broken installation,
// the general error box, and the database wipe.

#include "windowfixture.h"

#include "store/table.h"
#include "ui/entrycontrols.h"
#include "ui/startup.h"

#include "support/modal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QByteArray folderDigest(const QString &folder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(folder).filePath(name));
        file.open(QIODevice::ReadOnly);
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result();
}

// Saves a picture of every page when VOLBY_SCREENSHOTS names a folder (for a look by eye).
void saveScreenshots(TUI &window) {
    const QString folder = qEnvironmentVariable("VOLBY_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    for (int i = 0; i < 6; ++i) {
        window.pages().setCurrentIndex(i);
        window.grab().save(QDir(folder).filePath(QStringLiteral("page%1.png").arg(i)));
    }
    window.pages().setCurrentIndex(0);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void frame();
    void pages_data();
    void pages();
    void hiddenPageUnreachable();
    void startFocusOnTabs();
    void startLeavesTablesAlone();
    void memos();
    void brokenInstallation_data();
    void brokenInstallation();
    void errorBox();
    void wipe_data();
    void wipe();
    void wipeOnEmptyS1();
};

void TestMainWindow::frame() {
    WindowFixture f;
    QCOMPARE(f.window->objectName(), QStringLiteral("UI"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Voľby do VQRA 2006"));
    QCOMPARE(f.window->size(), QSize(789, 530));
    QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
    QVERIFY(!(f.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.window->windowFlags() & Qt::WindowMinimizeButtonHint);
    auto *pages = f.control<PageControl>("PageControl1");
    QVERIFY(pages);
    QCOMPARE(pages->geometry(), QRect(0, 0, 785, 529));
    QCOMPARE(f.window->font().pixelSize(), 11);
    saveScreenshots(*f.window);
}

void TestMainWindow::pages_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("0") << 0 << "TabSheet1"
                       << "T/12  Časť II.";
    QTest::newRow("1") << 1 << "TabSheet2"
                       << "T/12  Časť II. pokr.";
    QTest::newRow("2") << 2 << "TabSheet4"
                       << "T/13   1.strana";
    QTest::newRow("3") << 3 << "TabSheet5"
                       << "T/13   2.strana";
    QTest::newRow("4") << 4 << "TabSheet6"
                       << "Prot. o kontrole";
    QTest::newRow("5") << 5 << "TabSheet7"
                       << "Tlač / Export";
    QTest::newRow("6") << 6 << "TabSheet8"
                       << "CISELNIKY";
}

void TestMainWindow::pages() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    WindowFixture f;
    QCOMPARE(f.window->pages().count(), 7);
    QCOMPARE(f.window->page(index)->objectName(), name);
    QCOMPARE(f.window->pages().tabText(index), caption);
    QCOMPARE(f.window->pages().isTabVisible(index), index != 6);
}

void TestMainWindow::hiddenPageUnreachable() {
    WindowFixture f;
    // Ctrl+Tab walks the pages with a tab, round and round, never onto TabSheet8.
    f.focus("eOBVOD");
    QList<int> seen;
    for (int i = 0; i < 8; ++i) {
        f.window->pages().tabs()->setFocus();
        f.key(Qt::Key_Tab, Qt::ControlModifier);
        seen.append(f.currentPage());
    }
    QVERIFY(!seen.contains(6));
    QCOMPARE(seen.mid(0, 7), (QList<int>{1, 2, 3, 4, 5, 0, 1}));
    // Arrow keys on the tabs neither.
    f.window->pages().setCurrentIndex(5);
    f.window->pages().tabs()->setFocus();
    f.key(Qt::Key_Right);
    QCOMPARE(f.currentPage(), 0);
}

void TestMainWindow::startFocusOnTabs() {
    WindowFixture f;
    QCOMPARE(f.currentPage(), 0);
    QCOMPARE(QApplication::focusWidget(), f.window->pages().tabs());
    f.key(Qt::Key_Tab);
    QCOMPARE(f.focused(), QStringLiteral("eOBVOD"));
}

void TestMainWindow::startLeavesTablesAlone() {
    InstallationCopy copy;
    const QByteArray before = folderDigest(copy.dataFolder());
    {
        DataModule data(copy.dataFolder());
        ScriptedServices script;
        TUI window(data, scriptedServices(script));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QCOMPARE(folderDigest(copy.dataFolder()), before);
}

void TestMainWindow::memos() {
    WindowFixture f;
    struct Memo {
        const char *name, *group;
    };
    const Memo memos[] = {{"Protokol1", "Chybový protokol"},
                          {"Protokol2", "Chybový protokol z medzitabuľkových kontrol"}};
    for (const Memo &m : memos) {
        auto *memo = f.control<QPlainTextEdit>(m.name);
        QVERIFY(memo);
        QVERIFY(f.window->page(4)->isAncestorOf(memo));
        QCOMPARE(static_cast<QGroupBox *>(memo->parentWidget())->title(), QString::fromUtf8(m.group));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(memo->toPlainText().isEmpty());
    }
    QCOMPARE(f.control<QPlainTextEdit>("Protokol1")->size(), QSize(745, 217));
    QCOMPARE(f.control<QPlainTextEdit>("Protokol2")->size(), QSize(745, 209));
    // The memos show the district's protocols, wrapped once a complete check has run.
    District &d = f.window->district();
    d.appendLine(District::protokol2(), QStringLiteral("K18 chyba"));
    d.appendLine(District::protokol2(), QString());
    f.window->services().formDisplay().apply({DisplayChange::Kind::ProtocolWrap});
    QCOMPARE(f.control<QPlainTextEdit>("Protokol2")->toPlainText(), QStringLiteral("K18 chyba\n"));
    QCOMPARE(f.control<QPlainTextEdit>("Protokol2")->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(f.control<QPlainTextEdit>("Protokol1")->toPlainText().isEmpty());
}

void TestMainWindow::brokenInstallation_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("truncate");
    QTest::newRow("S1 missing") << "S1.DBF" << false;
    QTest::newRow("KOAL06 missing") << "KOAL06.DBF" << false;
    QTest::newRow("P1 truncated") << "P1.DBF" << true;
}

void TestMainWindow::brokenInstallation() {
    QFETCH(QString, file);
    QFETCH(bool, truncate);
    InstallationCopy copy;
    QFile table(QDir(copy.dataFolder()).filePath(file));
    if (truncate) {
        QVERIFY(table.open(QIODevice::ReadWrite));
        QVERIFY(table.resize(table.size() / 2 + 3));
        table.close();
    } else {
        QVERIFY(table.remove());
    }
    QString caption, text;
    const QPointer<QTimer> watch = whenModal(QString(), [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        caption = box->windowTitle();
        text = box->text();
        box->accept();
    });
    const std::optional<Program> program = startProgram(copy.dataFolder());
    delete watch;
    QVERIFY(!program);
    QCOMPARE(caption, QStringLiteral("Volby do VQRA 2006"));
    QVERIFY2(text.contains(file, Qt::CaseInsensitive), qPrintable(text));
    const auto windows = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget *w) { return qobject_cast<TUI *>(w); }));
}

void TestMainWindow::errorBox() {
    WindowFixture f;
    // A text the normalisation cannot read stops the exit processing with its conversion error; the
    // program goes on.
    f.s1().first();
    f.s1().edit();
    f.s1().setText("POZZV", "12x");
    f.s1().post();
    f.focus("eOBVOD");
    f.key(Qt::Key_Return);
    QCOMPARE(f.script.errorsShown.size(), 1);
    QCOMPARE(f.focused(), QStringLiteral("eOBEC"));
    QCOMPARE(f.s1().text("POZZV"), QStringLiteral("12x"));
    f.key(Qt::Key_Up);
    QCOMPARE(f.focused(), QStringLiteral("eOBVOD"));
}

void TestMainWindow::wipe_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(Services::ResultNo);
    QTest::newRow("Yes") << int(Services::ResultYes);
}

void TestMainWindow::wipe() {
    QFETCH(int, answer);
    WindowFixture f;
    f.enter("ePOZZV", "120");
    f.s1().first();
    QCOMPARE(f.s1().text("POZZV"), QStringLiteral("120"));
    Table &temp = f.data->TTEMPTLAC();
    temp.first();
    temp.edit();
    temp.setText("NOBEC", QStringLiteral("Horná Lúka"));
    temp.post();
    QCOMPARE(f.control<QLabel>("DBText4")->text(), QStringLiteral("Horná Lúka"));

    auto *button = f.control<QPushButton>("Button11");
    QCOMPARE(button->text(), QStringLiteral("Kompletné vymazanie údajov (databázy)"));
    f.focus("Button11");
    f.script.answers.push_back(answer);
    f.key(Qt::Key_Return); // Enter presses the focused button
    QCOMPARE(f.script.dialogs.size(), size_t(1));
    QCOMPARE(f.script.dialogs[0].text, QStringLiteral("Naozaj chcete vymazať databázu?"));
    QCOMPARE(f.script.dialogs[0].kind, int(Services::Warning));
    QCOMPARE(f.script.dialogs[0].buttons, Services::Buttons(Services::Yes | Services::No));
    if (answer != Services::ResultYes) {
        QCOMPARE(f.focused(), QStringLiteral("Button11"));
        QCOMPARE(f.box("ePOZZV")->text(), QStringLiteral("120"));
        QCOMPARE(f.control<QLabel>("DBText4")->text(), QStringLiteral("Horná Lúka"));
        return;
    }
    QCOMPARE(f.focused(), QStringLiteral("eOBVOD"));
    QVERIFY(f.s1().inEditState()); // the enter processing of eOBVOD ran
    for (const char *name : {"eOBVOD", "eOBEC", "eOKRSOK", "ePOZZV", "ePVO", "ePOO_POSTA", "ePOO", "ePPHS", "ePPHPS1",
                             "ePPHPS21", "eKC1", "eKC2", "eKC3"})
        QCOMPARE(f.box(name)->text(), QStringLiteral("0"));
    QVERIFY(f.control<QLabel>("DBText4")->text().isEmpty());
    Table &p1 = f.data->TP1();
    QCOMPARE(p1.recordCount(), 1);
    p1.first();
    for (int i = 0; i < p1.fieldCount(); ++i)
        QCOMPARE(p1.text(i), QStringLiteral("0"));
}

void TestMainWindow::wipeOnEmptyS1() {
    WindowFixture f;
    {
        TableRewrite rewrite(f.s1());
        rewrite.commit();
    }
    QCOMPARE(f.s1().recordCount(), 0);
    f.script.answers.push_back(Services::ResultYes);
    f.focus("Button11");
    QTest::keyClick(f.control("Button11"), Qt::Key_Space);
    QCOMPARE(f.s1().recordCount(), 1);
    f.s1().post();
    f.s1().first();
    for (int i = 0; i < f.s1().fieldCount(); ++i)
        QCOMPARE(f.s1().text(i), QStringLiteral("0"));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
