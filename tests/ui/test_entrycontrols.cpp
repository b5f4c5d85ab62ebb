// The entry controls: the digit filter for typed and pasted text, the edit state, the length limits,
// the colours, the selection on entry, and the quick-entry box TAlignEdit.

#include "windowfixture.h"

#include "store/table.h"
#include "ui/entrycontrols.h"

#include <QClipboard>
#include <QGuiApplication>

class TestEntryControls : public QObject {
    Q_OBJECT
private slots:
    void typedFilter_data();
    void typedFilter();
    void pastedFilter_data();
    void pastedFilter();
    void backspaceAndDelete();
    void notInEditState();
    void lengthLimits_data();
    void lengthLimits();
    void focusColours();
    void selectionOnEntry();
    void alignEdit_data();
    void alignEdit();
};

void TestEntryControls::typedFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter between digits") << "1a2"
                                           << "12";
    QTest::newRow("sign") << "-5"
                          << "5";
    QTest::newRow("blank") << " "
                           << "";
    QTest::newRow("decimal separators") << "1,5.2"
                                        << "152";
    QTest::newRow("only letters") << "abc"
                                  << "";
}

void TestEntryControls::typedFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    WindowFixture f;
    f.focus("ePOZZV");
    f.key(Qt::Key_Delete);
    f.type(typed);
    QCOMPARE(f.box("ePOZZV")->text(), shown);
    // Enter, Escape and Ctrl+V insert nothing; Enter moves on through the key table.
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    f.key(Qt::Key_V, Qt::ControlModifier);
    f.key(Qt::Key_Escape);
    QCOMPARE(f.box("ePOZZV")->text(), shown);
    f.key(Qt::Key_Return);
    QCOMPARE(f.focused(), QStringLiteral("ePVO"));
    QCOMPARE(f.s1().text("POZZV"), shown.isEmpty() ? QStringLiteral("0") : shown);
}

void TestEntryControls::pastedFilter_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters") << "1a2"
                             << "12";
    QTest::newRow("signed with blanks") << " -42 "
                                        << "42";
    QTest::newRow("no digit") << "abc"
                              << "";
}

void TestEntryControls::pastedFilter() {
    QFETCH(QString, clipboard);
    QFETCH(QString, shown);
    WindowFixture f;
    f.focus("ePVO");
    f.key(Qt::Key_Delete);
    QGuiApplication::clipboard()->setText(clipboard);
    f.box("ePVO")->paste(); // the paste of the context menu
    QCOMPARE(f.box("ePVO")->text(), shown);
    // What reaches the field can always be normalised: no conversion error.
    f.key(Qt::Key_Return);
    QVERIFY(f.script.errorsShown.isEmpty());
    QCOMPARE(f.s1().text("PVO"), shown.isEmpty() ? QStringLiteral("0") : shown);
}

void TestEntryControls::backspaceAndDelete() {
    WindowFixture f;
    f.focus("ePOO");
    f.type("1234");
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Backspace); // before the cursor
    QCOMPARE(f.box("ePOO")->text(), QStringLiteral("134"));
    f.key(Qt::Key_Delete); // after it
    QCOMPARE(f.box("ePOO")->text(), QStringLiteral("14"));
}

void TestEntryControls::notInEditState() {
    WindowFixture f;
    f.focus("ePPHS");
    f.s1().post(); // the record leaves edit state under the box
    f.key(Qt::Key_End);
    f.type("9");
    QCOMPARE(f.box("ePPHS")->text(), QStringLiteral("0"));
    // Delete puts the table into edit state, as the clipboard commands do.
    f.key(Qt::Key_Home);
    f.key(Qt::Key_Delete);
    QVERIFY(f.s1().inEditState());
    f.type("9");
    QCOMPARE(f.box("ePPHS")->text(), QStringLiteral("9"));
}

