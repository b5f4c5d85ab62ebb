#include "district/attachmentset.h"
#include "model/district.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "support/scriptedservices.h"
#include "ui/entrycontrols.h"
#include "ui/focusrouter.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"
#include "windowfixture.h"

#include "support/modal.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The parties the tests key in, by ballot number: their candidate counts in the sample KOAL06, except
// party 16, whose count the fixture sets to 75.
constexpr int party150 = 1;
constexpr int party12 = 3;
constexpr int party51 = 7;
constexpr int party50 = 10;
constexpr int party75 = 16;
const int parties[] = {party150, party12, party51, party50, party75};

// The main window on the tables of an installation copy with votes for five parties, its dialogs
// answered by a script, showing page 1 of the attachment.
class Window : public WindowFixture {
public:
    // Without a script the real dialogs show, and the sounds sound.
    explicit Window(bool scripted = true)
        : WindowFixture(nullptr, scripted ? Dialogs::Scripted : Dialogs::Real), district(window->district()) {
        Table &koal = data->TVQ_KOAL();
        koal.locate(QStringLiteral("KON"), QString::number(party75));
        koal.edit();
        koal.setText(QStringLiteral("POCKAN"), QStringLiteral("75"));
        koal.post();
        Table &s1 = data->TS1();
        s1.first();
        s1.edit();
        for (const int party : parties)
            s1.setText(schemas::S1_PPHPS1 + party - 1, QStringLiteral("100"));
        s1.post();
        present(window->services(), GeneratingP1(district));

        m_active = activate();
        window->router().changePage(2, false);
    }
    // The window manager gives the activation back after a dialog; offscreen the test does.
    bool activate() {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
    bool active() const { return m_active; }

    QStringList errors() const { return script.errorsShown; }
    Table &p1() { return data->TP1(); }
    QString dataFolder() const { return copy.dataFolder(); }

    // Makes the party current through the quick-choice list, as the user would.
    void choose(int party) {
        auto *combo = control<QComboBox>(QStringLiteral("Combo_RychlaVolba"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("Číslo politickej strany: ") + QString::number(party)));
    }
    // The focus moved as the user moves it, not asked of the services: the script records only the
    // requests of the handlers.
    void focus(const QString &name) { window->router().focus(control(name)); }
    void click(const QString &button) { QTest::mouseClick(control(button), Qt::LeftButton); }

    District &district;

private:
    bool m_active = false;
};

} // namespace

class TestAttachmentPages : public QObject {
    Q_OBJECT
private slots:
    void regenerationShown();
    void keys_data();
    void keys();
    void candidateEntry();
    void keyboardAlone();
    void clearedBoxStoresZero();
    void k16NamesTheCandidateLeft();
    void k17OnLeavingVph();
    void boxEnabling_data();
    void boxEnabling();
    void gateRefuses_data();
    void gateRefuses();
    void forwardAndBack();
    void quickEntry();
    void quickEntryAcrossPages();
    void quickEntryRefusesOrderNumber();
    void quickEntryRefusedByRealDialog();
    void quickEntryEmptyOrderNumber();
    void quickEntryF10AndGroupLeft();
    void zeroing_data();
    void zeroing();
    void noVotes();
    void tabOrder_data();
    void tabOrder();
    void partyNotInCodeList();
    void comboTyped();
};

