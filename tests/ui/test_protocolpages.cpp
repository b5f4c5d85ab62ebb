// The protocol pages driven by the keyboard: the key table, the exit processing of the boxes (zero-fill,
// normalisation, post, sums, checks), the sum boxes passing the focus, the emphasis and the counters,
// and the layout tables against the widgets they built.

#include "windowfixture.h"

#include "store/form.h"
#include "store/table.h"
#include "ui/controlfactory.h"
#include "ui/entrycontrols.h"
#include "ui/protocollayout.h"

#include <QFontInfo>
#include <QLabel>

#include <functional>

namespace {

// A district that the checks of the identification accept, so that moving through it shows nothing.
void knownDistrict(Table &s1) {
    s1.first();
    s1.edit();
    s1.setText("OBVOD", "101");
    s1.setText("OBEC", "500011");
    s1.setText("OKRSOK", "1");
    s1.setText("POZZV", "100");
    s1.setText("PVO", "50");
    s1.setText("POO", "50");
    s1.setText("PPHS", "50");
    s1.post();
}

} // namespace

class TestProtocolPages : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void normalisation_data();
    void normalisation();
    void blankNeighboursNormalised();
    void unknownMunicipality();
    void voterChecks_data();
    void voterChecks();
    void partyVotes();
    void sumBoxesPassFocus_data();
    void sumBoxesPassFocus();
    void tabAroundNaStranu2();
    void layoutTable();
    void partyCaptions();
    void leaderDots_data();
    void leaderDots();
    void wholeProtocolByKeyboard();
};

void TestProtocolPages::keys_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("target"); // empty: the focus stays
    const int enter = Qt::Key_Return, down = Qt::Key_Down, up = Qt::Key_Up, pgDn = Qt::Key_PageDown,
              pgUp = Qt::Key_PageUp;
    struct Row {
        const char *box;
        int key;
        const char *target;
    };
    const Row rows[] = {
        {"eOBVOD", enter, "eOBEC"},
        {"eOBVOD", up, ""},
        {"eOBVOD", pgDn, "ePOZZV"},
        {"eOBVOD", pgUp, ""},
        {"eOBEC", down, "eOKRSOK"},
        {"eOBEC", up, "eOBVOD"},
        {"eOBEC", pgDn, "ePOZZV"},
        {"eOBEC", pgUp, "eOBVOD"},
        {"eOKRSOK", enter, "ePOZZV"},
        {"eOKRSOK", up, "eOBEC"},
        {"eOKRSOK", pgDn, "ePOZZV"},
        {"ePOZZV", enter, "ePVO"},
        {"ePOZZV", up, "eOKRSOK"},
        {"ePOZZV", pgDn, "ePPHS"},
        {"ePOZZV", pgUp, "eOBVOD"},
        {"ePVO", down, "ePOO_POSTA"},
        {"ePVO", up, "ePOZZV"},
        {"ePOO_POSTA", enter, "ePOO"},
        {"ePOO_POSTA", up, "ePVO"},
        {"ePOO", enter, "ePPHS"},
        {"ePOO", up, "ePOO_POSTA"},
        {"ePOO", pgDn, "ePPHS"},
        {"ePPHS", enter, "NaStranu2"},
        {"ePPHS", up, "ePOO"},
        {"ePPHS", pgDn, ""},
        {"ePPHS", pgUp, "eOBVOD"},
        {"ePPHS", Qt::Key_Left, ""},
        {"ePPHPS1", up, ""},
        {"ePPHPS1", enter, "ePPHPS2"},
        {"ePPHPS13", down, "ePPHPS14"},
        {"ePPHPS14", up, "ePPHPS13"},
        {"ePPHPS5", pgDn, "ePPHPS21"},
        {"ePPHPS5", pgUp, "ePPHPS1"},
        {"ePPHPS20", enter, "ePPHPS21"},
        {"ePPHPS21", enter, "NaStranu3"},
        {"ePPHPS21", down, "NaStranu3"},
        {"ePPHPS21", up, "ePPHPS20"},
        {"ePPHPS21", pgDn, ""},
        {"ePPHPS21", pgUp, "ePPHPS1"},
        {"NaStranu2", pgUp, "eOBVOD"},
        {"NaStranu3", pgUp, "ePPHPS1"},
        {"NaStranu2", down, "Button11"},
    };
    for (const Row &r : rows)
        QTest::addRow("%s %d", r.box, r.key) << QString::fromLatin1(r.box) << r.key << QString::fromLatin1(r.target);
}

