#include "print/reportdocument.h"
#include "ui/reportoutput.h"

#include "support/modal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString threePages = u"<p style=\"page-break-after: always\">Prvá strana</p>"
                           "<p style=\"page-break-after: always\">Druhá strana</p><p>Tretia strana</p>"_s;

int pdfPages(const QString &path) {
    QProcess info;
    info.start(u"pdfinfo"_s, {path});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    const qsizetype at = out.indexOf(u"Pages:"_s);
    return at < 0 ? -1 : out.mid(at + 6).section(u'\n', 0, 0).trimmed().toInt();
}

} // namespace

// The output of a report: options, status, preview.
class TestReportOutput : public QObject {
    Q_OBJECT
private slots:
    void optionDefaults() {
        QPrinter printer;
        OutputOptionsDialog dialog(printer);
        QCOMPARE(dialog.windowTitle(), u"Output Options"_s);
        QVERIFY(dialog.findChild<QRadioButton *>(u"destinationPreview"_s)->isChecked());
        QCOMPARE(dialog.findChild<QRadioButton *>(u"destinationPrinter"_s)->isEnabled(), printerAvailable());
        QVERIFY(dialog.findChild<QRadioButton *>(u"destinationPdf"_s)->isEnabled());
        QCOMPARE(dialog.findChild<QSpinBox *>(u"zoom"_s)->value(), 80);
        QCOMPARE(dialog.findChild<QSpinBox *>(u"copies"_s)->value(), 1);
        QCOMPARE(dialog.findChild<QSpinBox *>(u"firstPage"_s)->value(), 1);
        QCOMPARE(dialog.findChild<QSpinBox *>(u"lastPage"_s)->value(), 100);
        QVERIFY(!dialog.findChild<QCheckBox *>(u"collate"_s)->isChecked());
        QCOMPARE(dialog.findChild<QComboBox *>(u"duplex"_s)->currentText(), u"Nie"_s);
        QCOMPARE(dialog.options().destination, OutputOptions::Preview);
    }

    // Every text of the dialog but its title is Slovak: the whole set, none left out, none English.
    void optionTextsAreSlovak() {
        QPrinter printer;
        OutputOptionsDialog dialog(printer);
        dialog.show();
        QStringList texts;
        for (const QGroupBox *group : dialog.findChildren<QGroupBox *>())
            texts << group->title();
        for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
            texts << button->text();
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            texts << label->text();
        const QComboBox *duplex = dialog.findChild<QComboBox *>(u"duplex"_s);
        for (int i = 0; i < duplex->count(); ++i)
            texts << duplex->itemText(i);
        texts.sort();
        QStringList slovak{u"Výstup"_s,
                           u"Nastavenie náhľadu"_s,
                           u"Možnosti tlače"_s,
                           u"Náhľad"_s,
                           u"Tlačiareň"_s,
                           u"Súbor PDF"_s,
                           u"Nastavenie tlačiarne..."_s,
                           u"Zoradiť kópie"_s,
                           u"OK"_s,
                           u"Zrušiť"_s,
                           u"Zväčšenie:"_s,
                           u"Počet kópií:"_s,
                           u"Obojstranná tlač:"_s,
                           u"Od strany:"_s,
                           u"Po stranu:"_s,
                           u"Nie"_s,
                           u"Po dlhšej strane"_s,
                           u"Po kratšej strane"_s};
        slovak.sort();
        QCOMPARE(texts, slovak);
    }

