// The control factory: what each kind of row becomes, how a page is built from a table (the rows of other
// pages left, the spoken names from the captions, groups found by caption, the tab orders of the table),
// and the dot leader.

#include "store/datamodule.h"
#include "store/table.h"
#include "support/installationcopy.h"
#include "ui/controlfactory.h"
#include "ui/entrycontrols.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using layouttable::Control;
using layouttable::Kind;
using enum layouttable::Style;

namespace {

int fieldWidth(Table &table, const QString &field) {
    return table.schema().fields[table.fieldIndex(field)].width;
}

} // namespace

class TestControlFactory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void kinds_data();
    void kinds();
    void unsizedRowTakesItsTextsSize();
    void onlyThePagesRows();
    void spokenNames();
    void tabOrderOfTheTable();
    void leader_data();
    void leader();

private:
    Table &s1() { return m_data->TS1(); }
    TableOf tableOf() {
        return [this](const Control &) -> Table & { return s1(); };
    }
    InstallationCopy m_copy;
    std::unique_ptr<DataModule> m_data;
};

void TestControlFactory::initTestCase() {
    QVERIFY(m_copy.isValid());
    m_data = std::make_unique<DataModule>(m_copy.dataFolder());
}

void TestControlFactory::cleanupTestCase() {
    m_data.reset();
}

void TestControlFactory::kinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<unsigned>("style");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("focusPolicy");
    QTest::addColumn<bool>("shown");   // not hidden by the factory
    QTest::addColumn<bool>("enabled"); // not disabled by the factory
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("expectedLength"); // -1: the field's width; 0: not a line edit
    const int strong = Qt::StrongFocus, click = Qt::ClickFocus, none = Qt::NoFocus;
    const auto row = [](const char *name, Kind kind, unsigned style, int maxLength) -> QTestData & {
        return QTest::newRow(name) << int(kind) << style << maxLength;
    };
    row("entry, the field's width", Kind::Entry, Plain, 0)
        << "TDBEdit_VQRA01" << false << strong << true << true << false << -1;
    row("entry, a limit of its own", Kind::Entry, Plain, 4)
        << "TDBEdit_VQRA01" << false << strong << true << true << false << 4;
    row("read-only box", Kind::ReadOnly, Plain, 0) << "TDBEdit_VQRA01" << true << strong << true << true << false << -1;
    row("sum: passed over by Tab", Kind::Sum, Plain, 0)
        << "TDBEdit_VQRA01" << true << click << true << true << true << -1;
    row("hidden box", Kind::Hidden, Plain, 0) << "TDBEdit_VQRA01" << true << none << false << true << false << 32767;
    row("flag", Kind::Flag, Plain, 0) << "QCheckBox" << false << none << false << false << false << 0;
    row("quick entry", Kind::Quick, Plain, 3) << "TAlignEdit" << false << strong << true << true << false << 3;
    row("bold button", Kind::Button, Bold, 0) << "QPushButton" << false << strong << true << true << true << 0;
    row("wrapping button", Kind::Button, WordWrap, 0) << "WrapButton" << false << strong << true << true << false << 0;
    row("counter", Kind::Counter, Plain, 0) << "QLineEdit" << false << strong << true << false << false << 32767;
}

void TestControlFactory::kinds() {
    QFETCH(int, kind);
    QFETCH(unsigned, style);
    QFETCH(int, maxLength);
    QFETCH(QString, className);
    QFETCH(bool, readOnly);
    QFETCH(int, focusPolicy);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);
    QFETCH(bool, bold);
    QFETCH(int, expectedLength);
    QWidget page;
    const Control row{Kind(kind), "box", "page", "0", "OBEC", 10, 20, 49, 19, maxLength, -1, style};
    QWidget *widget = makeControl(row, &page, tableOf());
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->objectName(), QStringLiteral("box"));
    QCOMPARE(widget->parentWidget(), &page);
    QCOMPARE(widget->geometry(), QRect(10, 20, 49, 19));
    QCOMPARE(int(widget->focusPolicy()), focusPolicy);
    QCOMPARE(!widget->isHidden(), shown);
    QCOMPARE(widget->isEnabled(), enabled);
    QCOMPARE(QFontInfo(widget->font()).bold(), bold);
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        QCOMPARE(edit->isReadOnly(), readOnly);
        QCOMPARE(edit->maxLength(), expectedLength < 0 ? fieldWidth(s1(), "OBEC") : expectedLength);
    } else {
        QCOMPARE(expectedLength, 0);
    }
    if (auto *box = qobject_cast<TDBEdit_VQRA01 *>(widget)) {
        QCOMPARE(box->background(), Kind(kind) == Kind::Sum ? colors::skyBlue : colors::window);
        QCOMPARE(box->fieldName(), QStringLiteral("OBEC"));
    }
}

void TestControlFactory::unsizedRowTakesItsTextsSize() {
    QWidget page;
    page.resize(200, 100);
    QWidget *heading = makeControl({Kind::Label, {}, "page", "OBCE06", {}, 8, 4, 0, 0, 0, -1, Bold}, &page, tableOf());
    page.show();
    QCOMPARE(heading->pos(), QPoint(8, 4));
    QCOMPARE(heading->size(), heading->sizeHint());
}