void TestAttachmentPages::regenerationShown() {
    Window w;
    QVERIFY(w.active());
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13")))->text(), QStringLiteral("1"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13_2")))->text(), QStringLiteral("1"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("DBText1")))->text(), QStringLiteral("1"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("EPocKand")))->text(), QStringLiteral("150"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("NazovKoal")))->text(), QStringLiteral("Čisté potoky"));
    auto *combo = static_cast<QComboBox *>(w.control(QStringLiteral("Combo_RychlaVolba")));
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->itemText(1), QStringLiteral("Číslo politickej strany: 3"));
    QCOMPARE(combo->currentText(), QStringLiteral("Prechod na inú politickú stranu"));

    w.choose(party51);
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("7"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13")))->text(), QStringLiteral("3"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("DBText3")))->text(), QStringLiteral("7"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("NazovKoal_2")))->text(),
             QStringLiteral("Pastieri a mlynári"));
    QCOMPARE(combo->currentIndex(), 2);
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::keys_data() {
    QTest::addColumn<int>("party");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("page");

    QTest::newRow("12: Enter in pK12") << party12 << "pK12" << int(Qt::Key_Return) << "DoPredu" << 2;
    QTest::newRow("12: PageDown in pK3") << party12 << "pK3" << int(Qt::Key_PageDown) << "pK12" << 2;
    QTest::newRow("12: Down in pK11") << party12 << "pK11" << int(Qt::Key_Down) << "pK12" << 2;
    QTest::newRow("12: Down in pK12") << party12 << "pK12" << int(Qt::Key_Down) << "DoPredu" << 2;
    QTest::newRow("12: PageDown in pVPH") << party12 << "pVPH" << int(Qt::Key_PageDown) << "pK1" << 2;
    QTest::newRow("12: Up in pVPH") << party12 << "pVPH" << int(Qt::Key_Up) << "pOKRSOK" << 2;
    QTest::newRow("12: Enter in pOBVOD") << party12 << "pOBVOD" << int(Qt::Key_Return) << "pOBEC" << 2;
    QTest::newRow("50: Enter in pK50") << party50 << "pK50" << int(Qt::Key_Return) << "DoPredu" << 2;
    QTest::newRow("50: PageDown in pK1") << party50 << "pK1" << int(Qt::Key_PageDown) << "pK50" << 2;
    QTest::newRow("51: Enter in pK50") << party51 << "pK50" << int(Qt::Key_Return) << "dalsia_strana" << 2;
    QTest::newRow("51: Enter in pK51") << party51 << "pK51" << int(Qt::Key_Return) << "Button15" << 3;
    QTest::newRow("75: Enter in pK50") << party75 << "pK50" << int(Qt::Key_Return) << "dalsia_strana" << 2;
    QTest::newRow("75: PageDown on page 1") << party75 << "pK22" << int(Qt::Key_PageDown) << "pK50" << 2;
    QTest::newRow("75: PageDown in pK60") << party75 << "pK60" << int(Qt::Key_PageDown) << "pK75" << 3;
    QTest::newRow("75: Enter in pK75") << party75 << "pK75" << int(Qt::Key_Return) << "Button15" << 3;
    QTest::newRow("75: Down in pK74") << party75 << "pK74" << int(Qt::Key_Down) << "pK75" << 3;
    QTest::newRow("150: PageUp in pK1") << party150 << "pK1" << int(Qt::Key_PageUp) << "pVPH" << 2;
    QTest::newRow("150: PageUp in pK37") << party150 << "pK37" << int(Qt::Key_PageUp) << "pK1" << 2;
    QTest::newRow("150: PageUp in pK51") << party150 << "pK51" << int(Qt::Key_PageUp) << "Button8" << 3;
    QTest::newRow("150: PageUp in pK88") << party150 << "pK88" << int(Qt::Key_PageUp) << "pK51" << 3;
    QTest::newRow("150: Enter in pK150") << party150 << "pK150" << int(Qt::Key_Return) << "Button15" << 3;
    QTest::newRow("150: Down in pK100") << party150 << "pK100" << int(Qt::Key_Down) << "pK101" << 3;
    QTest::newRow("150: PageUp on dalsia_strana") << party150 << "dalsia_strana" << int(Qt::Key_PageUp) << "pVPH" << 2;
    QTest::newRow("150: PageUp on Button15") << party150 << "Button15" << int(Qt::Key_PageUp) << "pK51" << 3;
    QTest::newRow("150: PageDown on Button8") << party150 << "Button8" << int(Qt::Key_PageDown) << "pK51" << 3;
    QTest::newRow("150: F10 in pK5") << party150 << "pK5" << int(Qt::Key_F10) << "RVUPor" << 2;
    QTest::newRow("150: F10 in pK140") << party150 << "pK140" << int(Qt::Key_F10) << "RVUPor2" << 3;
    QTest::newRow("150: ePKC2 passes the focus") << party150 << "ePKC2" << 0 << "pK1" << 2;
    QTest::newRow("150: ePKC5 passes the focus") << party150 << "ePKC5" << 0 << "Button15" << 3;
}

