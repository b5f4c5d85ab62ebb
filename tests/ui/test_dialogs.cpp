// The real dialogs of the services, closed by a timer: the message dialog's captions, icons, buttons,
// results and default keys, the plain message box, the busy window and the general error box.

#include "store/datamodule.h"
#include "store/errors.h"
#include "support/installationcopy.h"
#include "ui/focusrouter.h"
#include "ui/mainwindow.h"
#include "ui/messagedialog.h"
#include "ui/pagecontrol.h"
#include "ui/windowservices.h"
#include "ui/working.h"

#include "support/modal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Runs act on the modal dialog that the call opens, then returns what the call returned.
int withDialog(const std::function<void(QWidget *)> &act, const std::function<int()> &call) {
    const QPointer<QTimer> watch = whenModal(QString(), act);
    const int result = call();
    delete watch; // a call that opened no dialog leaves it waiting
    return result;
}

QStringList captions(QWidget *dialog) {
    QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    QStringList list;
    for (QPushButton *b : buttons)
        list.append(b->text());
    return list;
}

QPushButton *button(QWidget *dialog, const QString &caption) {
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void kinds_data();
    void kinds();
    void buttons_data();
    void buttons();
    void keys_data();
    void keys();
    void helpKeepsDialogOpen();
    void plainBox_data();
    void plainBox();
    void busyWindow();
    void errorBoxEndsBusy();
    void busyWindowDuringPageChange();
    void figureSelectedAfterBusyWindow();
};

void TestDialogs::kinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<bool>("sound");
    QTest::newRow("warning") << 0 << "Pozor..." << true << true;
    QTest::newRow("error") << 1 << "Chyba..." << true << true;
    QTest::newRow("information") << 2 << "Informácia..." << true << false;
    QTest::newRow("confirmation") << 3 << "Otázka..." << true << true;
    QTest::newRow("message") << 4 << "Správa..." << false << true;
    QTest::newRow("other") << 9 << "" << false << false;
}

void TestDialogs::kinds() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(bool, icon);
    QFETCH(bool, sound);
    QCOMPARE(MessageDialog::caption(kind), caption);
    QCOMPARE(MessageDialog::sounds(kind), sound);
    QString title, text;
    bool hasIcon = false;
    Qt::WindowFlags flags;
    const int result = withDialog(
        [&](QWidget *d) {
            title = d->windowTitle();
            text = d->findChild<QLabel *>("Message")->text();
            hasIcon = d->findChild<QLabel *>("Image") != nullptr;
            flags = d->windowFlags();
            button(d, "&OK")->click();
        },
        [&] { return MessageDialog(QStringLiteral("Súbor sa nenašiel."), kind, Services::OK).exec(); });
    QCOMPARE(result, int(Services::ResultOK));
    QCOMPARE(title, caption);
    QCOMPARE(text, QStringLiteral("Súbor sa nenašiel."));
    QCOMPARE(hasIcon, icon);
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!(flags & Qt::WindowSystemMenuHint));
}

void TestDialogs::buttons_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("result");
    const int all = Services::Yes | Services::No | Services::OK | Services::Cancel | Services::Abort | Services::Retry |
                    Services::Ignore | Services::All | Services::NoToAll | Services::YesToAll | Services::Help;
    const QStringList allCaptions = {"&Áno",      "&Nie",   "&OK",        "&Zrušiť", "&Zrušiť", "&Znova",
                                     "Ignorovať", "Všetky", "&Ani jeden", "Všetky",  "&Pomoc"};
    QTest::newRow("Yes No: Yes") << int(Services::Yes | Services::No) << QStringList{"&Áno", "&Nie"} << "&Áno" << 6;
    QTest::newRow("Yes No: No") << int(Services::Yes | Services::No) << QStringList{"&Áno", "&Nie"} << "&Nie" << 7;
    QTest::newRow("all in order") << all << allCaptions << "&Znova" << 4;
    QTest::newRow("Cancel") << int(Services::Cancel) << QStringList{"&Zrušiť"} << "&Zrušiť" << 2;
    QTest::newRow("Abort") << int(Services::Abort) << QStringList{"&Zrušiť"} << "&Zrušiť" << 3;
    QTest::newRow("Ignore") << int(Services::Ignore) << QStringList{"Ignorovať"} << "Ignorovať" << 5;
    QTest::newRow("All") << int(Services::All) << QStringList{"Všetky"} << "Všetky" << 8;
    QTest::newRow("No to all") << int(Services::NoToAll) << QStringList{"&Ani jeden"} << "&Ani jeden" << 9;
    QTest::newRow("Yes to all") << int(Services::YesToAll) << QStringList{"Všetky"} << "Všetky" << 10;
}

