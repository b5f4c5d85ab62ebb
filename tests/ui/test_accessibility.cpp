// The window for every user: what assistive technology reads of it, the contrast of the boxes and the
// texts, both faces of the font, no clipped party name, scrolling on a small screen, and the keys: the
// key page of F1 and Tab reaching every control of the attachment pages.

#include "windowfixture.h"

#include "district/attachmentset.h"
#include "store/schema.h"
#include "ui/entrycontrols.h"
#include "ui/fonts.h"
#include "ui/keys.h"

#include "support/modal.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include <set>

namespace {

// The relative luminance and the contrast ratio of two colours, as the accessibility guidelines define
// them.
double luminance(const QColor &c) {
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool focusable(const QWidget *w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
}

// A window with votes for parties 1 and 7, showing the attachment of party 1 (150 candidates).
struct VotesWindow : WindowFixture {
    VotesWindow() {
        Table &s1 = data->TS1();
        s1.first();
        s1.edit();
        s1.setText(schemas::S1_PPHPS1, QStringLiteral("100"));
        s1.setText(schemas::S1_PPHPS1 + 6, QStringLiteral("100"));
        s1.post();
        present(window->services(), GeneratingP1(window->district()));
        window->router().changePage(2, false);
        auto *combo = control<QComboBox>(QStringLiteral("Combo_RychlaVolba"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("Číslo politickej strany: 1")));
    }
};

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void namesOnEveryPage_data();
    void namesOnEveryPage();
    void labelsBesideBoxes_data();
    void labelsBesideBoxes();
    void hiddenPageNotOffered();
    void contrast_data();
    void contrast();
    void fontFaces();
    void partyNamesWhole();
    void quickChoiceWhole();
    void scrollsOnSmallScreen();
    void keyPage();
    void tabReachesNavigation_data();
    void tabReachesNavigation();
};

void TestAccessibility::namesOnEveryPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("controls"); // focusable controls of the page with a party of 150 candidates
    QTest::newRow("T/12 Časť II.") << 0 << 10;
    QTest::newRow("T/12 Časť II. pokr.") << 1 << 22;
    QTest::newRow("T/13 1.strana") << 2 << 62; // the list and its edit box
    QTest::newRow("T/13 2.strana") << 3 << 105;
    QTest::newRow("Prot. o kontrole") << 4 << 2;
    QTest::newRow("Tlač / Export") << 5 << 6;
}

void TestAccessibility::namesOnEveryPage() {
    QFETCH(int, page);
    QFETCH(int, controls);
    VotesWindow f;
    f.window->router().changePage(page, false);
    QStringList names;
    for (QWidget *w : f.window->page(page)->findChildren<QWidget *>()) {
        if (!focusable(w))
            continue;
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(w);
        QVERIFY(view);
        const QString name = view->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names << name;
    }
    QCOMPARE(names.size(), controls);
}

void TestAccessibility::labelsBesideBoxes_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label"); // the caption that stands beside it, empty for none
    QTest::newRow("count") << "ePOZZV"
                           << "Počet voličov zapísaných v zozname voličov vo volebnom okrsku"
                           << "Počet voličov zapísaných";
    QTest::newRow("identification") << "eOBVOD"
                                    << "OBVOD"
                                    << "OBVOD:";
    QTest::newRow("sum") << "eKC1"
                         << "KC1"
                         << "KC1:";
    QTest::newRow("party") << "ePPHPS7"
                           << "Strana 7: Pastieri a mlynári – platné hlasy"
                           << "Pastieri a mlynári";
    QTest::newRow("counter") << "asponhlas"
                             << "Počet pol. strán, ktoré získali aspoň 1 hlas"
                             << "Počet pol. strán";
    QTest::newRow("VPH") << "pVPH"
                         << "Počet voličov, ktorí využili právo prednostného hlasu"
                         << "Počet voličov, ktorí";
    QTest::newRow("candidate") << "pK37"
                               << "Kandidát 37 – prednostné hlasy"
                               << "37.";
    QTest::newRow("quick entry") << "RVUPoc2"
                                 << "Rýchle vkladanie – počet prednostných hlasov"
                                 << "";
    QTest::newRow("list") << "Combo_RychlaVolba"
                          << "Rýchla voľba politickej strany"
                          << "";
    QTest::newRow("candidate count") << "EPocKand"
                                     << "Počet kandidátov"
                                     << "Počet kandidátov";
}

