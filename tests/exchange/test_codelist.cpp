// The code-list imports: the dialog of each list, the lines cut into the table's fields, an empty file,
// and a file that cannot be read keeping the old table.
#include "ui/exchangeactions.h"

#include "exchange/codelist.h"
#include "exchangefixture.h"
#include "store/codec.h"
#include "store/errors.h"
#include "support/districtsetup.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Scripted services that also note the folder the open dialog is given (with the proposed name in it).
class FolderServices : public JournalServices {
public:
    QStringList folders;
    std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) override {
        folders.append(folder);
        return JournalServices::openFileName(title, folder, filter);
    }
};

} // namespace

class TestCodeList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void import_record_data();
    void import_record();
    void obce06Lines_data();
    void obce06Lines();
    void koal06TakesNineFields();
    void installationListRoundTrips();
    void cancelledDialogChangesNothing();
    void unreadableFileKeepsTheOldTable();

private:
    // Imports the file content into OBCE06 through the button's operation.
    void importObce(const QByteArray &content);

    std::unique_ptr<DistrictSetup> m_setup;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FolderServices> m_services;
    std::unique_ptr<District> m_district;
};

void TestCodeList::init() {
    m_setup = std::make_unique<DistrictSetup>();
    QVERIFY(m_setup->isValid());
    m_folder = std::make_unique<QTemporaryDir>();
    m_services = std::make_unique<FolderServices>();
    m_district = std::make_unique<District>(m_setup->data(), *m_services);
}

void TestCodeList::cleanup() {
    m_district.reset();
    m_setup.reset();
    m_folder.reset();
}

void TestCodeList::importObce(const QByteArray &content) {
    const QString path = QDir(m_folder->path()).filePath(QStringLiteral("OBCE06.TXT"));
    QVERIFY(fixture::writeBytes(path, content));
    m_services->fileAnswers.push_back(path);
    importCodeList(*m_district, *m_services, CodeList::Municipalities);
}

void TestCodeList::import_record_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("every value closed") << "a|b|c|" << QStringList{"a", "b", "c"};
    QTest::newRow("text after the last bar dropped") << "a|b|c" << QStringList{"a", "b"};
    QTest::newRow("empty values kept") << "||x|" << QStringList{"", "", "x"};
    QTest::newRow("no bar") << "abc" << QStringList();
    QTest::newRow("empty line") << "" << QStringList();
}

void TestCodeList::import_record() {
    QFETCH(QString, line);
    QFETCH(QStringList, values);
    QCOMPARE(::import_record(line), values);
}

void TestCodeList::obce06Lines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QStringList>>("records");
    const QString longName(60, u'ž');
    QTest::newRow("eight values, KC without its bar")
        << QByteArray("1|101|500011|Obec|1|1|30|501890\r\n")
        << QList<QStringList>{{"1", "101", "500011", "Obec", "1", "1", "30", ""}};
    QTest::newRow("empty line between two")
        << QByteArray("1|2|3|\r\n\r\n4|5|6|\r\n")
        << QList<QStringList>{
               {"1", "2", "3", "", "", "", "", ""}, QStringList(8, QString()), {"4", "5", "6", "", "", "", "", ""}};
    QTest::newRow("ten values") << QByteArray("1|2|3|4|5|6|7|8|9|10|\r\n")
                                << QList<QStringList>{{"1", "2", "3", "4", "5", "6", "7", "8"}};
    QTest::newRow("name longer than its field, Windows-1250, no final line end")
        << (QByteArray("1|101|500011|") + cp1250::encode(longName) + "|1|0|2|7|")
        << QList<QStringList>{{"1", "101", "500011", longName.left(50), "1", "0", "2", "7"}};
    QTest::newRow("empty file") << QByteArray() << QList<QStringList>();
}

void TestCodeList::obce06Lines() {
    QFETCH(QByteArray, content);
    QFETCH(QList<QStringList>, records);

    importObce(content);

    QCOMPARE(m_services->fileDialogTitles, QStringList{QStringLiteral("Import číselníka OBCE06")});
    QCOMPARE(QFileInfo(m_services->folders.value(0)).fileName(), QStringLiteral("OBCE06.TXT"));
    QCOMPARE(m_services->busy, (QStringList{QStringLiteral("Importujem číselník OBCE06"), QStringLiteral("off")}));
    QCOMPARE(fixture::records(m_setup->reopen()->TVQ_OBCE()), records);
    QCOMPARE(m_setup->data().TVQ_OBCE().recordNumber(), records.isEmpty() ? 0 : 1);
}

void TestCodeList::koal06TakesNineFields() {
    const QString path = QDir(m_folder->path()).filePath(QStringLiteral("k.txt"));
    QVERIFY(fixture::writeBytes(path, "1|1|1|374|Hnutie|Hnutie H|150|1|5991|extra|\r\n2|2|1|\r\n"));
    m_services->fileAnswers.push_back(path);

    importCodeList(*m_district, *m_services, CodeList::Parties);

    QCOMPARE(m_services->fileDialogTitles, QStringList{QStringLiteral("Import číselníka KOAL06")});
    QCOMPARE(QFileInfo(m_services->folders.value(0)).fileName(), QStringLiteral("KOAL06.TXT"));
    QCOMPARE(m_services->busy.first(), QStringLiteral("Importujem číselník KOAL06"));
    const QList<QStringList> expected{{"1", "1", "1", "374", "Hnutie", "Hnutie H", "150", "1", "5991"},
                                      {"2", "2", "1", "", "", "", "", "", ""}};
    QCOMPARE(fixture::records(m_setup->reopen()->TVQ_KOAL()), expected);
}

void TestCodeList::installationListRoundTrips() {
    // The installation's tables were laid out from these lists: importing them again changes nothing.
    const QList<QStringList> before = fixture::records(m_setup->data().TVQ_OBCE());
    QVERIFY(before.size() > 1000);
    importObce(fixture::fileBytes(QStringLiteral(VOLBY_SOURCE_DIR "/installation/OBCE06.TXT")));
    QCOMPARE(fixture::records(m_setup->reopen()->TVQ_OBCE()), before);
}

void TestCodeList::cancelledDialogChangesNothing() {
    const QByteArray before = fixture::fileBytes(m_setup->data().TVQ_OBCE().filePath());
    m_services->fileAnswers.push_back(std::nullopt);
    importCodeList(*m_district, *m_services, CodeList::Municipalities);
    QVERIFY(m_services->busy.isEmpty());
    QCOMPARE(fixture::fileBytes(m_setup->data().TVQ_OBCE().filePath()), before);
}

void TestCodeList::unreadableFileKeepsTheOldTable() {
    const QByteArray before = fixture::fileBytes(m_setup->data().TVQ_OBCE().filePath());
    const int count = m_setup->data().TVQ_OBCE().recordCount();
    m_services->fileAnswers.push_back(m_folder->path()); // a folder: it opens as no file

    QVERIFY_THROWS_EXCEPTION(InputOutputError, importCodeList(*m_district, *m_services, CodeList::Municipalities));

    QCOMPARE(m_services->busy.last(), QStringLiteral("off"));
    QCOMPARE(m_setup->data().TVQ_OBCE().recordCount(), count);
    QCOMPARE(fixture::fileBytes(m_setup->data().TVQ_OBCE().filePath()), before);
}

QTEST_GUILESS_MAIN(TestCodeList)
#include "test_codelist.moc"
