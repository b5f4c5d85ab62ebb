#include "ui/attachmentkeys.h"

#include <QTest>

using namespace attachmentkeys;

Q_DECLARE_METATYPE(attachmentkeys::Key)

namespace {

// The pages as Dis_pK leaves them for a party of that count: boxes 1..count enabled, dalsia_strana only
// for more than 50 candidates, every other control able to take the focus.
CanFocus pagesWith(int count) {
    return [count](const QString &control) {
        if (control == QStringLiteral("dalsia_strana"))
            return count > 50;
        const int n = candidateNumber(control);
        return !control.startsWith(QStringLiteral("pK")) || (n >= 1 && n <= count);
    };
}

} // namespace

class TestAttachmentKeys : public QObject {
    Q_OBJECT
private slots:
    void moves_data();
    void moves();
    void keyCodes_data();
    void keyCodes();
    void candidateNumbers_data();
    void candidateNumbers();
    void f10_data();
    void f10();
    void sumBoxes_data();
    void sumBoxes();
};

void TestAttachmentKeys::moves_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<Key>("key");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("groupShown");
    QTest::addColumn<QString>("target");

    const bool shown = true;
    // The identification row.
    QTest::newRow("pOBVOD Enter") << "pOBVOD" << Key::Enter << 12 << shown << "pOBEC";
    QTest::newRow("pOBVOD Down") << "pOBVOD" << Key::Down << 12 << shown << "pOBEC";
    QTest::newRow("pOBVOD Up") << "pOBVOD" << Key::Up << 12 << shown << "";
    QTest::newRow("pOBVOD PageDown") << "pOBVOD" << Key::PageDown << 12 << shown << "pK1";
    QTest::newRow("pOBVOD PageUp") << "pOBVOD" << Key::PageUp << 12 << shown << "";
    QTest::newRow("pOBEC Enter") << "pOBEC" << Key::Enter << 12 << shown << "pOKRSOK";
    QTest::newRow("pOBEC Up") << "pOBEC" << Key::Up << 12 << shown << "pOBVOD";
    QTest::newRow("pOBEC PageDown") << "pOBEC" << Key::PageDown << 12 << shown << "pK1";
    QTest::newRow("pOBEC PageUp") << "pOBEC" << Key::PageUp << 12 << shown << "pOBVOD";
    QTest::newRow("pOKRSOK Down") << "pOKRSOK" << Key::Down << 12 << shown << "pVPH";
    QTest::newRow("pOKRSOK Up") << "pOKRSOK" << Key::Up << 12 << shown << "pOBEC";
    QTest::newRow("pOKRSOK PageDown") << "pOKRSOK" << Key::PageDown << 12 << shown << "pK1";
    QTest::newRow("pOKRSOK PageUp") << "pOKRSOK" << Key::PageUp << 12 << shown << "pOBVOD";
    QTest::newRow("pVPH Enter") << "pVPH" << Key::Enter << 12 << shown << "pK1";
    QTest::newRow("pVPH Down") << "pVPH" << Key::Down << 12 << shown << "pK1";
    QTest::newRow("pVPH Up") << "pVPH" << Key::Up << 12 << shown << "pOKRSOK";
    QTest::newRow("pVPH PageDown") << "pVPH" << Key::PageDown << 12 << shown << "pK1";
    QTest::newRow("pVPH PageUp") << "pVPH" << Key::PageUp << 12 << shown << "";
    QTest::newRow("pVPH Enter, no votes") << "pVPH" << Key::Enter << 12 << false << "";
    QTest::newRow("pVPH PageDown, no votes") << "pVPH" << Key::PageDown << 12 << false << "";
    QTest::newRow("pVPH Enter, count 0") << "pVPH" << Key::Enter << 0 << shown << "";
    QTest::newRow("pOBEC PageDown, count 0") << "pOBEC" << Key::PageDown << 0 << shown << "";
    QTest::newRow("pOBVOD other key") << "pOBVOD" << Key::Other << 12 << shown << "";

    // Page 1, count 12: the end of the grid leads to DoPredu.
    QTest::newRow("12: pK12 Enter") << "pK12" << Key::Enter << 12 << shown << "DoPredu";
    QTest::newRow("12: pK12 Down") << "pK12" << Key::Down << 12 << shown << "DoPredu";
    QTest::newRow("12: pK11 Enter") << "pK11" << Key::Enter << 12 << shown << "pK12";
    QTest::newRow("12: pK3 PageDown") << "pK3" << Key::PageDown << 12 << shown << "pK12";
    QTest::newRow("12: pK12 PageDown") << "pK12" << Key::PageDown << 12 << shown << "pK12";
    QTest::newRow("12: pK1 PageUp") << "pK1" << Key::PageUp << 12 << shown << "pVPH";
    QTest::newRow("12: pK7 PageUp") << "pK7" << Key::PageUp << 12 << shown << "pK1";
    QTest::newRow("12: pK7 Up") << "pK7" << Key::Up << 12 << shown << "pK6";
    QTest::newRow("12: pK1 Up") << "pK1" << Key::Up << 12 << shown << "";
    QTest::newRow("12: pK1 other") << "pK1" << Key::Other << 12 << shown << "";

    // Page 1, count 50: still no second page.
    QTest::newRow("50: pK50 Enter") << "pK50" << Key::Enter << 50 << shown << "DoPredu";
    QTest::newRow("50: pK49 Down") << "pK49" << Key::Down << 50 << shown << "pK50";
    QTest::newRow("50: pK10 Down runs on to the next column") << "pK10" << Key::Down << 50 << shown << "pK11";
    QTest::newRow("50: pK37 PageUp") << "pK37" << Key::PageUp << 50 << shown << "pK1";
    QTest::newRow("50: pK1 PageDown") << "pK1" << Key::PageDown << 50 << shown << "pK50";

    // Count 51: the count on page 1 is capped at 50, so pK50 is its end, and dalsia_strana follows.
    QTest::newRow("51: pK50 Enter") << "pK50" << Key::Enter << 51 << shown << "dalsia_strana";
    QTest::newRow("51: pK20 PageDown") << "pK20" << Key::PageDown << 51 << shown << "pK50";
    QTest::newRow("51: pK51 Enter") << "pK51" << Key::Enter << 51 << shown << "Button15";
    QTest::newRow("51: pK51 PageDown") << "pK51" << Key::PageDown << 51 << shown << "Button15";
    QTest::newRow("51: pK51 PageUp") << "pK51" << Key::PageUp << 51 << shown << "Button8";
    QTest::newRow("51: pK51 Up") << "pK51" << Key::Up << 51 << shown << "";

    // Count 75.
    QTest::newRow("75: pK50 Enter") << "pK50" << Key::Enter << 75 << shown << "dalsia_strana";
    QTest::newRow("75: pK1 PageDown") << "pK1" << Key::PageDown << 75 << shown << "pK50";
    QTest::newRow("75: pK60 PageDown") << "pK60" << Key::PageDown << 75 << shown << "pK75";
    QTest::newRow("75: pK75 PageDown") << "pK75" << Key::PageDown << 75 << shown << "Button15";
    QTest::newRow("75: pK75 Enter") << "pK75" << Key::Enter << 75 << shown << "Button15";
    QTest::newRow("75: pK74 Down") << "pK74" << Key::Down << 75 << shown << "pK75";
    QTest::newRow("75: pK88 PageUp") << "pK88" << Key::PageUp << 75 << shown << "pK51";
    QTest::newRow("75: pK52 Up") << "pK52" << Key::Up << 75 << shown << "pK51";
    QTest::newRow("75: pK51 PageUp") << "pK51" << Key::PageUp << 75 << shown << "Button8";
    QTest::newRow("75: pK76 Enter beyond the count") << "pK76" << Key::Enter << 75 << shown << "";

    // Count 150: the last box of all.
    QTest::newRow("150: pK150 Enter") << "pK150" << Key::Enter << 150 << shown << "Button15";
    QTest::newRow("150: pK100 Down into the lower block") << "pK100" << Key::Down << 150 << shown << "pK101";
    QTest::newRow("150: pK51 PageDown") << "pK51" << Key::PageDown << 150 << shown << "pK150";
    QTest::newRow("150: pK101 Up into the upper block") << "pK101" << Key::Up << 150 << shown << "pK100";
    QTest::newRow("150: pK150 PageUp") << "pK150" << Key::PageUp << 150 << shown << "pK51";
    QTest::newRow("150: pK50 PageDown") << "pK50" << Key::PageDown << 150 << shown << "pK50";
    QTest::newRow("above 150: pK150 Enter") << "pK150" << Key::Enter << 180 << shown << "Button15";

    // The buttons of the navigation.
    QTest::newRow("dalsia_strana PageUp") << "dalsia_strana" << Key::PageUp << 75 << shown << "pVPH";
    QTest::newRow("dalsia_strana PageDown") << "dalsia_strana" << Key::PageDown << 75 << shown << "";
    QTest::newRow("Button15 PageUp") << "Button15" << Key::PageUp << 75 << shown << "pK51";
    QTest::newRow("Button15 PageUp, 50 candidates") << "Button15" << Key::PageUp << 50 << shown << "";
    QTest::newRow("Button15 PageDown") << "Button15" << Key::PageDown << 75 << shown << "";
    QTest::newRow("Button8 PageDown") << "Button8" << Key::PageDown << 75 << shown << "pK51";
    QTest::newRow("Button8 PageDown, 12 candidates") << "Button8" << Key::PageDown << 12 << shown << "";
    QTest::newRow("Button8 PageUp") << "Button8" << Key::PageUp << 75 << shown << "";
}