void TestAccessibility::labelsBesideBoxes() {
    QFETCH(QString, box);
    QFETCH(QString, name);
    QFETCH(QString, label);
    VotesWindow f;
    QWidget *control = f.control(box);
    QVERIFY(control);
    // The list's own name is its text; the name of what it offers is that of its edit box.
    if (auto *combo = qobject_cast<QComboBox *>(control))
        control = combo->lineEdit();
    QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name);
    QLabel *buddy = nullptr;
    for (QLabel *l : control->parentWidget()->findChildren<QLabel *>()) {
        if (l->buddy() == control)
            buddy = l;
    }
    QCOMPARE(buddy != nullptr, !label.isEmpty());
    if (buddy) {
        QVERIFY2(buddy->text().startsWith(label), qPrintable(buddy->text()));
        // Assistive technology reads the relation: the box is labelled by its caption.
        const auto relations = QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
        QVERIFY(
            std::any_of(relations.begin(), relations.end(), [&](const auto &r) { return r.first->object() == buddy; }));
    }
}

void TestAccessibility::hiddenPageNotOffered() {
    WindowFixture f;
    QAccessibleInterface *tabs = QAccessible::queryAccessibleInterface(f.window->pages().tabs());
    QStringList offered;
    for (int i = 0; i < tabs->childCount(); ++i) {
        QAccessibleInterface *tab = tabs->child(i);
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QVERIFY(!tab->state().invisible);
        offered << tab->text(QAccessible::Name);
    }
    QCOMPARE(offered, (QStringList{"T/12  Časť II.", "T/12  Časť II. pokr.", "T/13   1.strana", "T/13   2.strana",
                                   "Prot. o kontrole", "Tlač / Export"}));
    QCOMPARE(tabs->child(1)->state().selected, false);
    QCOMPARE(tabs->child(0)->state().selected, true);
    // Pressing a tab asks for its page, as a click does.
    f.focus("eOBVOD");
    tabs->child(4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.currentPage(), 4);
}

void TestAccessibility::contrast_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QColor>("background"); // as the box shows it
    QTest::newRow("entry box") << "ePOZZV" << colors::window;
    QTest::newRow("focused box") << "ePOZZV" << colors::moneyGreen;
    QTest::newRow("sum") << "eKC1" << colors::skyBlue;
    QTest::newRow("candidate") << "pK1" << colors::window;
    QTest::newRow("quick entry") << "RVUPor" << colors::window;
}

void TestAccessibility::contrast() {
    QFETCH(QString, box);
    QFETCH(QColor, background);
    VotesWindow f;
    QLineEdit *edit = f.box(box);
    QWidget *page = edit->window();
    for (int i = 0; i < 6; ++i) {
        if (f.window->page(i)->isAncestorOf(edit))
            page = f.window->page(i);
    }
    QVERIFY(page->autoFillBackground());
    const QColor pageColour = page->palette().color(QPalette::Window);
    // The edge of the box against the page, the figure against the box, a caption against the page.
    QVERIFY2(contrastRatio(edit->palette().color(QPalette::Dark), pageColour) >= 3.0, qPrintable(box));
    QVERIFY(contrastRatio(edit->palette().color(QPalette::Text), background) >= 4.5);
    QVERIFY(contrastRatio(page->palette().color(QPalette::WindowText), pageColour) >= 4.5);
    // The edge is drawn: the box's own picture shows it at its border.
    const QImage picture = edit->grab().toImage();
    QCOMPARE(picture.pixelColor(0, picture.height() / 2), edit->palette().color(QPalette::Dark));
}

void TestAccessibility::fontFaces() {
    QVERIFY(windowFontsRegistered());
    QVERIFY(QFontDatabase::styles(QStringLiteral("Tahoma")).contains(QStringLiteral("Bold")));
    QFont bold = TUI::windowFont();
    bold.setBold(true);
    QCOMPARE(QFontInfo(bold).family(), QStringLiteral("Tahoma"));
    QCOMPARE(QFontInfo(bold).styleName(), QStringLiteral("Bold"));
    QCOMPARE(QFontInfo(TUI::windowFont()).styleName(), QStringLiteral("Regular"));
}