void TestAttachmentPages::keys() {
    QFETCH(int, party);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    QFETCH(int, page);

    Window w;
    QVERIFY(w.active());
    w.choose(party);
    w.focus(from);
    if (key)
        w.key(Qt::Key(key));
    QCOMPARE(w.focused(), to);
    QCOMPARE(w.currentPage(), page);
    QVERIFY2(w.errors().isEmpty(), qPrintable(w.errors().join(QLatin1Char('\n'))));
}

void TestAttachmentPages::candidateEntry() {
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("pK3"));
    QCOMPARE(w.district.pknumber(), QStringLiteral("3"));
    w.type(QStringLiteral("007"));
    w.key(Qt::Key_Return);

    QCOMPARE(w.focused(), QStringLiteral("pK4"));
    QCOMPARE(w.p1().text(QStringLiteral("K3")), QStringLiteral("7"));
    QCOMPARE(w.p1().text(QStringLiteral("KC3")), QStringLiteral("21"));
    QCOMPARE(w.p1().text(QStringLiteral("KC4")), QStringLiteral("0"));
    auto *box = static_cast<TDBEdit_VQRA01 *>(w.control(QStringLiteral("pK3")));
    QCOMPARE(box->text(), QStringLiteral("7"));
    QVERIFY(box->font().bold());
    QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 0, 0));
    QVERIFY(!w.control(QStringLiteral("pK4"))->font().bold());
    QCOMPARE(w.district.pknumber(), QStringLiteral("4"));
    // Posted: a second data module reads it from the file.
    DataModule reread(w.dataFolder());
    reread.TP1().locate(QStringLiteral("KON"), QStringLiteral("3"));
    QCOMPARE(reread.TP1().text(QStringLiteral("K3")), QStringLiteral("7"));
    QCOMPARE(reread.TP1().text(QStringLiteral("KC3")), QStringLiteral("21"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::keyboardAlone() {
    // A party of 51 candidates keyed with Enter alone, on to the next party by Enter on Button15.
    Window w;
    QVERIFY(w.active());
    w.choose(party51);
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    w.type(QStringLiteral("50"));
    w.key(Qt::Key_Return);
    for (int n = 1; n <= 51; ++n) {
        QCOMPARE(w.focused(), QStringLiteral("pK") + QString::number(n));
        w.type(QString::number(n % 3));
        w.key(Qt::Key_Return);
        if (n == 50) {
            QCOMPARE(w.focused(), QStringLiteral("dalsia_strana"));
            w.key(Qt::Key_Return);
            QCOMPARE(w.currentPage(), 3);
        }
    }
    QCOMPARE(w.focused(), QStringLiteral("Button15"));
    QCOMPARE(w.p1().text(QStringLiteral("K51")), QStringLiteral("0"));
    QCOMPARE(w.p1().text(QStringLiteral("K50")), QStringLiteral("2"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.script.messageBoxes, QStringList());
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("10"));
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::clearedBoxStoresZero() {
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("pK3"));
    w.type(QStringLiteral("12"));
    w.key(Qt::Key_Down);
    QVERIFY(w.control(QStringLiteral("pK3"))->font().bold());
    w.key(Qt::Key_Up);
    QCOMPARE(w.focused(), QStringLiteral("pK3"));
    w.key(Qt::Key_Backspace); // the whole figure is selected on entry
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("pK3")))->text(), QString());
    w.key(Qt::Key_Down);
    QCOMPARE(w.p1().text(QStringLiteral("K3")), QStringLiteral("0"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("pK3")))->text(), QStringLiteral("0"));
    QVERIFY(!w.control(QStringLiteral("pK3"))->font().bold());
}