void TestAttachmentKeys::moves() {
    QFETCH(QString, control);
    QFETCH(Key, key);
    QFETCH(int, count);
    QFETCH(bool, groupShown);
    QFETCH(QString, target);

    QCOMPARE(keyTarget(control, key, count, groupShown, pagesWith(count)), target);
}

void TestAttachmentKeys::keyCodes_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Key>("key");
    QTest::newRow("Return") << int(Qt::Key_Return) << Key::Enter;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Key::Enter;
    QTest::newRow("Down") << int(Qt::Key_Down) << Key::Down;
    QTest::newRow("Up") << int(Qt::Key_Up) << Key::Up;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << Key::PageDown;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << Key::PageUp;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << Key::Other;
    QTest::newRow("F10") << int(Qt::Key_F10) << Key::QuickEntry;
}

void TestAttachmentKeys::keyCodes() {
    QFETCH(int, qtKey);
    QFETCH(Key, key);
    QCOMPARE(keyOf(qtKey), key);
}

void TestAttachmentKeys::candidateNumbers_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("number");
    QTest::newRow("pK1") << "pK1" << 1;
    QTest::newRow("pK50") << "pK50" << 50;
    QTest::newRow("pK150") << "pK150" << 150;
    QTest::newRow("pK151") << "pK151" << 0;
    QTest::newRow("pK0") << "pK0" << 0;
    QTest::newRow("pK07") << "pK07" << 0;
    QTest::newRow("pKON") << "pKON" << 0;
    QTest::newRow("pknumber") << "pknumber" << 0;
    QTest::newRow("pVPH") << "pVPH" << 0;
}

