// Page changes in the real window: what leaving TabSheet2 and entering TabSheet4 set off, the order
// of events, the change steps of a change made by the user, the refusal when the exit processing keeps
// the focus, and the next-page buttons.

#include "support/scriptedservices.h"
#include "windowfixture.h"

#include "store/table.h"

namespace {

// Party votes that the protocol holds without the window having emphasised them yet.
void storedVotes(Table &s1, int party, const QString &votes) {
    s1.first();
    s1.edit();
    s1.setText(QStringLiteral("PPHPS%1").arg(party), votes);
    s1.post();
}

QStringList partiesOf(Table &p1) {
    QStringList parties;
    for (p1.first(); parties.size() < p1.recordCount(); p1.next())
        parties.append(p1.text("KON"));
    return parties;
}

} // namespace

class TestPageControl : public QObject {
    Q_OBJECT
private slots:
    void tabClickFromPartyBox();
    void orderOfEvents();
    void naStranu3();
    void naStranu2();
    void visitOnTabsRebuildsNothing();
    void refusedByK02_data();
    void refusedByK02();
    void completeCheckOnEveryVisit();
    void changeStepsOfUserChange_data();
    void changeStepsOfUserChange();
};

void TestPageControl::tabClickFromPartyBox() {
    WindowFixture f;
    storedVotes(f.s1(), 2, "4");
    f.script.forget();
    f.focus("ePPHPS5");
    QCOMPARE(f.currentPage(), 1);
    f.type("6");
    f.clickTab(2);
    QCOMPARE(f.currentPage(), 2);
    QCOMPARE(f.focused(), QStringLiteral("pVPH"));
    // The exit of ePPHPS5 ran before the regeneration: its vote has an attachment.
    QCOMPARE(f.s1().text("PPHPS5"), QStringLiteral("6"));
    QCOMPARE(partiesOf(f.data->TP1()), (QStringList{"2", "5"}));
    // K09 (PPHS 0 against 10 votes) is shown, then the busy window around the rebuild.
    QCOMPARE(f.script.messageBoxes.size(), 1);
    QVERIFY(f.script.messageBoxes[0].startsWith(QStringLiteral("K09")));
    QCOMPARE(f.script.busy, (QStringList{"Aktualizujem prílohy ...", "off"}));
    // The change steps: emphasis and the counters of the stored votes.
    QVERIFY(f.window->services().formDisplay().partyEmphasis(2));
    QCOMPARE(f.window->district().asponhlas(), QStringLiteral("2"));
    // TabSheet4Enter and the change step both ask for pVPH.
    QCOMPARE(f.script.focusRequests, (QStringList{"ePPHPS5", "pVPH", "pVPH"}));
}

void TestPageControl::orderOfEvents() {
    JournalServices script;
    WindowFixture f(&script);
    f.focus("ePPHPS5");
    f.type("6");
    script.journal.clear();
    f.clickTab(2);
    // The exit of ePPHPS5 posted its 6 before K09 summed the votes; then the page's leave handler's
    // busy window, the enter of TabSheet4 and last the change steps.
    QCOMPARE(script.journal.size(), 5);
    QVERIFY(script.journal.first().startsWith(QStringLiteral("box:K09")));
    QCOMPARE(script.journal.mid(1),
             (QStringList{"busy:Aktualizujem prílohy ...", "busy:off", "focus:pVPH", "focus:pVPH"}));
    QVERIFY(script.messageBoxes[0].contains(QStringLiteral("strán : 6,")));
}

void TestPageControl::naStranu3() {
    WindowFixture f;
    f.focus("ePPHPS21");
    f.key(Qt::Key_Return); // to NaStranu3
    QCOMPARE(f.focused(), QStringLiteral("NaStranu3"));
    storedVotes(f.s1(), 3, "8");
    f.script.forget();
    f.key(Qt::Key_Return); // presses it
    QCOMPARE(f.currentPage(), 2);
    QCOMPARE(f.focused(), QStringLiteral("pVPH"));
    QCOMPARE(partiesOf(f.data->TP1()), (QStringList{"3"}));
    QCOMPARE(f.script.busy, (QStringList{"Aktualizujem prílohy ...", "off"}));
    // A change by the program: no change steps, so the stored vote is not emphasised yet.
    QVERIFY(!f.window->services().formDisplay().partyEmphasis(3));
    QCOMPARE(f.script.focusRequests, (QStringList{"pVPH"}));
}