void TestProtocolPages::keys() {
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(QString, target);
    WindowFixture f;
    knownDistrict(f.s1());
    f.focus(box);
    QCOMPARE(f.focused(), box);
    f.key(Qt::Key(key));
    QCOMPARE(f.focused(), target.isEmpty() ? box : target);
    // The move is an ordinary focus change: the box left was posted, the box reached is being edited.
    if (box.startsWith(u'e') && !target.isEmpty() && target.startsWith(u'e'))
        QVERIFY(f.s1().inEditState());
    QVERIFY(f.script.messageBoxes.isEmpty());
    QVERIFY(f.script.errorsShown.isEmpty());
}

void TestProtocolPages::normalisation_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("leading zeros") << "ePOZZV"
                                   << "0042"
                                   << "42";
    QTest::newRow("all zeros") << "ePOO"
                               << "000"
                               << "0";
    QTest::newRow("empty") << "ePVO"
                           << ""
                           << "0";
    QTest::newRow("party empty") << "ePPHPS3"
                                 << ""
                                 << "0";
    QTest::newRow("party zeros") << "ePPHPS7"
                                 << "0070"
                                 << "70";
    QTest::newRow("OBVOD cut to 3") << "eOBVOD"
                                    << "10199"
                                    << "101";
    QTest::newRow("count cut to 4") << "ePPHS"
                                    << "123456"
                                    << "1234";
}

void TestProtocolPages::normalisation() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    WindowFixture f;
    knownDistrict(f.s1());
    f.focus(box);
    // Entering by the program selects the figure: typing (or Delete) replaces it.
    f.key(Qt::Key_Delete);
    f.type(typed);
    f.key(Qt::Key_Tab);
    const QString field = box.mid(1);
    QCOMPARE(f.s1().text(field), stored);
    QCOMPARE(f.box(box)->text(), stored);
    if (box == QStringLiteral("ePOZZV")) {
        QCOMPARE(f.focused(), QStringLiteral("ePVO"));
        QCOMPARE(f.s1().text("KC2"), QString::number(42 + 50 + 0 + 50 + 50));
        QCOMPARE(f.box("eKC2")->text(), QStringLiteral("192"));
        QVERIFY(f.script.messageBoxes.isEmpty()); // no check after POZZV
    }
}

void TestProtocolPages::blankNeighboursNormalised() {
    WindowFixture f;
    knownDistrict(f.s1());
    f.s1().edit();
    f.s1().setText("PPHPS1", "");
    f.s1().setText("KC1", "");
    f.s1().setText("PPHPS2", " ");
    f.s1().post();
    // Any box of TabSheet1 normalises up to PPHPS1 ...
    f.focus("eOBVOD");
    f.key(Qt::Key_Return);
    QCOMPARE(f.s1().text("PPHPS1"), QStringLiteral("0"));
    QCOMPARE(f.s1().text("PPHPS2"), QStringLiteral(""));
    // ... and any party box from PPHPS1 to KC1, which then holds its sum again.
    f.focus("ePPHPS10");
    f.key(Qt::Key_Return);
    QCOMPARE(f.s1().text("PPHPS2"), QStringLiteral("0"));
    QCOMPARE(f.s1().text("KC1"), QString::number(101 + 500011 + 1));
}

void TestProtocolPages::unknownMunicipality() {
    WindowFixture f;
    knownDistrict(f.s1());
    f.focus("eOBEC");
    f.key(Qt::Key_Return);
    QVERIFY(!f.control<QLabel>("DBText4")->text().isEmpty()); // the name of a known municipality
    QCOMPARE(f.focused(), QStringLiteral("eOKRSOK"));
    f.focus("eOBEC");
    f.type("999999");
    f.key(Qt::Key_Return);
    QCOMPARE(f.script.messageBoxes.size(), 1);
    QVERIFY(f.script.messageBoxes[0].startsWith(QStringLiteral("K02")));
    QCOMPARE(f.focused(), QStringLiteral("eOBEC"));
    QVERIFY(f.control<QLabel>("DBText4")->text().isEmpty());
    QCOMPARE(f.s1().text("OBEC"), QStringLiteral("999999"));
    // Back in the box, it is being edited again and its colour is the focus colour.
    QVERIFY(f.s1().inEditState());
    QCOMPARE(static_cast<TDBEdit_VQRA01 *>(f.box("eOBEC"))->background(), colors::moneyGreen);
    QCOMPARE(static_cast<TDBEdit_VQRA01 *>(f.box("eOKRSOK"))->background(), colors::window);
}