void TestAttachmentPages::k16NamesTheCandidateLeft() {
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("pVPH"));
    w.type(QStringLiteral("5"));
    w.focus(QStringLiteral("pK7"));
    w.type(QStringLiteral("9"));
    w.script.forget();
    // The mouse moves the focus into another box: K16 names 7, the box left, not 2.
    QTest::mouseClick(w.control(QStringLiteral("pK2")), Qt::LeftButton);
    QCOMPARE(w.focused(), QStringLiteral("pK2"));
    QCOMPARE(w.script.messageBoxes.size(), 1);
    QVERIFY2(w.script.messageBoxes.first().startsWith(QStringLiteral("K16  Číslo pol. strany: 3 ")),
             qPrintable(w.script.messageBoxes.first()));
    QVERIFY(w.script.messageBoxes.first().contains(QStringLiteral("kandidátom 7 na poslanca")));
    QCOMPARE(w.p1().text(QStringLiteral("K7")), QStringLiteral("9"));
}

void TestAttachmentPages::k17OnLeavingVph() {
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("pVPH"));
    w.type(QStringLiteral("101"));
    w.script.forget();
    w.key(Qt::Key_Return);
    QCOMPARE(w.focused(), QStringLiteral("pK1"));
    QCOMPARE(w.p1().text(QStringLiteral("VPH")), QStringLiteral("101"));
    QCOMPARE(w.p1().text(QStringLiteral("KC2")), QStringLiteral("202"));
    QCOMPARE(w.script.messageBoxes.size(), 1);
    QVERIFY(w.script.messageBoxes.first().startsWith(QStringLiteral("K17  Číslo pol. strany: 3  ")));

    // Within the party's votes: no message.
    w.focus(QStringLiteral("pVPH"));
    w.type(QStringLiteral("100"));
    w.script.forget();
    w.key(Qt::Key_Return);
    QVERIFY(w.script.messageBoxes.isEmpty());
}

void TestAttachmentPages::boxEnabling_data() {
    QTest::addColumn<int>("party");
    QTest::addColumn<int>("count");
    QTest::newRow("12") << party12 << 12;
    QTest::newRow("50") << party50 << 50;
    QTest::newRow("51") << party51 << 51;
    QTest::newRow("75") << party75 << 75;
    QTest::newRow("150") << party150 << 150;
}

void TestAttachmentPages::boxEnabling() {
    QFETCH(int, party);
    QFETCH(int, count);
    Window w;
    QVERIFY(w.active());
    w.choose(party);
    for (int n = 1; n <= 150; ++n) {
        auto *box = static_cast<TDBEdit_VQRA01 *>(w.control(QStringLiteral("pK") + QString::number(n)));
        QCOMPARE(box->isEnabled(), n <= count);
        QCOMPARE(box->background(), n <= count ? QColor(255, 255, 255) : QColor(192, 192, 192));
    }
    QCOMPARE(w.control(QStringLiteral("dalsia_strana"))->isEnabled(), count > 50);
}

void TestAttachmentPages::gateRefuses_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("page");
    QTest::newRow("DoPredu") << "DoPredu" << 2;
    QTest::newRow("DoZadu") << "DoZadu" << 2;
    QTest::newRow("Button15") << "Button15" << 2;
    QTest::newRow("Button8") << "Button8" << 2;
    QTest::newRow("quick choice") << "Combo_RychlaVolba" << 2;
}