void TestPageControl::naStranu2() {
    WindowFixture f;
    storedVotes(f.s1(), 4, "1");
    f.focus("NaStranu2");
    QTest::keyClick(f.control("NaStranu2"), Qt::Key_Space);
    QCOMPARE(f.currentPage(), 1);
    QCOMPARE(f.focused(), QStringLiteral("ePPHPS1"));
    QVERIFY(f.window->services().formDisplay().partyEmphasis(4)); // a change by the user
    QVERIFY(f.script.busy.isEmpty());
}

void TestPageControl::visitOnTabsRebuildsNothing() {
    WindowFixture f;
    QCOMPARE(QApplication::focusWidget(), f.window->pages().tabs());
    f.clickTab(1);
    QVERIFY(f.script.busy.isEmpty());
    f.clickTab(2);
    QCOMPARE(f.currentPage(), 2);
    QVERIFY(f.script.busy.isEmpty());
    QCOMPARE(f.focused(), QStringLiteral("pVPH")); // the change step of TabSheet4
    // Into TabSheet2 and out by a tab: rebuilt.
    f.clickTab(1);
    f.focus("ePPHPS1");
    f.clickTab(0);
    QCOMPARE(f.currentPage(), 0);
    QCOMPARE(f.focused(), QStringLiteral("eOBVOD"));
    QCOMPARE(f.script.busy, (QStringList{"Aktualizujem prílohy ...", "off"}));
}

void TestPageControl::refusedByK02_data() {
    QTest::addColumn<bool>("byCtrlTab");
    QTest::newRow("tab click") << false;
    QTest::newRow("Ctrl+Tab") << true;
}

void TestPageControl::refusedByK02() {
    QFETCH(bool, byCtrlTab);
    WindowFixture f;
    storedVotes(f.s1(), 6, "2");
    f.focus("eOBEC");
    f.type("999999");
    if (byCtrlTab)
        f.key(Qt::Key_Tab, Qt::ControlModifier);
    else
        f.clickTab(4);
    QCOMPARE(f.script.messageBoxes.size(), 1);
    QVERIFY(f.script.messageBoxes[0].startsWith(QStringLiteral("K02")));
    QCOMPARE(f.currentPage(), 0);
    QCOMPARE(f.focused(), QStringLiteral("eOBEC"));
    // Entered again after the change steps, so that the code can be corrected at once.
    QVERIFY(f.s1().inEditState());
    // No complete check (the page never opened), but the change steps ran on the old page.
    QVERIFY(f.window->district().Protokol1().lines.isEmpty());
    QVERIFY(f.window->services().formDisplay().partyEmphasis(6));
    // With a known municipality the same move goes through.
    QCOMPARE(f.box("eOBEC")->selectedText(), QStringLiteral("999999"));
    f.type("500011");
    f.s1().edit();
    f.s1().setText("OBVOD", "101");
    f.clickTab(1);
    QCOMPARE(f.currentPage(), 1);
    QCOMPARE(f.focused(), QStringLiteral("ePPHPS1"));
}

void TestPageControl::completeCheckOnEveryVisit() {
    WindowFixture f;
    District &d = f.window->district();
    f.clickTab(4);
    QCOMPARE(f.currentPage(), 4);
    QVERIFY(!d.Protokol1().lines.isEmpty()); // the zeros of the installation fail K02
    d.clearMemo(District::protokol1());
    f.clickTab(0);
    QVERIFY(d.Protokol1().lines.isEmpty());
    f.clickTab(4);
    QVERIFY(!d.Protokol1().lines.isEmpty());
}

void TestPageControl::changeStepsOfUserChange_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("sums"); // KC3 and the counters recomputed
    QTest::newRow("TabSheet2") << 1 << false;
    QTest::newRow("TabSheet5") << 3 << true;
    QTest::newRow("TabSheet7") << 5 << true;
}

void TestPageControl::changeStepsOfUserChange() {
    QFETCH(int, page);
    QFETCH(bool, sums);
    WindowFixture f;
    storedVotes(f.s1(), 9, "5");
    f.clickTab(page);
    QCOMPARE(f.currentPage(), page);
    QVERIFY(f.window->services().formDisplay().partyEmphasis(9));
    QCOMPARE(f.window->district().asponhlas(), sums ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(f.box("asponhlas")->text(), f.window->district().asponhlas());
}

QTEST_MAIN(TestPageControl)
#include "test_pagecontrol.moc"