void TestDialogs::buttons() {
    QFETCH(int, buttons);
    QFETCH(QStringList, shown);
    QFETCH(QString, pressed);
    QFETCH(int, result);
    QStringList seen;
    const int answer = withDialog(
        [&](QWidget *d) {
            seen = captions(d);
            button(d, pressed)->click();
        },
        [&] { return MessageDialog(QStringLiteral("?"), 0, Services::Buttons(buttons)).exec(); });
    QCOMPARE(seen, shown);
    QCOMPARE(answer, result);
}

void TestDialogs::keys_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Yes No, Enter") << int(Services::Yes | Services::No) << int(Qt::Key_Return) << 6;
    QTest::newRow("Yes No, Escape") << int(Services::Yes | Services::No) << int(Qt::Key_Escape) << 7;
    QTest::newRow("OK, Enter") << int(Services::OK) << int(Qt::Key_Return) << 1;
    QTest::newRow("OK, Escape") << int(Services::OK) << int(Qt::Key_Escape) << 1;
    QTest::newRow("Yes OK Cancel, Enter")
        << int(Services::Yes | Services::OK | Services::Cancel) << int(Qt::Key_Return) << 1;
    QTest::newRow("Yes No Cancel, Escape")
        << int(Services::Yes | Services::No | Services::Cancel) << int(Qt::Key_Escape) << 2;
    QTest::newRow("Retry Abort, Enter") << int(Services::Retry | Services::Abort) << int(Qt::Key_Return) << 4;
}

void TestDialogs::keys() {
    QFETCH(int, buttons);
    QFETCH(int, key);
    QFETCH(int, result);
    const int answer =
        withDialog([&](QWidget *d) { QTest::keyClick(d, Qt::Key(key)); },
                   [&] { return MessageDialog(QStringLiteral("?"), 0, Services::Buttons(buttons)).exec(); });
    QCOMPARE(answer, result);
}

void TestDialogs::helpKeepsDialogOpen() {
    bool stillOpen = false;
    const int answer = withDialog(
        [&](QWidget *d) {
            button(d, "&Pomoc")->click();
            stillOpen = d->isVisible();
            button(d, "&OK")->click();
        },
        [&] { return MessageDialog(QStringLiteral("?"), 2, Services::OK | Services::Help).exec(); });
    QVERIFY(stillOpen);
    QCOMPARE(answer, 1);
}

