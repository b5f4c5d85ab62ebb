#include "store/datamodule.h"
#include "store/tablefiles.h"
#include "store/wipe.h"

#include <QTemporaryDir>
#include <QTest>

class TestWipe : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void resetsEveryDistrictFigure();
    void startsTheProtocolRecordWhenThereIsNone();
    void leavesCodeListsAndOtherTablesAlone();

private:
    void fillDistrict(DataModule &data);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestWipe::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    createTableFiles(m_dir->path());
}

void TestWipe::cleanup() {
    m_dir.reset();
}

void TestWipe::fillDistrict(DataModule &data) {
    Table &s1 = data.TS1();
    s1.edit();
    for (int i = 0; i < s1.fieldCount(); ++i)
        s1.setText(i, QString::number(i + 1));
    s1.setText(QStringLiteral("OKOLNOSTI"), QStringLiteral("Poznámka komisie"));
    s1.post();
    Table &p1 = data.TP1();
    for (int party : {3, 7, 12}) {
        p1.append();
        for (int i = 0; i < p1.fieldCount(); ++i)
            p1.setText(i, QString::number(party * 10 + i % 9));
        p1.post();
    }
    data.TTEMPTLAC().edit();
    data.TTEMPTLAC().setText(QStringLiteral("NOBEC"), QStringLiteral("Horná Lúčka"));
    data.TTEMPTLAC().post();
}

void TestWipe::resetsEveryDistrictFigure() {
    {
        DataModule data(m_dir->path());
        fillDistrict(data);
        vymaz_databazu(data);
    }
    // What the wipe left must be on disk: check it through a fresh data module.
    DataModule data(m_dir->path());
    Table &p1 = data.TP1();
    QCOMPARE(p1.recordCount(), 1);
    for (int i = 0; i < p1.fieldCount(); ++i)
        QCOMPARE(p1.text(i), QStringLiteral("0"));
    Table &s1 = data.TS1();
    QCOMPARE(s1.recordCount(), 1);
    for (int i = 0; i < s1.fieldCount(); ++i)
        QCOMPARE(s1.text(i), QStringLiteral("0"));
    QCOMPARE(data.TTEMPTLAC().recordCount(), 1);
    QCOMPARE(data.TTEMPTLAC().text(QStringLiteral("NOBEC")), QString());
    QVERIFY(!p1.inEditState() && !s1.inEditState());
}

void TestWipe::startsTheProtocolRecordWhenThereIsNone() {
    DataModule data(m_dir->path());
    QCOMPARE(data.TS1().recordCount(), 0);
    QCOMPARE(data.TTEMPTLAC().recordCount(), 0);
    vymaz_databazu(data);
    QCOMPARE(data.TS1().recordCount(), 1);
    QCOMPARE(data.TS1().text(QStringLiteral("KTO")), QStringLiteral("0"));
    QCOMPARE(data.TTEMPTLAC().recordCount(), 1);
    QCOMPARE(data.TP1().text(QStringLiteral("KON")), QStringLiteral("0"));
}

void TestWipe::leavesCodeListsAndOtherTablesAlone() {
    DataModule data(m_dir->path());
    fillDistrict(data);
    Table &koal = data.TVQ_KOAL();
    koal.append();
    koal.setText(QStringLiteral("KON"), QStringLiteral("5"));
    koal.post();
    Table &prot = data.TProtokol1();
    prot.append();
    prot.setText(QStringLiteral("KOD_CHYBY"), QStringLiteral("K04"));
    prot.post();
    vymaz_databazu(data);
    QCOMPARE(koal.recordCount(), 1);
    QCOMPARE(koal.text(QStringLiteral("KON")), QStringLiteral("5"));
    QCOMPARE(prot.recordCount(), 1);
    QCOMPARE(data.TS1().recordCount(), 1); // the record stays, it is not removed
}

QTEST_GUILESS_MAIN(TestWipe)
#include "test_wipe.moc"
