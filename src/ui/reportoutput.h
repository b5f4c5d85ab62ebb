#pragma once

#include "ui/reportpdf.h"

#include <QDialog>
#include <QPrinter>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class ReportDocument;

// The output of a report as the report engine of the forms offers it: the "Output Options" dialog, the
// "Report Status" window while pages are generated or printed, and the "Report Preview" window; besides
// them a PDF file, so that the forms can be printed elsewhere when this computer has no printer.

struct OutputOptions {
    enum Destination { Preview, Printer, Pdf };
    Destination destination = Preview; // the default
    int copies = 1;
    bool collate = false;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    int firstPage = 1;
    int lastPage = 100; // the last page printed unless the user changes the range
    int zoom = 80;      // of the preview, in per cent

    // Copies, collation, duplex and the page range onto the printer.
    void applyTo(QPrinter &printer) const;
};

// "Output Options": destination preview, printer or PDF file, printer setup, preview setup (zoom),
// copies, collation, duplex and the pages. The printer is offered only when one is installed.
class OutputOptionsDialog : public QDialog {
    Q_OBJECT
public:
    OutputOptionsDialog(QPrinter &printer, QWidget *parent = nullptr);
    OutputOptions options() const;

private:
    void showOptions(const OutputOptions &options);
    void printerSetup();

    QPrinter &m_printer;
    QRadioButton *m_preview;
    QRadioButton *m_toPrinter;
    QRadioButton *m_toPdf;
    QSpinBox *m_zoom;
    QSpinBox *m_copies;
    QCheckBox *m_collate;
    QComboBox *m_duplex;
    QSpinBox *m_firstPage;
    QSpinBox *m_lastPage;
};

// "Report Status": a small window that shows which page is being generated or printed.
class ReportStatus : public QDialog {
    Q_OBJECT
public:
    static constexpr const char *generating = "Generating page %p";
    static constexpr const char *printing = "Printing page %p";

    explicit ReportStatus(QWidget *parent = nullptr);
    // Paints the document's pages on the device (its page range) while showing the pattern, %p being
    // the page number; hidden again afterwards. Returns the number of pages painted.
    int paint(const ReportDocument &document, QPagedPaintDevice &device, const QString &pattern);
    QString text() const;

private:
    QLabel *m_text;
};

// Whether a printer is installed: without one the preview and the PDF file remain.
bool printerAvailable();

// "Report Preview": maximised, at the zoom given, modal; its print button prints the document (the
// printer dialog without output to a file), and is disabled when no printer is installed.
void showReportPreview(const ReportDocument &document, QPrinter &printer, int zoom, QWidget *parent);

// The whole output of a report: the options, then the preview, the printer or the PDF file (reportpdf.h).
// Nothing when the user cancels the options or the file's dialog. A VolbyError of the painting or of
// writing the file reaches the caller.
// choosePdf asks for the PDF's path: the save dialog, unless a test answers.
using PdfFileChoice = std::function<std::optional<QString>(QWidget *parent, const QString &title)>;
void outputReport(QWidget *parent, const QString &title, const QString &html,
                  const PdfFileChoice &choosePdf = choosePdfFile);
