// The exchange controls of the window: places and states on "Tlač / Export" and "CISELNIKY", the check
// box that follows the complete check, the buttons running their operations, the code-list grids.

#include "windowfixture.h"

#include "exchange/exchangefixture.h"

#include "store/codec.h"
#include "store/table.h"
#include "ui/codelistgrid.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

class TestExchangeControls : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void bezchybnostFollowsTheCompleteCheck();
    void exportOfADistrictWithErrorsIsRefused();
    void exportThenImportThroughTheButtons();
    void lastExportOnThePage();
    void aboutNamesVersionAndFolders();
    void gridsShowTheCodeLists();
    void codeListImportRefreshesTheShownGrid();
    void unreadableCodeListReachesTheErrorBox();
};

void TestExchangeControls::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("caption"); // button or group caption; empty for other controls
    QTest::addColumn<bool>("shown");      // visible when its page is current
    QTest::addColumn<bool>("enabled");
    QTest::newRow("export group") << "GB_Export" << 5 << "EXPORT" << true << true;
    QTest::newRow("export button") << "Button16" << 5 << "EXPORT" << true << true;
    QTest::newRow("error-free flag") << "Bezchybnost" << 5 << "Bezchybnost zápisnice" << false << false;
    QTest::newRow("last export") << "GB_PoslednyExport" << 5 << "Posledný export" << true << true;
    QTest::newRow("about") << "ButtonOPrograme" << 5 << "O programe" << true << true;
    QTest::newRow("import group, hidden") << "GB_Import" << 5 << "IMPORT" << false << true;
    QTest::newRow("import button") << "Button13" << 5 << "IMPORT" << false << true;
    QTest::newRow("staging memo") << "importdebug" << 5 << "" << false << true;
    QTest::newRow("municipalities import") << "Button4" << 6 << "Import OBCE06" << true << true;
    QTest::newRow("parties import") << "Button5" << 6 << "Import KOAL06" << true << true;
    QTest::newRow("code-list memo") << "impmemo" << 6 << "" << true << true;
    QTest::newRow("municipalities grid") << "DSVQ_OBCE" << 6 << "" << true << true;
    QTest::newRow("parties grid") << "DSVQ_KOAL" << 6 << "" << true << true;
}

void TestExchangeControls::controls() {
    QFETCH(QString, name);
    QFETCH(int, page);
    QFETCH(QString, caption);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);
    WindowFixture f;
    f.window->pages().setCurrentIndex(page);
    QWidget *control = f.control(name);
    QVERIFY(control);
    QVERIFY(f.window->page(page)->isAncestorOf(control));
    QCOMPARE(control->isVisible(), shown);
    QCOMPARE(control->isEnabled(), enabled);
    if (auto *b = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(b->text(), caption);
    if (auto *g = qobject_cast<QGroupBox *>(control))
        QCOMPARE(g->title(), caption);
    if (auto *m = qobject_cast<QPlainTextEdit *>(control)) {
        QVERIFY(m->isReadOnly());
        QCOMPARE(m->lineWrapMode(), QPlainTextEdit::NoWrap);
    }
    if (auto *grid = qobject_cast<QAbstractItemView *>(control))
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestExchangeControls::bezchybnostFollowsTheCompleteCheck() {
    WindowFixture f;
    auto *flag = f.control<QCheckBox>(QStringLiteral("Bezchybnost"));
    f.window->district().setBezchybnost(true);
    QVERIFY(flag->isChecked());
    f.window->district().setBezchybnost(false);
    QVERIFY(!flag->isChecked());
}

void TestExchangeControls::exportOfADistrictWithErrorsIsRefused() {
    // The wiped district: OBEC 0 is no municipality, so the complete check finds errors.
    WindowFixture f;
    f.window->pages().setCurrentIndex(5);
    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("Button16")), Qt::LeftButton);
    QCOMPARE(f.script.messageBoxes.last(), QStringLiteral("Zápinica obsahuje chyby, EXPORT je zrušený."));
    QVERIFY(!f.control<QCheckBox>(QStringLiteral("Bezchybnost"))->isChecked());
    QVERIFY(f.script.fileDialogTitles.isEmpty());
}

void TestExchangeControls::exportThenImportThroughTheButtons() {
    QTemporaryDir folder;
    const QString archive = folder.filePath(QStringLiteral("VQ500011.1"));
    WindowFixture source;
    fixture::makeCleanDistrict(source.window->district());
    source.window->pages().setCurrentIndex(5);
    source.script.fileAnswers.push_back(archive);
    QTest::mouseClick(source.control<QPushButton>(QStringLiteral("Button16")), Qt::LeftButton);
    QCOMPARE(source.script.dialogs.back().text, QStringLiteral("Export bol dokončený, : ") + archive);
    QVERIFY(source.control<QCheckBox>(QStringLiteral("Bezchybnost"))->isChecked());

    // The import button is hidden: the click is the program's own.
    WindowFixture target;
    target.script.fileAnswers.push_back(archive);
    target.control<QPushButton>(QStringLiteral("Button13"))->click();
    QCOMPARE(target.script.dialogs.back().text, QStringLiteral("Import je dokončený"));
    QVERIFY(target.script.errorsShown.isEmpty());
    QCOMPARE(fixture::records(target.data->TS1()), fixture::records(source.data->TS1()));
    QCOMPARE(target.data->TP1().recordCount(), 3);
    QVERIFY(target.control<QCheckBox>(QStringLiteral("Bezchybnost"))->isChecked());
}