    void optionsReachPrinter_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<int>("duplexIndex");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("printedLast");
        QTest::addColumn<int>("duplex");
        QTest::newRow("defaults") << 1 << false << 0 << 1 << 100 << 100 << int(QPrinter::DuplexNone);
        QTest::newRow("three collated, long side") << 3 << true << 1 << 2 << 5 << 5 << int(QPrinter::DuplexLongSide);
        QTest::newRow("short side") << 1 << false << 2 << 1 << 100 << 100 << int(QPrinter::DuplexShortSide);
        QTest::newRow("range turned round is one page") << 1 << false << 0 << 7 << 3 << 7 << int(QPrinter::DuplexNone);
    }
    void optionsReachPrinter() {
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(int, duplexIndex);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, printedLast);
        QFETCH(int, duplex);
        QPrinter printer;
        OutputOptionsDialog dialog(printer);
        dialog.findChild<QSpinBox *>(u"copies"_s)->setValue(copies);
        dialog.findChild<QCheckBox *>(u"collate"_s)->setChecked(collate);
        dialog.findChild<QComboBox *>(u"duplex"_s)->setCurrentIndex(duplexIndex);
        dialog.findChild<QSpinBox *>(u"firstPage"_s)->setValue(first);
        dialog.findChild<QSpinBox *>(u"lastPage"_s)->setValue(last);
        const OutputOptions options = dialog.options();
        QCOMPARE(int(options.duplex), duplex); // a printer without duplex (here the PDF engine) ignores it
        options.applyTo(printer);
        QCOMPARE(printer.copyCount(), copies);
        QCOMPARE(printer.collateCopies(), collate);
        QCOMPARE(printer.fromPage(), first);
        QCOMPARE(printer.toPage(), printedLast);
    }

    // The status window names each page as it is painted; only the pages of the range are painted.
    void statusWhilePrinting_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("shownLast");
        QTest::newRow("pages 1 to 100 of three") << 1 << 100 << 3 << u"Printing page 3"_s;
        QTest::newRow("page 2 alone") << 2 << 2 << 1 << u"Printing page 2"_s;
    }
    void statusWhilePrinting() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, pages);
        QFETCH(QString, shownLast);
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(u"out.pdf"_s));
        setReportPage(printer);
        printer.setFromTo(first, last);
        ReportStatus status;
        QCOMPARE(status.windowTitle(), u"Report Status"_s);
        QCOMPARE(status.paint(ReportDocument(threePages), printer, QLatin1String(ReportStatus::printing)), pages);
        QCOMPARE(status.text(), shownLast);
        QVERIFY(!status.isVisible());
        QCOMPARE(pdfPages(dir.filePath(u"out.pdf"_s)), pages);
    }

    void preview() {
        QPrinter printer;
        setReportPage(printer);
        printer.setFromTo(1, 100);
        // What the status window shows while the preview generates its pages.
        QStringList statusTexts;
        QTimer watch;
        watch.setInterval(0);
        connect(&watch, &QTimer::timeout, [&] {
            for (const QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == u"ReportStatus"_s && top->isVisible())
                    statusTexts.append(top->findChild<QLabel *>(u"status"_s)->text());
        });
        watch.start();
        bool seen = false;
        whenModal(u"Report Preview"_s, [&](QWidget *window) {
            seen = true;
            QVERIFY(window->isMaximized());
            auto *pages = window->findChild<QPrintPreviewWidget *>();
            QVERIFY(pages);
            QCOMPARE(pages->zoomFactor(), 0.8);
            QCOMPARE(pages->pageCount(), 3);
            const ReportStatus *status = window->findChild<ReportStatus *>();
            QVERIFY(!status); // gone once the pages were generated
            // Printing from the preview goes through our printer dialog, offered only with a printer.
            int printActions = 0;
            for (const QAction *action : window->findChildren<QAction *>()) {
                if (action->text() == QPrintPreviewDialog::tr("Print")) { // Slovak with the program
                    ++printActions;
                    QCOMPARE(action->isEnabled(), printerAvailable());
                }
            }
            QCOMPARE(printActions, 1);
            static_cast<QDialog *>(window)->reject();
        });
        showReportPreview(ReportDocument(threePages), printer, 80, nullptr);
        QVERIFY(seen);
        statusTexts.removeDuplicates();
        QCOMPARE(statusTexts, (QStringList{u"Generating page 1"_s, u"Generating page 2"_s, u"Generating page 3"_s}));
    }

    // Cancelled options show nothing; accepted ones with the preview destination open the preview.
    void wholeOutput() {
        bool previewed = false;
        whenModal(u"Output Options"_s, [](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });
        const QPointer<QTimer> watch = whenModal(u"Report Preview"_s, [&](QWidget *window) {
            previewed = true;
            static_cast<QDialog *>(window)->reject();
        });
        outputReport(nullptr, u"Zápisnica T/12"_s, threePages);
        QTest::qWait(100);
        QVERIFY(!previewed);
        delete watch;

        whenModal(u"Output Options"_s, [&](QWidget *dialog) {
            dialog->findChild<QSpinBox *>(u"zoom"_s)->setValue(120);
            whenModal(u"Report Preview"_s, [&](QWidget *window) {
                previewed = true;
                QCOMPARE(window->findChild<QPrintPreviewWidget *>()->zoomFactor(), 1.2);
                static_cast<QDialog *>(window)->reject();
            });
            static_cast<QDialog *>(dialog)->accept();
        });
        outputReport(nullptr, u"Zápisnica T/12"_s, threePages);
        QVERIFY(previewed);
    }
};

QTEST_MAIN(TestReportOutput)
#include "test_reportoutput.moc"
