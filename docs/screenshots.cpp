// Takes the pictures of the user guide (navod.md) from the real window: a district keyed in by the
// keyboard as the guide describes it, checked, printed to PDF and exported, each step photographed
// from the screen. Run under Xvfb by screenshots.sh: volby_screenshots <dist folder> <picture folder>.

#include "store/datamodule.h"
#include "support/modal.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString g_pictures;
bool g_ok = true;

void fail(const QString &what) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    g_ok = false;
}

// What the screen shows of the widget's window, as the user sees it.
void photograph(QWidget *widget, const QString &name) {
    QApplication::processEvents();
    QTest::qWait(150);
    QWidget *window = widget->window();
    const QPixmap picture =
        QGuiApplication::primaryScreen()->grabWindow(0, window->x(), window->y(), window->width(), window->height());
    if (!picture.save(QDir(g_pictures).filePath(name + u".png"_s)))
        fail(u"cannot save "_s + name);
}

// Photographs the next modal window of that title, then lets act close it.
void photographModal(const QString &title, const QString &name, std::function<void(QWidget *)> act) {
    whenModal(title, [=](QWidget *window) {
        QTest::qWait(300); // the file dialog fills its list in the background
        photograph(window, name);
        act(window);
    });
}

class Keyboard {
public:
    explicit Keyboard(TUI &window) : m_window(window) {}
    QWidget *control(const char *name) const {
        QWidget *found = m_window.findChild<QWidget *>(QLatin1String(name));
        if (!found)
            fail(u"no control "_s + QLatin1String(name));
        return found;
    }
    void focus(const char *name) { control(name)->setFocus(Qt::TabFocusReason); }
    // The control with the focus; after a message closes, the window first has to be active again
    // (there is no window manager to make it so).
    QWidget *focused() {
        if (!QApplication::focusWidget()) {
            m_window.activateWindow();
            if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }))
                fail(u"nothing has the focus"_s);
        }
        return QApplication::focusWidget();
    }
    // Types the figure into the box with the focus and leaves it by Enter.
    void enter(const char *text) {
        QWidget *box = focused();
        if (auto *edit = qobject_cast<QLineEdit *>(box))
            edit->selectAll();
        QTest::keyClicks(box, QLatin1String(text));
        QTest::keyClick(focused(), Qt::Key_Return);
    }
    void key(Qt::Key key) { QTest::keyClick(focused(), key); }
    void click(const char *name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void tab(int index) {
        QTabBar *tabs = m_window.pages().tabs();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }

private:
    TUI &m_window;
};

// One party's attachment: VPH, then the votes of candidates 1, 2, 3 ...
void keyAttachment(Keyboard &keys, const QList<const char *> &figures) {
    for (const char *figure : figures)
        keys.enter(figure);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "volby_screenshots <dist folder> <picture folder>\n");
        return 2;
    }
    QApplication::setApplicationName(u"Volby do VQRA 2006"_s);
    QApplication::setApplicationVersion(QStringLiteral(VOLBY_VERSION));
    QApplication::setFont(TUI::windowFont());
    const QDir dist(QString::fromLocal8Bit(argv[1]));
    g_pictures = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(g_pictures);

    // A fresh installation of the program's own, so that nothing of a real district is shown.
    QTemporaryDir root;
    const QDir folder(root.path());
    for (const QString &sub : {u"data"_s, u"reporty"_s, u"disketa"_s})
        folder.mkpath(sub);
    for (const QString &sub : {u"data"_s, u"reporty"_s})
        for (const QString &name : QDir(dist.filePath(sub)).entryList(QDir::Files))
            QFile::copy(dist.filePath(sub + u'/' + name), folder.filePath(sub + u'/' + name));
    QDir::setCurrent(folder.path());
    DataModule data(folder.filePath(u"data"_s));
    TUI window(data);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        fail(u"the window did not become active"_s);
    Keyboard keys(window);

    // F1 anywhere: the page of the keys.
    photographModal(u"Klávesy"_s, u"klavesy"_s, [](QWidget *page) { QTest::keyClick(page, Qt::Key_Escape); });
    keys.key(Qt::Key_F1);

    // The protocol, page 1: identification, voters, envelopes, valid votes; Enter moves on.
    keys.focus("eOBVOD");
    for (const char *figure : {"101", "500011", "1", "1000"})
        keys.enter(figure);
    // A figure that fails a check: its message at once; Up goes back to the box.
    photographModal(u"Volby do VQRA 2006"_s, u"kontrola-k04"_s,
                    [](QWidget *message) { QTest::keyClick(message, Qt::Key_Return); });
    keys.enter("1200");
    keys.key(Qt::Key_Up);
    for (const char *figure : {"900", "0", "900", "100"})
        keys.enter(figure);
    photograph(&window, u"t12-cast2"_s);

    // Page 2: the votes of each party; "Ďalšia strana (Aktualizácia príloh)" builds the attachments.
    keys.key(Qt::Key_Return); // on "Ďalšia strana"
    for (const char *figure : {"50", "0", "30", "0", "20"})
        keys.enter(figure);
    photograph(&window, u"t12-strany"_s);
    keys.click("NaStranu3");

    // The attachments of parties 1, 3 and 5; "dopredu >" goes on to the next party.
    keyAttachment(keys, {"10", "6", "3", "1"});
    keys.click("DoPredu");
    keyAttachment(keys, {"10", "5", "5"});
    keys.click("DoPredu");
    keyAttachment(keys, {"10", "5", "4", "1"});
    // Quick entry: F10, the candidate's order number, Enter, the votes, Enter.
    keys.focus("pK3");
    keys.key(Qt::Key_F10);
    keys.enter("2");
    QTest::keyClicks(keys.focused(), u"4"_s);
    photograph(&window, u"t13-rychle"_s);
    keys.key(Qt::Key_Return);

    keys.tab(4);
    photograph(&window, u"kontrola"_s);

    // Printing: the output options, the PDF file.
    keys.tab(5);
    photographModal(u"Output Options"_s, u"vystup"_s, [](QWidget *options) {
        options->findChild<QRadioButton *>(u"destinationPdf"_s)->click();
        photographModal(u"Súbor PDF: Zápisnica T/12"_s, u"pdf-subor"_s,
                        [](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });
        static_cast<QDialog *>(options)->accept();
    });
    keys.click("Button1");

    // The export: its save dialog, its final message, and the page with the last export.
    const QString diskette = folder.filePath(u"disketa"_s);
    photographModal(u"EXPORT Súboru:  VQ500011.1"_s, u"export-dialog"_s, [diskette](QWidget *window) {
        auto *dialog = qobject_cast<QFileDialog *>(window);
        dialog->setDirectory(diskette);
        dialog->selectFile(QDir(diskette).filePath(u"VQ500011.1"_s));
        static_cast<QDialog *>(dialog)->accept();
        photographModal(u"Informácia..."_s, u"export-hotovo"_s,
                        [](QWidget *message) { QTest::keyClick(message, Qt::Key_Return); });
    });
    keys.click("Button16");
    photograph(&window, u"tlac-export"_s);
    photographModal(u"Informácia..."_s, u"o-programe"_s,
                    [](QWidget *message) { QTest::keyClick(message, Qt::Key_Return); });
    keys.click("ButtonOPrograme");

    if (!QFileInfo::exists(QDir(diskette).filePath(u"VQ500011.1"_s)))
        fail(u"the export wrote no archive"_s);
    return g_ok ? 0 : 1;
}
