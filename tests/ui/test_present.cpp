#include "ui/services.h"

#include "support/scriptedservices.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(std::optional<FormBox>)

// How the window shows an outcome: every step in order; for a box's exit, the focus moves held back and
// the last one returned, so that the focus router can move it or refuse a page change with it.
class TestPresent : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
};

void TestPresent::steps_data() {
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<bool>("vphShown");
    QTest::addColumn<QStringList>("shown");           // the journal of present()
    QTest::addColumn<QStringList>("shownByExit");     // the journal of presentExit()
    QTest::addColumn<std::optional<FormBox>>("back"); // what presentExit() returns

    Outcome check;
    check.message(QStringLiteral("K02 ..."));
    check.focus(FormBox::Obec);
    QTest::newRow("a finding with its box") << check << true << QStringList{"box:K02 ...", "focus:eOBEC"}
                                            << QStringList{"box:K02 ..."} << std::optional(FormBox::Obec);

    Outcome refusal;
    refusal.beep();
    refusal.message(QStringLiteral("Poradové číslo je väčšie ako počet kandidátov"));
    QTest::newRow("beep, then the message")
        << refusal << true << QStringList{"beep", "box:Poradové číslo je väčšie ako počet kandidátov"}
        << QStringList{"beep", "box:Poradové číslo je väčšie ako počet kandidátov"} << std::optional<FormBox>();

    Outcome attachment;
    attachment.focusIfShown(FormBox::Vph);
    QTest::newRow("pVPH shown") << attachment << true << QStringList{"focus:pVPH"} << QStringList()
                                << std::optional(FormBox::Vph);
    QTest::newRow("pVPH not shown") << attachment << false << QStringList() << QStringList()
                                    << std::optional<FormBox>();

    // The busy window changes at once until a dialog waits; after it, its changes wait too.
    JournalServices live;
    Outcome regeneration;
    regeneration.busy(live, QStringLiteral("Aktualizujem prílohy ..."));
    regeneration.message(QStringLiteral("Nikto nedostal ani 1 hlas"));
    regeneration.busy(live, QStringLiteral("off"));
    const QStringList busyBehind{"box:Nikto nedostal ani 1 hlas", "busy:off"};
    QTest::newRow("the busy window behind a dialog")
        << regeneration << true << busyBehind << busyBehind << std::optional<FormBox>();

    Outcome twoMoves;
    twoMoves.focus(FormBox::Obec);
    twoMoves.focus(FormBox::Obvod);
    QTest::newRow("the last move counts") << twoMoves << true << QStringList{"focus:eOBEC", "focus:eOBVOD"}
                                          << QStringList() << std::optional(FormBox::Obvod);
}

void TestPresent::steps() {
    QFETCH(Outcome, outcome);
    QFETCH(bool, vphShown);
    const auto scripted = [vphShown] {
        auto services = std::make_unique<JournalServices>();
        services->acceptAllFocus = false;
        services->focusable = {QStringLiteral("eOBEC"), QStringLiteral("eOBVOD")};
        if (vphShown)
            services->focusable.insert(QStringLiteral("pVPH"));
        return services;
    };

    const auto all = scripted();
    present(*all, outcome);
    QTEST(all->journal, "shown");

    const auto exit = scripted();
    QTEST(presentExit(*exit, outcome), "back");
    QTEST(exit->journal, "shownByExit");
}

QTEST_GUILESS_MAIN(TestPresent)
#include "test_present.moc"
