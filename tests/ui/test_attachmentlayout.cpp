#include "ui/attachmentlayout.h"

#include <QHash>
#include <QRect>
#include <QSet>
#include <QTest>

using namespace attachmentlayout;

namespace {

const Control *find(const std::vector<Control> &rows, const QString &name) {
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
};

void TestAttachmentLayout::namesUniqueAndParentsKnown() {
    const std::vector<Control> rows = allControls();
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

void TestAttachmentLayout::childrenInsideTheirGroup() {
    const std::vector<Control> rows = allControls();
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

void TestAttachmentLayout::tabOrdersUniqueAmongSiblings() {
    QSet<QString> seen;
    for (const Control &row : allControls()) {
        if (row.tabOrder < 0)
            continue;
        const QString key = row.parent + QLatin1Char('/') + QString::number(row.tabOrder);
        QVERIFY2(!seen.contains(key), qPrintable(row.name + QStringLiteral(" ") + key));
        seen.insert(key);
    }
}

void TestAttachmentLayout::grid_data() {
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

void TestAttachmentLayout::grid() {
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

QTEST_APPLESS_MAIN(TestAttachmentLayout)
#include "test_attachmentlayout.moc"