void TestControlFactory::onlyThePagesRows() {
    QWidget page1, page2;
    page1.setObjectName("page1");
    page2.setObjectName("page2");
    ControlMap controls{{"page1", &page1}, {"page2", &page2}};
    const std::vector<Control> rows = {
        {Kind::Group, "group1", "page1", "G1", {}, 0, 0, 300, 200},
        {Kind::Entry, "inGroup1", "group1", {}, "OBEC", 8, 20, 49, 19},
        {Kind::Group, {}, "page2", "Bez mena", {}, 0, 0, 300, 200},
        {Kind::Entry, "inUnnamed", "Bez mena", {}, "OBEC", 8, 20, 49, 19},
        {Kind::Entry, "onPage1", "page1", {}, "OBVOD", 8, 220, 49, 19},
    };
    buildControls(rows, page1, controls, tableOf());
    QCOMPARE(controls.value("inGroup1")->parentWidget(), controls.value("group1"));
    QVERIFY(page1.isAncestorOf(controls.value("onPage1")));
    QVERIFY(!controls.contains("inUnnamed"));
    QVERIFY(page2.children().isEmpty());
    // A group without a name is the parent of its rows by its caption, and keeps no name.
    buildControls(rows, page2, controls, tableOf());
    auto *unnamed = qobject_cast<QGroupBox *>(controls.value("inUnnamed")->parentWidget());
    QVERIFY(unnamed);
    QCOMPARE(unnamed->title(), QStringLiteral("Bez mena"));
    QVERIFY(unnamed->objectName().isEmpty());
}

void TestControlFactory::spokenNames() {
    QWidget page;
    page.setObjectName("page");
    ControlMap controls{{"page", &page}};
    const std::vector<Control> rows = {
        {Kind::Label, {}, "page", "OBEC:", {}, 0, 0, 40, 16},
        {Kind::Entry, "eOBEC", "page", {}, "OBEC", 40, 0, 49, 19},
        {Kind::Label, {}, "page", "OBVOD:", {}, 0, 20, 40, 16},
        {Kind::Entry, "eOBVOD", "page", {}, "OBVOD", 40, 20, 49, 19, 0, -1, Plain, 0, "Volebný obvod"},
        {Kind::Label, {}, "page", "Osirotený:", {}, 0, 40, 40, 16},
        {Kind::Button, "button", "page", "Ďalej", {}, 0, 60, 75, 25},
        {Kind::Entry, "afterButton", "page", {}, "OKRSOK", 40, 40, 49, 19},
    };
    buildControls(rows, page, controls, tableOf());
    const auto captionOf = [&](const char *box) {
        for (QLabel *label : page.findChildren<QLabel *>())
            if (label->buddy() == controls.value(box))
                return label->text();
        return QString();
    };
    QCOMPARE(controls.value("eOBEC")->accessibleName(), QStringLiteral("OBEC"));
    QCOMPARE(captionOf("eOBEC"), QStringLiteral("OBEC:"));
    // The row's own name wins; its caption is still the box's buddy.
    QCOMPARE(controls.value("eOBVOD")->accessibleName(), QStringLiteral("Volebný obvod"));
    QCOMPARE(captionOf("eOBVOD"), QStringLiteral("OBVOD:"));
    // A control between them ends the caption's claim.
    QVERIFY(controls.value("afterButton")->accessibleName().isEmpty());
    QVERIFY(captionOf("afterButton").isEmpty());
}

void TestControlFactory::tabOrderOfTheTable() {
    QWidget page;
    page.setObjectName("page");
    ControlMap controls{{"page", &page}};
    // Created in one order, tabbed in another: the group's boxes in its place among the page's.
    const std::vector<Control> rows = {
        {Kind::Entry, "last", "page", {}, "OBEC", 0, 0, 49, 19, 0, 2},
        {Kind::Group, "group", "page", "G", {}, 0, 40, 200, 100, 0, 1},
        {Kind::Entry, "groupSecond", "group", {}, "OBEC", 8, 20, 49, 19, 0, 1},
        {Kind::Entry, "groupFirst", "group", {}, "OBEC", 8, 60, 49, 19, 0, 0},
        {Kind::Entry, "first", "page", {}, "OBEC", 0, 200, 49, 19, 0, 0},
    };
    buildControls(rows, page, controls, tableOf());
    QStringList order;
    QWidget *w = controls.value("first");
    for (int i = 0; i < 4; ++i, w = w->nextInFocusChain()) {
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        order.append(w->objectName());
    }
    QCOMPARE(order, (QStringList{"first", "groupFirst", "groupSecond", "last"}));
}

void TestControlFactory::leader_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    // Ten pixels a character: "Ab " is 30, each ". " 20 more, as long as the whole fits.
    QTest::newRow("no room for a dot") << 49 << "Ab ";
    QTest::newRow("one dot, exactly") << 50 << "Ab . ";
    QTest::newRow("one dot") << 69 << "Ab . ";
    QTest::newRow("two dots") << 70 << "Ab . . ";
    QTest::newRow("narrower than the caption") << 10 << "Ab ";
}

void TestControlFactory::leader() {
    QFETCH(int, width);
    QFETCH(QString, text);
    QCOMPARE(withLeader("Ab", width, [](const QString &t) { return int(t.size()) * 10; }), text);
}

QTEST_MAIN(TestControlFactory)
#include "test_controlfactory.moc"