void TestExchangeControls::lastExportOnThePage() {
    QTemporaryDir folder;
    WindowFixture f;
    fixture::makeCleanDistrict(f.window->district());
    f.window->pages().setCurrentIndex(5);
    auto *archive = f.control<QLabel>(QStringLiteral("lastExport"));
    auto *digest = f.control<QLabel>(QStringLiteral("lastExportDigest"));
    QCOMPARE(archive->text(), QStringLiteral("Zatiaľ nebol urobený žiadny export."));
    QCOMPARE(digest->text(), QString());

    f.script.fileAnswers.push_back(folder.filePath(QStringLiteral("VQ500011.1")));
    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("Button16")), Qt::LeftButton);

    const QStringList shown = archive->text().split(u'\n');
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0], QStringLiteral("VQ500011.1"));
    QVERIFY2(QDateTime::fromString(shown[1], QStringLiteral("d.M.yyyy H:mm:ss")).isValid(), qPrintable(shown[1]));
    // Sixteen groups of four, four a line, of the archive's SHA-256.
    const QByteArray sha = QCryptographicHash::hash(fixture::fileBytes(folder.filePath(QStringLiteral("VQ500011.1"))),
                                                    QCryptographicHash::Sha256)
                               .toHex();
    const QStringList lines = digest->text().split(u'\n');
    QCOMPARE(lines.size(), 4);
    for (const QString &line : lines)
        QVERIFY2(QRegularExpression(QStringLiteral("^([0-9a-f]{4} ){3}[0-9a-f]{4}$")).match(line).hasMatch(),
                 qPrintable(line));
    QCOMPARE(digest->text().remove(u' ').remove(u'\n'), QString::fromLatin1(sha));
}

void TestExchangeControls::aboutNamesVersionAndFolders() {
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    WindowFixture f;
    f.window->pages().setCurrentIndex(5);
    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("ButtonOPrograme")), Qt::LeftButton);
    QCOMPARE(int(f.script.dialogs.size()), 1);
    QCOMPARE(f.script.dialogs[0].kind, int(Services::Information));
    QCOMPARE(f.script.dialogs[0].text, QStringLiteral("Voľby do VQRA 2006\nVerzia 1.2.3\n\nÚdaje: ") +
                                           f.copy.dataFolder() + QStringLiteral("\nZostavy: ") +
                                           QDir::current().filePath(QStringLiteral("reporty")));
}

void TestExchangeControls::gridsShowTheCodeLists() {
    WindowFixture f;
    Table &obce = f.data->TVQ_OBCE();
    QVERIFY(obce.locate(QStringLiteral("OBEC"), QStringLiteral("500043")));
    const int current = obce.recordNumber();
    f.window->pages().setCurrentIndex(6);

    QAbstractItemModel *rows = f.control<QTableView>(QStringLiteral("DSVQ_OBCE"))->model();
    QCOMPARE(rows->rowCount(), obce.recordCount());
    QCOMPARE(rows->headerData(3, Qt::Horizontal).toString(), QStringLiteral("NOBEC"));
    QCOMPARE(rows->data(rows->index(2, 2)).toString(), QStringLiteral("500043"));
    QCOMPARE(obce.recordNumber(), current); // reading the rows leaves the checks' record in place
    QAbstractItemModel *parties = f.control<QTableView>(QStringLiteral("DSVQ_KOAL"))->model();
    QCOMPARE(parties->columnCount(), 9);
    QCOMPARE(parties->rowCount(), f.data->TVQ_KOAL().recordCount());
}

void TestExchangeControls::codeListImportRefreshesTheShownGrid() {
    WindowFixture f;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("OBCE06.TXT"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(cp1250::encode(QStringLiteral("1|101|500011|Prvá|1|1|30|1|\r\n1|101|500023|Druhá|1|0|1|2|\r\n")));
    file.close();
    f.window->pages().setCurrentIndex(6);
    f.script.fileAnswers.push_back(path);

    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("Button4")), Qt::LeftButton);

    QCOMPARE(f.script.fileDialogTitles, QStringList{QStringLiteral("Import číselníka OBCE06")});
    QAbstractItemModel *rows = f.control<QTableView>(QStringLiteral("DSVQ_OBCE"))->model();
    QTRY_COMPARE(rows->rowCount(), 2);
    QCOMPARE(rows->data(rows->index(1, 3)).toString(), QStringLiteral("Druhá"));
}

void TestExchangeControls::unreadableCodeListReachesTheErrorBox() {
    WindowFixture f;
    QTemporaryDir folder;
    const int count = f.data->TVQ_KOAL().recordCount();
    f.script.fileAnswers.push_back(folder.path());
    f.window->pages().setCurrentIndex(6);

    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("Button5")), Qt::LeftButton);

    QCOMPARE(f.script.errorsShown.size(), 1);
    QVERIFY(f.script.errorsShown.first().contains(folder.path()));
    QCOMPARE(f.script.busy.last(), QStringLiteral("off"));
    QCOMPARE(f.data->TVQ_KOAL().recordCount(), count);
}

QTEST_MAIN(TestExchangeControls)
#include "test_exchangecontrols.moc"