void TestAccessibility::partyNamesWhole() {
    // Every party of the code list on TabSheet2, and the long name of party 11 in the attachment.
    WindowFixture f;
    f.window->router().changePage(1, false);
    Table &parties = f.data->TVQ_KOAL();
    for (int n = 1; n <= 21; ++n) {
        QVERIFY(parties.locate(QStringLiteral("KON"), QString::number(n)));
        QLabel *caption = nullptr;
        for (QLabel *l : f.control(QStringLiteral("FormularT12"))->findChildren<QLabel *>()) {
            if (l->buddy() == f.control(QStringLiteral("ePPHPS%1").arg(n)))
                caption = l;
        }
        QVERIFY(caption);
        QVERIFY2(caption->text().startsWith(parties.text(QStringLiteral("SNKO"))), qPrintable(caption->text()));
        QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width(),
                 qPrintable(caption->text()));
    }
}

void TestAccessibility::quickChoiceWhole() {
    VotesWindow f;
    f.window->router().changePage(2, false);
    auto *combo = f.control<QComboBox>(QStringLiteral("Combo_RychlaVolba"));
    QStringList texts = {combo->currentText()};
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    QVERIFY(texts.size() > 2);
    for (const QString &text : texts)
        QVERIFY2(combo->fontMetrics().horizontalAdvance(text) <= combo->lineEdit()->width(), qPrintable(text));
}

void TestAccessibility::scrollsOnSmallScreen() {
    WindowFixture f;
    const QSize form(789, 530);
    QCOMPARE(f.window->size(), form);
    auto *scroll = f.window->findChild<QScrollArea *>();
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    // A screen of 683 × 512 (1024 × 768 at 150 %): the window keeps to it, the form scrolls, and the
    // control that takes the focus is brought into sight.
    f.window->fitTo(QSize(683, 512));
    QVERIFY(f.window->width() <= 683 && f.window->height() <= 512);
    QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible());
    f.focus("NaStranu2");
    QWidget *button = f.control("NaStranu2");
    const QRect shown(button->mapTo(scroll->viewport(), QPoint(0, 0)), button->size());
    QVERIFY(scroll->viewport()->rect().contains(shown));
    f.window->fitTo(QSize(1024, 768));
    QCOMPARE(f.window->size(), form);
}

void TestAccessibility::keyPage() {
    WindowFixture f;
    f.focus("ePOZZV");
    QString title, text;
    whenModal(QString(), [&](QWidget *page) {
        title = page->windowTitle();
        text = page->findChild<QLabel *>(QStringLiteral("Keys"))->text();
        QTest::keyClick(page, Qt::Key_Escape);
    });
    QTest::keyClick(f.box("ePOZZV"), Qt::Key_F1);
    QCOMPARE(title, QStringLiteral("Klávesy"));
    f.window->activateWindow(); // as the window manager does after a dialog
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    // Every key of the table, with its meaning.
    for (const keys::Row &row : keys::table()) {
        QVERIFY2(text.contains(QString::fromUtf8(row.name)), row.name);
        QVERIFY(text.contains(QString::fromUtf8(row.meaning).toHtmlEscaped()));
    }
    QCOMPARE(f.focused(), QStringLiteral("ePOZZV"));
}

void TestAccessibility::tabReachesNavigation_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("reached"); // in the order Tab reaches them after the candidates
    QTest::newRow("page 1") << 2 << QStringList{"dalsia_strana",     "RVUPor", "RVUPoc", "DoPredu", "DoZadu",
                                                "Combo_RychlaVolba", "Button2"};
    QTest::newRow("page 2") << 3 << QStringList{"Button12", "Button15", "Button8", "RVUPor2", "RVUPoc2"};
}

void TestAccessibility::tabReachesNavigation() {
    QFETCH(int, page);
    QFETCH(QStringList, reached);
    VotesWindow f; // party 1: 150 candidates
    f.window->router().changePage(page, false);
    f.focus(page == 2 ? QStringLiteral("pK50") : QStringLiteral("pK150"));
    QStringList order;
    for (int i = 0; i < reached.size(); ++i) {
        f.key(Qt::Key_Tab);
        order << f.focused();
    }
    QCOMPARE(order, reached);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