void TestDialogs::plainBox_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestDialogs::plainBox() {
    QFETCH(int, key);
    QString title;
    QStringList seen;
    QMessageBox::Icon icon = QMessageBox::Warning;
    bool closed = false;
    withDialog(
        [&](QWidget *d) {
            auto *box = qobject_cast<QMessageBox *>(d);
            title = box->windowTitle();
            icon = box->icon();
            seen = captions(d);
            QTest::keyClick(d, Qt::Key(key));
        },
        [&] {
            plainMessageBox(QStringLiteral("K04 ..."));
            closed = true;
            return 0;
        });
    QVERIFY(closed);
    QCOMPARE(title, QStringLiteral("Volby do VQRA 2006"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(seen, QStringList{"OK"});
}

void TestDialogs::busyWindow() {
    InstallationCopy copy;
    DataModule data(copy.dataFolder());
    TUI window(data);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    WindowServices &services = window.services();
    TWorking &working = services.working();
    QCOMPARE(working.objectName(), QStringLiteral("Working"));
    QCOMPARE(working.size(), QSize(400, 110));
    QVERIFY(working.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(working.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!working.findChild<QLabel *>("Image1")->pixmap().isNull()); // the JPEG decoded
    QCOMPARE(working.findChild<QLabel *>("Label1")->geometry(), QRect(128, 24, 249, 65));

    services.pracujem(QStringLiteral("on"));
    QVERIFY(working.isVisible());
    QVERIFY(!window.isVisible());
    QCOMPARE(working.text(), QStringLiteral("Pracujem ..."));
    services.pracujem(QStringLiteral("Čakám 3"));
    QCOMPARE(working.text(), QStringLiteral("Čakám 3"));
    QElapsedTimer clock;
    clock.start();
    services.pracujem(QStringLiteral("off"));
    QVERIFY(clock.elapsed() >= 500);
    QVERIFY(window.isVisible());
    QVERIFY(!working.isVisible());
    // Off while already off still waits and shows the main window.
    clock.restart();
    services.pracujem(QStringLiteral("off"));
    QVERIFY(clock.elapsed() >= 500);
    QVERIFY(window.isVisible());
}

void TestDialogs::errorBoxEndsBusy() {
    InstallationCopy copy;
    DataModule data(copy.dataFolder());
    TUI window(data);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString title, text;
    bool mainShown = false;
    withDialog(
        [&](QWidget *d) {
            title = d->windowTitle();
            text = qobject_cast<QMessageBox *>(d)->text();
            mainShown = window.isVisible() && !window.services().working().isVisible();
            qobject_cast<QMessageBox *>(d)->accept();
        },
        [&] {
            const bool ok = window.router().run([&] {
                window.services().pracujem(QStringLiteral("on"));
                throw ConversionError(QStringLiteral("'x' nie je platné celé číslo"));
            });
            return ok ? 1 : 0;
        });
    QCOMPARE(title, QStringLiteral("Volby do VQRA 2006"));
    QCOMPARE(text, QStringLiteral("'x' nie je platné celé číslo"));
    QVERIFY(mainShown);
}

void TestDialogs::busyWindowDuringPageChange() {
    // The real busy window hides the main window in the middle of the page change; the focus still
    // ends in pVPH, entered once the window is back.
    InstallationCopy copy;
    DataModule data(copy.dataFolder());
    // One party with votes, as many as the valid votes: K09 and the rebuild have nothing to say.
    data.TS1().first();
    data.TS1().edit();
    data.TS1().setText("PPHPS2", "4");
    data.TS1().setText("PPHS", "4");
    data.TS1().post();
    TUI window(data);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.services().focus(QStringLiteral("ePPHPS21"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("NaStranu3"));
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(clock.elapsed() >= 500);
    QVERIFY(window.isVisible());
    QVERIFY(!window.services().working().isVisible());
    QCOMPARE(window.pages().currentIndex(), 2);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("pVPH"));
    QVERIFY(data.TP1().inEditState()); // pVPH was entered
}

void TestDialogs::figureSelectedAfterBusyWindow() {
    // Back to the attachment through the regeneration, again and again: the figure of pVPH is selected
    // every time, and typing replaces it. (A focus that arrives only with the window's activation is
    // tested with the entry controls.)
    InstallationCopy copy;
    DataModule data(copy.dataFolder());
    data.TS1().first();
    data.TS1().edit();
    data.TS1().setText("PPHPS2", "4");
    data.TS1().setText("PPHS", "4");
    data.TS1().post();
    TUI window(data);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QString stored = QStringLiteral("0");
    // At most the party's 4 votes, so that K17 does not speak.
    for (const QString figure : {"2", "0003", "1", "04"}) {
        window.services().focus(QStringLiteral("ePPHPS21"));
        QTest::keyClick(window.findChild<QWidget *>("ePPHPS21"), Qt::Key_Return);
        QTest::keyClick(window.findChild<QWidget *>("NaStranu3"), Qt::Key_Return); // the busy window
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("pVPH"));
        auto *vph = static_cast<QLineEdit *>(QApplication::focusWidget());
        QCOMPARE(vph->text(), stored);
        QCOMPARE(vph->selectedText(), stored);
        QTest::keyClicks(vph, figure);
        QCOMPARE(vph->text(), figure);
        stored = QString::number(figure.toInt());
    }
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
