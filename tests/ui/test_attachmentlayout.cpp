#include "ui/attachmentlayout.h"

#include <QHash>
#include <QRect>
#include <QSet>
#include <QTest>

using namespace attachmentlayout;

namespace {

std::vector<Control> allRows()
{
    std::vector<Control> rows = controls();
    const std::vector<Control> grid = candidateGrid();
    rows.insert(rows.end(), grid.begin(), grid.end());
    return rows;
}

const Control *find(const std::vector<Control> &rows, const QString &name)
{
    for (const Control &row : rows)
        if (row.name == name)
            return &row;
    return nullptr;
}

} // namespace

class TestAttachmentLayout : public QObject {
    Q_OBJECT
private slots:
    void namesUniqueAndParentsKnown();
    void childrenInsideTheirGroup();
    void tabOrdersUniqueAmongSiblings();
    void grid_data();
    void grid();
    void controls_data();
    void controls();
};

void TestAttachmentLayout::namesUniqueAndParentsKnown()
{
    const std::vector<Control> rows = allRows();
    QSet<QString> names{QStringLiteral("TabSheet4"), QStringLiteral("TabSheet5")};
    for (const Control &row : rows) {
        // A parent is created before its children.
        QVERIFY2(names.contains(row.parent), qPrintable(row.name + QStringLiteral(" in ") + row.parent));
        if (row.name.isEmpty())
            continue;
        QVERIFY2(!names.contains(row.name), qPrintable(row.name));
        names.insert(row.name);
    }
    for (int n = 1; n <= 150; ++n)
        QVERIFY(names.contains(QStringLiteral("pK") + QString::number(n)));
}

void TestAttachmentLayout::childrenInsideTheirGroup()
{
    const std::vector<Control> rows = allRows();
    QHash<QString, QSize> sizes{{QStringLiteral("TabSheet4"), QSize(781, 502)},
                                {QStringLiteral("TabSheet5"), QSize(781, 502)}};
    for (const Control &row : rows) {
        const QSize parent = sizes.value(row.parent);
        QVERIFY2(QRect(QPoint(0, 0), parent).contains(QRect(row.x, row.y, row.width, row.height)),
                 qPrintable(row.name + row.text));
        if (row.kind == Kind::Group)
            sizes.insert(row.name, QSize(row.width, row.height));
    }
}

void TestAttachmentLayout::tabOrdersUniqueAmongSiblings()
{
    QSet<QString> seen;
    for (const Control &row : allRows()) {
        if (row.tabOrder < 0)
            continue;
        const QString key = row.parent + QLatin1Char('/') + QString::number(row.tabOrder);
        QVERIFY2(!seen.contains(key), qPrintable(row.name + QStringLiteral(" ") + key));
        seen.insert(key);
    }
}

void TestAttachmentLayout::grid_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("tabOrder");
    QTest::newRow("1") << 1 << "GroupBox3" << 64 << 62 << 0;
    QTest::newRow("11 follows 1 by Tab") << 11 << "GroupBox3" << 176 << 62 << 1;
    QTest::newRow("41") << 41 << "GroupBox3" << 504 << 62 << 4;
    QTest::newRow("2 after the first row") << 2 << "GroupBox3" << 64 << 82 << 5;
    QTest::newRow("10") << 10 << "GroupBox3" << 64 << 242 << 45;
    QTest::newRow("50") << 50 << "GroupBox3" << 504 << 242 << 49;
    QTest::newRow("51") << 51 << "GroupBox4" << 64 << 62 << 0;
    QTest::newRow("61") << 61 << "GroupBox4" << 176 << 62 << 1;
    QTest::newRow("100") << 100 << "GroupBox4" << 504 << 242 << 49;
    QTest::newRow("101 opens the lower block") << 101 << "GroupBox4" << 64 << 286 << 50;
    QTest::newRow("111") << 111 << "GroupBox4" << 176 << 286 << 51;
    QTest::newRow("150") << 150 << "GroupBox4" << 504 << 466 << 99;
}

void TestAttachmentLayout::grid()
{
    QFETCH(int, n);
    QFETCH(QString, parent);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, tabOrder);
    const std::vector<Control> rows = candidateGrid();
    const Control *box = find(rows, QStringLiteral("pK") + QString::number(n));
    QVERIFY(box);
    QCOMPARE(box->parent, parent);
    QCOMPARE(QPoint(box->x, box->y), QPoint(x, y));
    QCOMPARE(box->tabOrder, tabOrder);
    QCOMPARE(box->field, QStringLiteral("K") + QString::number(n));
    QCOMPARE(box->maxLength, 7);
    QCOMPARE(QSize(box->width, box->height), QSize(49, 19));
}