void TestAttachmentPages::gateRefuses() {
    QFETCH(QString, how);
    QFETCH(int, page);
    Window w;
    QVERIFY(w.active());
    w.choose(party51); // the third attachment: both neighbours exist
    w.focus(QStringLiteral("pVPH"));
    w.type(QStringLiteral("5"));
    w.key(Qt::Key_Return); // VPH 5 with no candidate vote fails K15
    if (how.startsWith(QStringLiteral("Button"))) {
        w.click(QStringLiteral("dalsia_strana"));
        QCOMPARE(w.currentPage(), 3);
    }
    w.script.forget();
    if (how == QStringLiteral("Combo_RychlaVolba"))
        w.choose(party150);
    else
        w.click(how);

    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("7"));
    QCOMPARE(w.p1().text(QStringLiteral("VPH")), QStringLiteral("5"));
    QCOMPARE(w.script.messageBoxes.size(), 1);
    QVERIFY(w.script.messageBoxes.first().startsWith(QStringLiteral("K15")));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13")))->text(), QStringLiteral("3"));
    QCOMPARE(static_cast<QComboBox *>(w.control(QStringLiteral("Combo_RychlaVolba")))->currentText(),
             QStringLiteral("Číslo politickej strany: 7"));
    QCOMPARE(w.currentPage(), page);
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::forwardAndBack() {
    Window w;
    QVERIFY(w.active());
    w.click(QStringLiteral("DoPredu"));
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("3"));
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    QCOMPARE(static_cast<QComboBox *>(w.control(QStringLiteral("Combo_RychlaVolba")))->currentIndex(), 1);
    w.click(QStringLiteral("DoZadu"));
    w.click(QStringLiteral("DoZadu")); // back on the first keeps it
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("1"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13")))->text(), QStringLiteral("1"));

    // Page 2's forward shows page 1 with the next attachment.
    w.click(QStringLiteral("dalsia_strana"));
    QCOMPARE(w.currentPage(), 3);
    QCOMPARE(w.focused(), QStringLiteral("pK51"));
    w.click(QStringLiteral("Button15"));
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("3"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13_2")))->text(), QStringLiteral("2"));
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));

    // Button12 goes back without a move; entering page 1 puts the focus into pVPH.
    w.choose(party150);
    w.click(QStringLiteral("dalsia_strana"));
    w.click(QStringLiteral("Button12"));
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("1"));
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::quickEntry() {
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("pK1"));
    w.key(Qt::Key_F10);
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));
    auto *order = static_cast<TAlignEdit *>(w.control(QStringLiteral("RVUPor")));
    auto *votes = static_cast<TAlignEdit *>(w.control(QStringLiteral("RVUPoc")));
    QCOMPARE(order->palette().color(QPalette::Base), QColor(166, 202, 240));
    w.type(QStringLiteral("12"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.focused(), QStringLiteral("RVUPoc"));
    QCOMPARE(order->palette().color(QPalette::Base), QColor(255, 255, 255));
    w.type(QStringLiteral("0045"));
    w.key(Qt::Key_Return);

    QCOMPARE(w.p1().text(QStringLiteral("K12")), QStringLiteral("45"));
    QCOMPARE(w.p1().text(QStringLiteral("KC3")), QStringLiteral("540"));
    QVERIFY(w.control(QStringLiteral("pK12"))->font().bold());
    QCOMPARE(order->text(), QString());
    QCOMPARE(votes->text(), QString());
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));

    // A valid order number with an empty vote box stores "0".
    w.type(QStringLiteral("12"));
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Down);
    QCOMPARE(w.p1().text(QStringLiteral("K12")), QStringLiteral("0"));
    QVERIFY(!w.control(QStringLiteral("pK12"))->font().bold());
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::quickEntryAcrossPages() {
    Window w;
    QVERIFY(w.active());
    w.choose(party75);
    w.focus(QStringLiteral("RVUPor"));
    w.type(QStringLiteral("60"));
    w.key(Qt::Key_Return);
    w.type(QStringLiteral("3"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.p1().text(QStringLiteral("K60")), QStringLiteral("3"));
    QCOMPARE(w.p1().text(QStringLiteral("KC4")), QStringLiteral("180"));
    QCOMPARE(w.currentPage(), 3);
    QCOMPARE(w.focused(), QStringLiteral("RVUPor2"));

    // 51 above VPH 0: the hand-over enters no candidate box, so K16 does not speak for it.
    w.click(QStringLiteral("Button12"));
    w.focus(QStringLiteral("RVUPor"));
    w.type(QStringLiteral("51"));
    w.key(Qt::Key_Return);
    w.type(QStringLiteral("5"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.p1().text(QStringLiteral("K51")), QStringLiteral("5"));
    QCOMPARE(w.focused(), QStringLiteral("RVUPor2"));
    QCOMPARE(w.script.messageBoxes, QStringList());

    w.type(QStringLiteral("7"));
    w.key(Qt::Key_Return);
    w.type(QStringLiteral("2"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.p1().text(QStringLiteral("K7")), QStringLiteral("2"));
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPor2")))->text(), QString());
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPoc2")))->text(), QString());
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::quickEntryRefusesOrderNumber() {
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("RVUPor"));
    w.type(QStringLiteral("13"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.script.beeps, 1);
    QCOMPARE(w.script.messageBoxes, QStringList{QStringLiteral("Poradové číslo je väčšie ako počet kandidátov")});
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPor")))->text(), QStringLiteral("13"));

    // Reached with the mouse all the same, the vote box stores nothing for it.
    QTest::mouseClick(w.control(QStringLiteral("RVUPoc")), Qt::LeftButton);
    w.type(QStringLiteral("4"));
    w.key(Qt::Key_Return);
    for (int n = 1; n <= 150; ++n)
        QCOMPARE(w.p1().text(QStringLiteral("K") + QString::number(n)), QStringLiteral("0"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::quickEntryRefusedByRealDialog() {
    Window w(false);
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("RVUPor"));
    w.type(QStringLiteral("31"));
    QString shown;
    const QPointer<QTimer> watch = whenModal(QString(), [&shown](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        shown = box->text();
        box->accept();
    });
    w.key(Qt::Key_Return);
    delete watch;
    // The dialog took the focus for a while: that is no leaving of the group, the refused number stays.
    QCOMPARE(shown, QStringLiteral("Poradové číslo je väčšie ako počet kandidátov"));
    QVERIFY(w.activate());
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPor")))->text(), QStringLiteral("31"));
    QCOMPARE(w.control(QStringLiteral("RVUPor"))->palette().color(QPalette::Base), QColor(166, 202, 240));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::quickEntryEmptyOrderNumber() {
    Window w;
    QVERIFY(w.active());
    w.choose(party150);
    // Passed by with Tab: the order number never went through its own check.
    w.focus(QStringLiteral("RVUPor"));
    QTest::keyClick(w.control(QStringLiteral("RVUPor")), Qt::Key_Tab);
    QCOMPARE(w.focused(), QStringLiteral("RVUPoc"));
    w.type(QStringLiteral("5"));
    w.key(Qt::Key_Return);
    // The conversion error in the general error box; nothing stored, the typed figure kept, the focus in
    // the order-number box.
    QCOMPARE(w.errors(), QStringList{QStringLiteral("'' nie je platná celočíselná hodnota")});
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPoc")))->text(), QStringLiteral("5"));
    QCOMPARE(w.p1().text(QStringLiteral("KC3")), QStringLiteral("0"));

    // The same on page 2.
    w.click(QStringLiteral("dalsia_strana"));
    w.focus(QStringLiteral("RVUPor2"));
    QTest::keyClick(w.control(QStringLiteral("RVUPor2")), Qt::Key_Tab);
    w.type(QStringLiteral("7"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.errors().size(), 2);
    QCOMPARE(w.focused(), QStringLiteral("RVUPor2"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPoc2")))->text(), QStringLiteral("7"));
    QCOMPARE(w.p1().text(QStringLiteral("KC4")), QStringLiteral("0"));

    // An empty order number checked by its own Enter is 0: page 1 takes over.
    w.focus(QStringLiteral("RVUPor2"));
    w.key(Qt::Key_Return);
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPor2")))->text(), QStringLiteral("0"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(w.focused(), QStringLiteral("RVUPor"));
    QCOMPARE(w.errors().size(), 2);
}

void TestAttachmentPages::quickEntryF10AndGroupLeft() {
    Window w;
    QVERIFY(w.active());
    w.choose(party150);
    w.focus(QStringLiteral("RVUPor"));
    w.type(QStringLiteral("4"));
    w.key(Qt::Key_Return);
    w.type(QStringLiteral("9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QCOMPARE(w.focused(), QStringLiteral("pK1"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPor")))->text(), QString());
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPoc")))->text(), QString());
    QCOMPARE(w.p1().text(QStringLiteral("K4")), QStringLiteral("0"));

    w.click(QStringLiteral("dalsia_strana"));
    w.focus(QStringLiteral("RVUPoc2"));
    w.type(QStringLiteral("8"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QCOMPARE(w.focused(), QStringLiteral("pK51"));
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("RVUPoc2")))->text(), QString());
}

void TestAttachmentPages::zeroing_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(Services::ResultNo);
    QTest::newRow("Yes") << int(Services::ResultYes);
}

void TestAttachmentPages::zeroing() {
    QFETCH(int, answer);
    Window w;
    QVERIFY(w.active());
    w.choose(party12);
    w.focus(QStringLiteral("pVPH"));
    w.type(QStringLiteral("4"));
    w.focus(QStringLiteral("pK2"));
    w.type(QStringLiteral("3"));
    w.focus(QStringLiteral("pK5"));
    w.script.forget();
    w.script.answers.push_back(answer);
    w.click(QStringLiteral("Button2"));

    QCOMPARE(int(w.script.dialogs.size()), 1);
    QCOMPARE(w.script.dialogs.front().text, QStringLiteral("Naozaj chcete vymazať prílohu pre celú pol. stranu?"));
    QCOMPARE(w.script.dialogs.front().kind, int(Services::Warning));
    QCOMPARE(w.script.dialogs.front().buttons, Services::Buttons(Services::Yes | Services::No));
    const bool yes = answer == Services::ResultYes;
    QCOMPARE(w.p1().text(QStringLiteral("VPH")), yes ? QStringLiteral("0") : QStringLiteral("4"));
    QCOMPARE(w.p1().text(QStringLiteral("K2")), yes ? QStringLiteral("0") : QStringLiteral("3"));
    QCOMPARE(w.p1().text(QStringLiteral("KC2")), yes ? QStringLiteral("0") : QStringLiteral("8"));
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("3"));
    QVERIFY(w.p1().text(QStringLiteral("OBVOD")) == w.district.TS1().text(QStringLiteral("OBVOD")));
    QCOMPARE(w.focused(), yes ? QStringLiteral("pVPH") : QStringLiteral("Button2"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::noVotes() {
    Window w;
    QVERIFY(w.active());
    w.district.setAsponhlas(QStringLiteral("1"));
    w.district.setAsponhlas(QStringLiteral("0"));
    QVERIFY(w.control(QStringLiteral("GroupBox3"))->isHidden());
    QVERIFY(w.control(QStringLiteral("GroupBox4"))->isHidden());
    QVERIFY(!w.control(QStringLiteral("DoPredu"))->isEnabled());
    QVERIFY(!w.control(QStringLiteral("DoZadu"))->isEnabled());
    w.focus(QStringLiteral("pVPH"));
    w.key(Qt::Key_Return);
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    w.key(Qt::Key_PageDown);
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    w.district.setAsponhlas(QStringLiteral("1"));
    QVERIFY(!w.control(QStringLiteral("GroupBox3"))->isHidden());
    QVERIFY(w.control(QStringLiteral("DoPredu"))->isEnabled());
}

void TestAttachmentPages::tabOrder_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("pOBVOD") << "pOBVOD"
                            << "pOBEC";
    QTest::newRow("pOKRSOK") << "pOKRSOK"
                             << "pVPH";
    QTest::newRow("pVPH over the sums") << "pVPH"
                                        << "pK1";
    QTest::newRow("dalsia_strana over the sum") << "dalsia_strana"
                                                << "RVUPor";
    QTest::newRow("RVUPoc to the navigation") << "RVUPoc"
                                              << "DoPredu";
    QTest::newRow("pK1 across the row") << "pK1"
                                        << "pK11";
    QTest::newRow("pK41 to the next row") << "pK41"
                                          << "pK2";
    QTest::newRow("pK50") << "pK50"
                          << "dalsia_strana";
    QTest::newRow("RVUPor") << "RVUPor"
                            << "RVUPoc";
    QTest::newRow("DoPredu") << "DoPredu"
                             << "DoZadu";
    QTest::newRow("DoZadu to the list") << "DoZadu"
                                        << "Combo_RychlaVolba";
    QTest::newRow("the list") << "Combo_RychlaVolba"
                              << "Button2";
    QTest::newRow("pK51") << "pK51"
                          << "pK61";
    QTest::newRow("pK100 into the lower block") << "pK100"
                                                << "pK101";
    QTest::newRow("pK150") << "pK150"
                           << "Button12";
    QTest::newRow("Button12") << "Button12"
                              << "Button15";
    QTest::newRow("Button8 over the sums to the quick entry") << "Button8"
                                                              << "RVUPor2";
    QTest::newRow("RVUPor2") << "RVUPor2"
                             << "RVUPoc2";
}

void TestAttachmentPages::tabOrder() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    Window w;
    QVERIFY(w.active());
    w.choose(party150);
    w.focus(from);
    QCOMPARE(w.focused(), from);
    w.key(Qt::Key_Tab);
    QCOMPARE(w.focused(), to);
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::partyNotInCodeList() {
    Window w;
    QVERIFY(w.active());
    Table &koal = w.district.data().TVQ_KOAL();
    QVERIFY(koal.locate(QStringLiteral("KON"), QString::number(party12)));
    koal.edit();
    koal.setText(QStringLiteral("KON"), QStringLiteral("99"));
    koal.post();
    w.choose(party12);
    QCOMPARE(w.script.messageBoxes, QStringList{QStringLiteral("Nenašiel som pol. stranu č. 3")});
    QCOMPARE(static_cast<QLineEdit *>(w.control(QStringLiteral("EPocKand")))->text(), QStringLiteral("0"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("NazovKoal")))->text(), QString());
    QVERIFY(!w.control(QStringLiteral("pK1"))->isEnabled());
    QVERIFY(!w.control(QStringLiteral("dalsia_strana"))->isEnabled());
    // The moves into the grid have no box to go to: the focus stays.
    for (const QString &box : {QStringLiteral("pVPH"), QStringLiteral("pOBEC")}) {
        w.focus(box);
        w.key(Qt::Key_PageDown);
        QCOMPARE(w.focused(), box);
    }
    w.key(Qt::Key_Down);
    QCOMPARE(w.focused(), QStringLiteral("pOKRSOK"));
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Return);
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    QVERIFY(w.errors().isEmpty());
}

void TestAttachmentPages::comboTyped() {
    Window w;
    QVERIFY(w.active());
    w.choose(party51);
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("7"));
    // Text that names no item is a change with no item selected: the first attachment.
    auto *combo = static_cast<QComboBox *>(w.control(QStringLiteral("Combo_RychlaVolba")));
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_X);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QStringLiteral("Číslo politickej strany: 7x"));
    QCOMPARE(w.focused(), QStringLiteral("pVPH"));
    QCOMPARE(w.p1().text(QStringLiteral("KON")), QStringLiteral("1"));
    QCOMPARE(static_cast<QLabel *>(w.control(QStringLiteral("Label13")))->text(), QStringLiteral("1"));
    QVERIFY(w.errors().isEmpty());
}

QTEST_MAIN(TestAttachmentPages)
#include "test_attachmentpages.moc"