void TestProtocolPages::voterChecks_data() {
    QTest::addColumn<QString>("pozzv");
    QTest::addColumn<QString>("pvo");
    QTest::addColumn<QString>("message"); // the start of the one message, or empty for none
    QTest::newRow("more voters than registered") << "100"
                                                 << "101"
                                                 << "K04";
    QTest::newRow("all registered voted") << "100"
                                          << "100"
                                          << "I10";
    QTest::newRow("fewer") << "100"
                           << "99"
                           << "";
}

void TestProtocolPages::voterChecks() {
    QFETCH(QString, pozzv);
    QFETCH(QString, pvo);
    QFETCH(QString, message);
    WindowFixture f;
    knownDistrict(f.s1());
    f.enter("ePOZZV", pozzv);
    QCOMPARE(f.focused(), QStringLiteral("ePVO"));
    f.type(pvo);
    f.key(Qt::Key_Return);
    // The message does not hold the focus: it is where the user moved it.
    QCOMPARE(f.focused(), QStringLiteral("ePOO_POSTA"));
    QCOMPARE(f.script.messageBoxes.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY(f.script.messageBoxes[0].startsWith(message));
}

void TestProtocolPages::partyVotes() {
    WindowFixture f;
    f.enter("ePPHPS2", "7");
    f.type("3");
    f.key(Qt::Key_Return); // ePPHPS3 = 3
    QCOMPARE(f.focused(), QStringLiteral("ePPHPS4"));
    QCOMPARE(f.s1().text("KC3"), QString::number(2 * 7 + 3 * 3));
    QCOMPARE(f.box("eKC3")->text(), QString::number(23));
    QCOMPARE(f.box("asponhlas")->text(), QStringLiteral("2"));
    QCOMPARE(f.box("ePocetHlasov")->text(), QStringLiteral("10"));
    QVERIFY(f.box("ePPHPS3")->font().bold());
    QCOMPARE(f.box("ePPHPS3")->palette().color(QPalette::Text), colors::boldRed);
    QVERIFY(!f.box("ePPHPS4")->font().bold());
    // Emptying a vote: "0", regular and black again, the sum and counters follow.
    f.focus("ePPHPS3");
    f.key(Qt::Key_Backspace);
    QVERIFY(f.box("ePPHPS3")->text().isEmpty());
    f.key(Qt::Key_Up);
    QCOMPARE(f.s1().text("PPHPS3"), QStringLiteral("0"));
    QVERIFY(!f.box("ePPHPS3")->font().bold());
    QCOMPARE(f.box("ePPHPS3")->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(f.box("asponhlas")->text(), QStringLiteral("1"));
    QCOMPARE(f.box("ePocetHlasov")->text(), QStringLiteral("7"));
    QCOMPARE(f.box("eKC3")->text(), QStringLiteral("14"));
}

void TestProtocolPages::sumBoxesPassFocus_data() {
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("next");
    QTest::newRow("eKC1") << "eKC1"
                          << "ePOZZV";
    QTest::newRow("eKC2") << "eKC2"
                          << "NaStranu2";
    QTest::newRow("eKC3") << "eKC3"
                          << "NaStranu3";
}

void TestProtocolPages::sumBoxesPassFocus() {
    QFETCH(QString, sum);
    QFETCH(QString, next);
    WindowFixture f;
    knownDistrict(f.s1());
    auto *box = static_cast<TDBEdit_VQRA01 *>(f.box(sum));
    if (sum == QStringLiteral("eKC3"))
        f.window->pages().setCurrentIndex(1);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(f.focused(), next);
    QCOMPARE(box->background(), colors::skyBlue);
    QVERIFY(box->isReadOnly());
}

void TestProtocolPages::tabAroundNaStranu2() {
    WindowFixture f;
    knownDistrict(f.s1());
    f.focus("ePPHS");
    f.key(Qt::Key_Tab);
    QCOMPARE(f.focused(), QStringLiteral("NaStranu2"));
    f.key(Qt::Key_Tab); // over eKC2, which would send it back
    QCOMPARE(f.focused(), QStringLiteral("Button11"));
    f.focus("eOKRSOK");
    f.key(Qt::Key_Tab); // over eKC1
    QCOMPARE(f.focused(), QStringLiteral("ePOZZV"));
}

void TestProtocolPages::layoutTable() {
    using namespace protocollayout;
    WindowFixture f;
    int boxes = 0;
    for (const Control &row : controls()) {
        if (row.name.isEmpty())
            continue;
        QWidget *w = f.control(row.name);
        QVERIFY2(w, qPrintable(row.name));
        QCOMPARE(w->geometry(), QRect(row.x, row.y, row.width, row.height));
        QCOMPARE(w->parentWidget()->objectName(), row.parent);
        if (row.kind != Kind::Entry && row.kind != Kind::Sum)
            continue;
        ++boxes;
        auto *box = qobject_cast<TDBEdit_VQRA01 *>(w);
        QVERIFY(box);
        QCOMPARE(box->fieldName(), row.field);
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QVERIFY(!box->hasFrame());
        QCOMPARE(box->height(), 19);
        QCOMPARE(box->isReadOnly(), row.kind == Kind::Sum);
        QCOMPARE(box->focusColor(), row.kind == Kind::Sum ? colors::skyBlue : colors::moneyGreen);
        const int width = f.s1().schema().fields[f.s1().fieldIndex(row.field)].width;
        QCOMPARE(box->maxLength(), row.maxLength ? row.maxLength : width);
        if (row.kind == Kind::Sum) {
            QCOMPARE(box->width(), 97);
            QVERIFY(QFontInfo(box->font()).bold());
        }
    }
    QCOMPARE(boxes, 8 + 3);
    // The tab order of TabSheet1 is the order of the paper form; of TabSheet2 the party rows. Tab passes
    // over the sums, which send the focus on when entered.
    const auto next = [](QWidget *w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    QStringList order;
    QWidget *w = f.control("eOBVOD");
    for (int i = 0; i < 10; ++i, w = next(w))
        order.append(w->objectName());
    QCOMPARE(order, (QStringList{"eOBVOD", "eOBEC", "eOKRSOK", "ePOZZV", "ePVO", "ePOO_POSTA", "ePOO", "ePPHS",
                                 "NaStranu2", "Button11"}));
    QCOMPARE(next(f.control("ePPHPS26"))->objectName(), QStringLiteral("NaStranu3"));
    QCOMPARE(next(f.control("eKC3"))->objectName(), QStringLiteral("NaStranu3"));
}

void TestProtocolPages::partyCaptions() {
    using namespace protocollayout;
    WindowFixture f;
    Table &parties = f.data->TVQ_KOAL();
    for (int n = 1; n <= form::partyFields; ++n) {
        auto *box = static_cast<TDBEdit_VQRA01 *>(f.box(QStringLiteral("ePPHPS%1").arg(n)));
        QVERIFY(box);
        const PartyRow place = partyRow(n);
        QCOMPARE(box->geometry(), QRect(place.boxX, place.boxY, 49, 19));
        QCOMPARE(box->fieldName(), QStringLiteral("PPHPS%1").arg(n));
        QCOMPARE(box->maxLength(), 4);
        const auto labels = box->parentWidget()->findChildren<QLabel *>();
        const auto caption = std::find_if(labels.begin(), labels.end(), [&](QLabel *l) {
            return l->x() == place.captionX && l->y() == place.captionY - 3;
        });
        QVERIFY(caption != labels.end());
        if (n <= form::ballotParties) {
            QVERIFY(box->isEnabled());
            QVERIFY(!box->isHidden());
            QVERIFY(parties.locate("KON", QString::number(n)));
            const QString text = (*caption)->text();
            // The whole short name: a long one in a smaller font rather than cut.
            QVERIFY2(text.startsWith(parties.text("SNKO") + u' '), qPrintable(text));
            QVERIFY2(text.endsWith(QStringLiteral(". %1").arg(n)), qPrintable(text));
            QVERIFY(QFontInfo((*caption)->font()).bold());
            QVERIFY((*caption)->font().pointSize() <= 11 && (*caption)->font().pointSize() >= 7);
            QVERIFY((*caption)->fontMetrics().horizontalAdvance(text) <= (*caption)->width());
        } else {
            QVERIFY(!box->isEnabled());
            QVERIFY(box->isHidden());
            QCOMPARE(box->background(), colors::silver);
            QVERIFY((*caption)->isHidden());
        }
    }
    // Rows 13 and 14 stand at the bottom of the left and the top of the right column.
    QCOMPARE(partyRow(13).boxY, 22 + 24 * 12);
    QCOMPARE(partyRow(14).boxX, 688);
    QCOMPARE(partyRow(14).boxY, 22);
}

// Widths of texts as a font gives them: a width for each character, and pairs that kern.
using Widths = std::function<int(const QString &)>;
Q_DECLARE_METATYPE(Widths)

void TestProtocolPages::leaderDots_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::addColumn<Widths>("textWidth");
    const Widths even = [](const QString &t) { return int(t.size()) * 6; };
    // A dot narrower than the caption's letters, and ". " pairs kerned closer than their parts.
    const Widths kerned = [](const QString &t) {
        int w = 0;
        for (qsizetype i = 0; i < t.size(); ++i)
            w += t[i] == u'.' ? 3 : t[i] == u' ' ? 4 : 9;
        return w - 2 * int(t.count(QStringLiteral(". ")));
    };
    // The first dot costs more than the others (the space before it is wider after a letter).
    const Widths wideFirst = [kerned](const QString &t) { return kerned(t) + (t.contains(u'.') ? 5 : 0); };
    QTest::newRow("no room for the caption") << QStringLiteral("Počet voličov") << 20 << even;
    QTest::newRow("room for the caption and its space only") << QStringLiteral("OBEC") << 30 << even;
    QTest::newRow("exactly one dot") << QStringLiteral("OBEC") << 42 << even;
    QTest::newRow("one pixel short of a dot") << QStringLiteral("OBEC") << 41 << even;
    QTest::newRow("many dots") << QStringLiteral("Počet voličov zapísaných v zozname") << 472 << even;
    QTest::newRow("kerned, many dots") << QStringLiteral("Počet odovzdaných obálok") << 472 << kerned;
    QTest::newRow("kerned, the last dot just fits") << QStringLiteral("Ab") << 24 + 5 * 5 << kerned;
    QTest::newRow("wider first dot") << QStringLiteral("Strana") << 300 << wideFirst;
    QTest::newRow("wider first dot, no room for it") << QStringLiteral("Strana") << 60 << wideFirst;
    QTest::newRow("empty caption") << QString() << 50 << kerned;
}

// As many dots as adding them one at a time while the next still fits.
void TestProtocolPages::leaderDots() {
    QFETCH(QString, caption);
    QFETCH(int, width);
    QFETCH(Widths, textWidth);
    QString expected = caption + u' ';
    while (textWidth(expected + QStringLiteral(". ")) <= width)
        expected += QStringLiteral(". ");
    QCOMPARE(withLeader(caption, width, textWidth), expected);
}

void TestProtocolPages::wholeProtocolByKeyboard() {
    WindowFixture f;
    // From the tabs, Tab leads into eOBVOD; the rest by Enter in the order of the form.
    f.key(Qt::Key_Tab);
    for (const char *figure : {"101", "500011", "1", "500", "300", "10", "290", "290"}) {
        f.type(QString::fromLatin1(figure));
        f.key(Qt::Key_Return);
    }
    QCOMPARE(f.focused(), QStringLiteral("NaStranu2"));
    QVERIFY2(f.script.messageBoxes.isEmpty(), qPrintable(f.script.messageBoxes.join(u'|')));
    f.key(Qt::Key_Return); // presses NaStranu2
    QCOMPARE(f.currentPage(), 1);
    QCOMPARE(f.focused(), QStringLiteral("ePPHPS1"));
    f.type("200");
    f.key(Qt::Key_Return);
    f.type("90");
    f.key(Qt::Key_PageDown);
    QCOMPARE(f.focused(), QStringLiteral("ePPHPS21"));
    f.key(Qt::Key_Return);
    QCOMPARE(f.focused(), QStringLiteral("NaStranu3"));
    f.s1().first();
    QCOMPARE(f.s1().text("PPHS"), QStringLiteral("290"));
    QCOMPARE(f.s1().text("PPHPS2"), QStringLiteral("90"));
    QCOMPARE(f.s1().text("KC2"), QString::number(500 + 300 + 10 + 290 + 290));
    QCOMPARE(f.s1().text("KC3"), QString::number(200 + 2 * 90));
}

QTEST_MAIN(TestProtocolPages)
#include "test_protocolpages.moc"