void TestAttachmentLayout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<int>("tabOrder");

    QTest::newRow("pOBVOD") << "pOBVOD"
                            << "GroupBox2"
                            << ""
                            << "OBVOD" << QRect(88, 22, 49, 19) << 0;
    QTest::newRow("pVPH") << "pVPH"
                          << "GroupBox2"
                          << ""
                          << "VPH" << QRect(512, 70, 49, 19) << 3;
    QTest::newRow("ePKC1") << "ePKC1"
                           << "GroupBox2"
                           << ""
                           << "KC1" << QRect(624, 22, 97, 19) << 4;
    QTest::newRow("DBText2") << "DBText2"
                             << "GroupBox2"
                             << ""
                             << "KON" << QRect(512, 16, 41, 25) << -1;
    QTest::newRow("ePKC3") << "ePKC3"
                           << "GroupBox3"
                           << ""
                           << "KC3" << QRect(456, 270, 97, 19) << 51;
    QTest::newRow("EPocKand") << "EPocKand"
                              << "GroupBox3"
                              << "1"
                              << "" << QRect(112, 334, 33, 19) << 53;
    QTest::newRow("dalsia_strana") << "dalsia_strana"
                                   << "GroupBox3"
                                   << "Ďalší kandidáti (51-150)"
                                   << "" << QRect(568, 328, 185, 36) << 50;
    QTest::newRow("Button2") << "Button2"
                             << "GroupBox3"
                             << "Vynulovať prílohu za celú politickú stranu"
                             << "" << QRect(176, 320, 129, 41) << 55;
    QTest::newRow("GroupBox8") << "GroupBox8"
                               << "GroupBox3"
                               << "Prechod na inú politickú stranu"
                               << "" << QRect(568, 16, 185, 217) << 54;
    QTest::newRow("DoPredu") << "DoPredu"
                             << "GroupBox8"
                             << "dopredu >"
                             << "" << QRect(112, 16, 65, 33) << 0;
    QTest::newRow("DoZadu") << "DoZadu"
                            << "GroupBox8"
                            << "< dozadu"
                            << "" << QRect(8, 16, 65, 33) << 1;
    QTest::newRow("Combo_RychlaVolba") << "Combo_RychlaVolba"
                                       << "GroupBox8"
                                       << "Prechod na inú politickú stranu"
                                       << "" << QRect(8, 56, 169, 21) << 2;
    QTest::newRow("NazovKoal") << "NazovKoal"
                               << "GroupBox8"
                               << ""
                               << "" << QRect(8, 176, 169, 33) << -1;
    QTest::newRow("GroupBox10") << "GroupBox10"
                                << "GroupBox3"
                                << "Rýchle vkladanie údajov"
                                << "" << QRect(568, 248, 185, 73) << 52;
    QTest::newRow("RVUPor") << "RVUPor"
                            << "GroupBox10"
                            << ""
                            << "" << QRect(24, 16, 41, 19) << 0;
    QTest::newRow("RVUPoc") << "RVUPoc"
                            << "GroupBox10"
                            << ""
                            << "" << QRect(120, 16, 41, 19) << 1;
    QTest::newRow("GroupBox4") << "GroupBox4"
                               << "TabSheet5"
                               << "Počte platných prednostných hlasov odovzdaných pre jednotlivých kandidátov"
                               << "" << QRect(8, 0, 769, 497) << 0;
    QTest::newRow("ePKC4") << "ePKC4"
                           << "GroupBox4"
                           << ""
                           << "KC4" << QRect(616, 258, 97, 19) << 102;
    QTest::newRow("ePKC5") << "ePKC5"
                           << "GroupBox4"
                           << ""
                           << "KC5" << QRect(616, 346, 97, 19) << 103;
    QTest::newRow("Button12") << "Button12"
                              << "GroupBox4"
                              << "Kandidáti (1-50)"
                              << "" << QRect(568, 456, 186, 36) << 100;
    QTest::newRow("GroupBox9") << "GroupBox9"
                               << "GroupBox4"
                               << "Prechod na inú politickú stranu"
                               << "" << QRect(568, 16, 185, 233) << 101;
    QTest::newRow("Button15") << "Button15"
                              << "GroupBox9"
                              << "dopredu >"
                              << "" << QRect(112, 16, 65, 33) << 0;
    QTest::newRow("Button8") << "Button8"
                             << "GroupBox9"
                             << "< dozadu"
                             << "" << QRect(8, 16, 65, 33) << 1;
    QTest::newRow("Label13_2") << "Label13_2"
                               << "GroupBox9"
                               << "-"
                               << "" << QRect(104, 88, 56, 24) << -1;
    QTest::newRow("GroupBox11") << "GroupBox11"
                                << "GroupBox4"
                                << "Rýchle vkladanie údajov"
                                << "" << QRect(568, 376, 185, 73) << 104;
    QTest::newRow("RVUPoc2") << "RVUPoc2"
                             << "GroupBox11"
                             << ""
                             << "" << QRect(120, 16, 41, 19) << 1;
}

void TestAttachmentLayout::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QRect, place);
    QFETCH(int, tabOrder);
    const Control *row = find(attachmentlayout::controls(), name);
    QVERIFY(row);
    QCOMPARE(row->parent, parent);
    QCOMPARE(row->text, text);
    QCOMPARE(row->field, field);
    QCOMPARE(QRect(row->x, row->y, row->width, row->height), place);
    QCOMPARE(row->tabOrder, tabOrder);
}

QTEST_APPLESS_MAIN(TestAttachmentLayout)
#include "test_attachmentlayout.moc"