void TestEntryControls::lengthLimits_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::newRow("OBVOD, field width 3") << "eOBVOD"
                                          << "123";
    QTest::newRow("OBEC, limit 6") << "eOBEC"
                                   << "123456";
    QTest::newRow("OKRSOK, field width 3") << "eOKRSOK"
                                           << "123";
    QTest::newRow("POZZV, limit 4 on a field of 7") << "ePOZZV"
                                                    << "1234";
    QTest::newRow("party, limit 4") << "ePPHPS21"
                                    << "1234";
}

void TestEntryControls::lengthLimits() {
    QFETCH(QString, box);
    QFETCH(QString, shown);
    WindowFixture f;
    f.focus(box);
    f.type("123456789");
    QCOMPARE(f.box(box)->text(), shown);
}

void TestEntryControls::focusColours() {
    WindowFixture f;
    auto *box = static_cast<TDBEdit_VQRA01 *>(f.box("eOKRSOK"));
    QCOMPARE(box->background(), colors::window);
    f.focus("eOKRSOK");
    QCOMPARE(box->background(), colors::moneyGreen);
    // Given another colour meanwhile, the box still returns to the white it was created with.
    box->setBackground(colors::silver);
    f.key(Qt::Key_Up);
    QCOMPARE(f.focused(), QStringLiteral("eOBEC"));
    QCOMPARE(box->background(), colors::window);
    QCOMPARE(box->rememberedColor(), colors::window);
}

void TestEntryControls::selectionOnEntry() {
    WindowFixture f;
    f.s1().first();
    f.s1().edit();
    f.s1().setText("POO_POSTA", "315");
    f.s1().post();
    // By the program (a key handler's move) and by Tab: the whole figure is selected.
    f.focus("ePVO");
    f.key(Qt::Key_Down);
    QCOMPARE(f.box("ePOO_POSTA")->selectedText(), QStringLiteral("315"));
    f.type("7");
    QCOMPARE(f.box("ePOO_POSTA")->text(), QStringLiteral("7"));
    f.key(Qt::Key_Up);
    f.key(Qt::Key_Tab);
    QCOMPARE(f.box("ePOO_POSTA")->selectedText(), QStringLiteral("7"));
    // A mouse click places the cursor.
    f.focus("ePVO");
    QTest::mouseClick(f.box("ePOO_POSTA"), Qt::LeftButton, {}, QPoint(45, 9));
    QCOMPARE(f.focused(), QStringLiteral("ePOO_POSTA"));
    QVERIFY(f.box("ePOO_POSTA")->selectedText().isEmpty());
    // Asked for while another window is active (the busy window closing): the focus arrives with the
    // window's activation, and is an entry all the same.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    f.focus("ePVO");
    QVERIFY(!f.box("ePVO")->hasFocus());
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QCOMPARE(f.focused(), QStringLiteral("ePVO"));
    QVERIFY(f.s1().inEditState());
    QCOMPARE(f.box("ePVO")->selectedText(), f.box("ePVO")->text());
    // Coming back to a box after a dialog is no new entry: the selection stays as it was.
    f.box("ePVO")->setCursorPosition(0);
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QVERIFY(f.box("ePVO")->selectedText().isEmpty());
}

void TestEntryControls::alignEdit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "105"
                            << "105";
    QTest::newRow("letters and signs") << "1a-0+5"
                                       << "105";
    QTest::newRow("blank") << " "
                           << "";
}

void TestEntryControls::alignEdit() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QWidget host;
    auto *edit = new TAlignEdit(&host);
    int returns = 0;
    connect(edit, &QLineEdit::returnPressed, [&] { ++returns; });
    host.show();
    edit->setFocus();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(returns, 0); // Enter is the key handlers' alone
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QVERIFY(!edit->hasFrame());
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    edit->paste();
    QCOMPARE(edit->text(), shown + QStringLiteral("9"));
}

QTEST_MAIN(TestEntryControls)
#include "test_entrycontrols.moc"