void TestAttachmentKeys::candidateNumbers() {
    QFETCH(QString, control);
    QFETCH(int, number);
    QCOMPARE(candidateNumber(control), number);
}

void TestAttachmentKeys::f10_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("target");
    QTest::newRow("pK1") << "pK1" << 75 << "RVUPor";
    QTest::newRow("pK50") << "pK50" << 75 << "RVUPor";
    QTest::newRow("pK51") << "pK51" << 75 << "RVUPor2";
    QTest::newRow("pK150") << "pK150" << 150 << "RVUPor2";
    QTest::newRow("RVUPor") << "RVUPor" << 75 << "pK1";
    QTest::newRow("RVUPoc") << "RVUPoc" << 75 << "pK1";
    QTest::newRow("RVUPor2") << "RVUPor2" << 75 << "pK51";
    QTest::newRow("RVUPoc2") << "RVUPoc2" << 75 << "pK51";
    QTest::newRow("RVUPoc2, 50 candidates") << "RVUPoc2" << 50 << "";
    QTest::newRow("RVUPor, no candidate") << "RVUPor" << 0 << "";
    QTest::newRow("pVPH") << "pVPH" << 75 << "";
}

void TestAttachmentKeys::f10() {
    QFETCH(QString, control);
    QFETCH(int, count);
    QFETCH(QString, target);
    QCOMPARE(f10Target(control, pagesWith(count)), target);
}

void TestAttachmentKeys::sumBoxes_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("target");
    QTest::newRow("ePKC1") << "ePKC1" << 12 << "pK1";
    QTest::newRow("ePKC2") << "ePKC2" << 12 << "pK1";
    QTest::newRow("ePKC3") << "ePKC3" << 12 << "pK1";
    QTest::newRow("ePKC1, count 0") << "ePKC1" << 0 << "";
    QTest::newRow("ePKC4") << "ePKC4" << 75 << "Button15";
    QTest::newRow("ePKC5") << "ePKC5" << 12 << "Button15";
    QTest::newRow("eKC1 is not ours") << "eKC1" << 12 << "";
}

void TestAttachmentKeys::sumBoxes() {
    QFETCH(QString, control);
    QFETCH(int, count);
    QFETCH(QString, target);
    QCOMPARE(sumBoxTarget(control, pagesWith(count)), target);
}

QTEST_APPLESS_MAIN(TestAttachmentKeys)
#include "test_attachmentkeys.moc"
