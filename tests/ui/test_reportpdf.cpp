// The destination "Súbor PDF": the four documents printed from the real window through the real output
// options, read back by pdftotext; the real save dialog; a cancelled choice and a file that cannot be
// written.

#include "windowfixture.h"

#include "exchange/exchangefixture.h"
#include "support/modal.h"
#include "ui/reportoutput.h"

#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The services of a script, but the report output of the window: options and status; the save
// dialog answered with pdfPath (cancelled when it is empty).
class RealReportOutput : public ScriptedServices {
public:
    QString pdfPath;
    QStringList pdfTitles;
    void outputReport(const QString &title, const QString &html) override {
        ::outputReport(nullptr, title, html, [this](QWidget *, const QString &document) -> std::optional<QString> {
            pdfTitles.append(document);
            return pdfPath.isEmpty() ? std::nullopt : std::optional(pdfPath);
        });
    }
};

QString tool(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &path) {
    return tool(u"pdfinfo"_s, {path}).section(u"Pages:"_s, 1).section(u'\n', 0, 0).trimmed().toInt();
}

// Chooses "Súbor PDF" with the page range in the options.
void choosePdfInTheOptions(int first, int last) {
    whenModal(u"Output Options"_s, [=](QWidget *options) {
        options->findChild<QRadioButton *>(u"destinationPdf"_s)->click();
        options->findChild<QSpinBox *>(u"firstPage"_s)->setValue(first);
        options->findChild<QSpinBox *>(u"lastPage"_s)->setValue(last);
        static_cast<QDialog *>(options)->accept();
    });
}

} // namespace

class TestReportPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(qEnvironmentVariable("VOLBY_DIST"))); } // reporty/

    void fourDocuments_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("T/12") << u"Button1"_s << u"Zápisnica T/12"_s << 1 << 100 << 1
                              << QStringList{u"ZÁPISNICA"_s, u"101 500011"_s};
        QTest::newRow("T/13, three attachments")
            << u"Button3"_s << u"Prílohy T/13"_s << 1 << 100 << 3 << QStringList{u"PRÍLOHA /1"_s, u"PRÍLOHA /3"_s};
        QTest::newRow("T/13, page 2 alone as in the preview")
            << u"Button3"_s << u"Prílohy T/13"_s << 2 << 2 << 1 << QStringList{u"PRÍLOHA /2"_s};
        QTest::newRow("error protocol") << u"Button9"_s << u"Chybový protokol"_s << 1 << 100 << 1
                                        << QStringList{u"CHYBOVÝ PROTOKOL"_s, u"BEZ CHÝB"_s};
        QTest::newRow("inter-table protocol")
            << u"Button10"_s << u"Chybový protokol z medzitabuľkových kontrol"_s << 1 << 100 << 1
            << QStringList{u"z medzitabuľkových kontrol zápisnice a jej príloh"_s, u"BEZ CHÝB"_s};
    }
    void fourDocuments() {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, pages);
        QFETCH(QStringList, texts);
        RealReportOutput script;
        WindowFixture f(&script);
        fixture::makeCleanDistrict(f.window->district());
        QTemporaryDir folder;
        script.pdfPath = folder.filePath(u"okrsok 1.pdf"_s);
        choosePdfInTheOptions(first, last);

        f.window->pages().setCurrentIndex(5);
        QTest::mouseClick(f.control<QPushButton>(button), Qt::LeftButton);

        QCOMPARE(f.script.errorsShown, QStringList());
        QCOMPARE(script.pdfTitles, QStringList{title});
        // The file alone: no temporary file left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"okrsok 1.pdf"_s});
        QCOMPARE(pdfPages(script.pdfPath), pages);
        const QString text = tool(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, script.pdfPath, u"-"_s});
        for (const QString &expected : texts)
            QVERIFY2(text.simplified().contains(expected), qPrintable(expected));
        if (first == last)
            QVERIFY(!text.contains(u"PRÍLOHA /1"_s));
    }

    void noFile_data() {
        QTest::addColumn<QString>("name"); // empty: the save dialog is cancelled
        QTest::addColumn<QString>("error");
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("folder missing") << u"chýba/T12.pdf"_s << u"Súbor PDF %1 sa nepodarilo zapísať, kód chyby = 2"_s;
    }
    void noFile() {
        QFETCH(QString, name);
        QFETCH(QString, error);
        RealReportOutput script;
        WindowFixture f(&script);
        QTemporaryDir folder;
        script.pdfPath = name.isEmpty() ? QString() : folder.filePath(name);
        choosePdfInTheOptions(1, 100);

        f.window->pages().setCurrentIndex(5);
        QTest::mouseClick(f.control<QPushButton>(u"Button1"_s), Qt::LeftButton);

        QCOMPARE(f.script.errorsShown, error.isEmpty() ? QStringList() : QStringList{error.arg(script.pdfPath)});
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // The real save dialog: its caption, the proposed name without the "/" of the title, PDF files only.
    void saveDialog() {
        bool seen = false;
        whenModal(u"Súbor PDF: Zápisnica T/12"_s, [&](QWidget *window) {
            seen = true;
            auto *dialog = qobject_cast<QFileDialog *>(window);
            QVERIFY(dialog);
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), u"Zápisnica T-12.pdf"_s);
            QCOMPARE(dialog->nameFilters(), QStringList{u"Súbory PDF (*.pdf)"_s});
            QCOMPARE(dialog->defaultSuffix(), u"pdf"_s);
            dialog->reject();
        });
        QCOMPARE(choosePdfFile(nullptr, u"Zápisnica T/12"_s), std::nullopt);
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestReportPdf)
#include "test_reportpdf.moc"
