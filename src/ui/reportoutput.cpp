#include "ui/reportoutput.h"

#include "print/reportdocument.h"
#include "store/errors.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <exception>

using namespace Qt::StringLiterals;

namespace {

const std::pair<const char *, QPrinter::DuplexMode> duplexModes[] = {
    {"Nie", QPrinter::DuplexNone},
    {"Po dlhšej strane", QPrinter::DuplexLongSide},
    {"Po kratšej strane", QPrinter::DuplexShortSide},
};

QSpinBox *spinBox(int minimum, int maximum, const char *name) {
    auto *box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setObjectName(QLatin1String(name));
    return box;
}

// The printer's own dialog without the choice of a file as the printer.
bool printerDialog(QPrinter &printer, QWidget *parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

void OutputOptions::applyTo(QPrinter &printer) const {
    printer.setCopyCount(copies);
    printer.setCollateCopies(collate);
    printer.setDuplex(duplex);
    printer.setFromTo(firstPage, lastPage);
}

OutputOptionsDialog::OutputOptionsDialog(QPrinter &printer, QWidget *parent) : QDialog(parent), m_printer(printer) {
    setObjectName(u"OutputOptions"_s);
    setWindowTitle(u"Output Options"_s);

    auto *destination = new QGroupBox(u"Výstup"_s);
    m_preview = new QRadioButton(u"Náhľad"_s);
    m_preview->setObjectName(u"destinationPreview"_s);
    m_toPrinter = new QRadioButton(u"Tlačiareň"_s);
    m_toPrinter->setObjectName(u"destinationPrinter"_s);
    m_toPrinter->setEnabled(printerAvailable());
    m_toPdf = new QRadioButton(u"Súbor PDF"_s);
    m_toPdf->setObjectName(u"destinationPdf"_s);
    auto *setup = new QPushButton(u"Nastavenie tlačiarne..."_s);
    setup->setObjectName(u"printerSetup"_s);
    setup->setEnabled(printerAvailable());
    connect(setup, &QPushButton::clicked, this, &OutputOptionsDialog::printerSetup);
    auto *destinationLayout = new QVBoxLayout(destination);
    destinationLayout->addWidget(m_preview);
    destinationLayout->addWidget(m_toPrinter);
    destinationLayout->addWidget(m_toPdf);
    destinationLayout->addWidget(setup);

    auto *previewSetup = new QGroupBox(u"Nastavenie náhľadu"_s);
    m_zoom = spinBox(10, 400, "zoom");
    m_zoom->setSuffix(u" %"_s);
    auto *previewLayout = new QFormLayout(previewSetup);
    previewLayout->addRow(u"Zväčšenie:"_s, m_zoom);

    auto *printing = new QGroupBox(u"Možnosti tlače"_s);
    m_copies = spinBox(1, 99, "copies");
    m_collate = new QCheckBox(u"Zoradiť kópie"_s);
    m_collate->setObjectName(u"collate"_s);
    m_duplex = new QComboBox;
    m_duplex->setObjectName(u"duplex"_s);
    for (const auto &[caption, mode] : duplexModes)
        m_duplex->addItem(QString::fromUtf8(caption), int(mode));
    m_firstPage = spinBox(1, 9999, "firstPage");
    m_lastPage = spinBox(1, 9999, "lastPage");
    auto *printingLayout = new QFormLayout(printing);
    printingLayout->addRow(u"Počet kópií:"_s, m_copies);
    printingLayout->addRow(QString(), m_collate);
    printingLayout->addRow(u"Obojstranná tlač:"_s, m_duplex);
    printingLayout->addRow(u"Od strany:"_s, m_firstPage);
    printingLayout->addRow(u"Po stranu:"_s, m_lastPage);

    // Qt's Slovak catalogue lacks the standard buttons' texts.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(u"OK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Zrušiť"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(destination);
    layout->addWidget(previewSetup);
    layout->addWidget(printing);
    layout->addWidget(buttons);
    showOptions(OutputOptions());
}

void OutputOptionsDialog::showOptions(const OutputOptions &options) {
    QRadioButton *const destinations[] = {m_preview, m_toPrinter, m_toPdf};
    QRadioButton *chosen = destinations[options.destination];
    (chosen->isEnabled() ? chosen : m_preview)->setChecked(true);
    m_zoom->setValue(options.zoom);
    m_copies->setValue(options.copies);
    m_collate->setChecked(options.collate);
    m_duplex->setCurrentIndex(m_duplex->findData(int(options.duplex)));
    m_firstPage->setValue(options.firstPage);
    m_lastPage->setValue(options.lastPage);
}

OutputOptions OutputOptionsDialog::options() const {
    OutputOptions options;
    options.destination = m_toPrinter->isChecked() ? OutputOptions::Printer
                          : m_toPdf->isChecked()   ? OutputOptions::Pdf
                                                   : OutputOptions::Preview;
    options.zoom = m_zoom->value();
    options.copies = m_copies->value();
    options.collate = m_collate->isChecked();
    options.duplex = QPrinter::DuplexMode(m_duplex->currentData().toInt());
    options.firstPage = m_firstPage->value();
    options.lastPage = qMax(m_firstPage->value(), m_lastPage->value());
    return options;
}

void OutputOptionsDialog::printerSetup() {
    options().applyTo(m_printer);
    if (!printerDialog(m_printer, this))
        return;
    // The printer's dialog may have changed the copies, the collation, the duplex and the range.
    OutputOptions changed = options();
    changed.copies = m_printer.copyCount();
    changed.collate = m_printer.collateCopies();
    changed.duplex = m_printer.duplex();
    if (m_printer.printRange() == QPrinter::PageRange) {
        changed.firstPage = m_printer.fromPage();
        changed.lastPage = m_printer.toPage();
    }
    showOptions(changed);
}

ReportStatus::ReportStatus(QWidget *parent) : QDialog(parent), m_text(new QLabel) {
    setObjectName(u"ReportStatus"_s);
    setWindowTitle(u"Report Status"_s);
    m_text->setObjectName(u"status"_s);
    m_text->setMinimumWidth(240);
    m_text->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
}

int ReportStatus::paint(const ReportDocument &document, QPagedPaintDevice &device, const QString &pattern) {
    show();
    const int painted = document.paint(device, [&](int page) {
        m_text->setText(QString(pattern).replace(u"%p"_s, QString::number(page)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    hide();
    return painted;
}

QString ReportStatus::text() const {
    return m_text->text();
}

bool printerAvailable() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void showReportPreview(const ReportDocument &document, QPrinter &printer, int zoom, QWidget *parent) {
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(u"ReportPreview"_s);
    preview.setWindowTitle(u"Report Preview"_s);
    // The whole screen also where no window manager carries out the maximised state.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        preview.setGeometry(screen->availableGeometry());
    preview.setWindowState(Qt::WindowMaximized);
    preview.setModal(true);
    auto *pages = preview.findChild<QPrintPreviewWidget *>();
    pages->setZoomFactor(zoom / 100.0);

    // The preview's own print button would offer a file as the printer: ours does not.
    for (QAction *action : preview.findChildren<QAction *>()) {
        if (action->text() != QPrintPreviewDialog::tr("Print"))
            continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setEnabled(printerAvailable());
        QObject::connect(action, &QAction::triggered, &preview, [&] {
            if (printerDialog(printer, &preview)) {
                pages->print();
                preview.accept();
            }
        });
    }

    // An error of the painting must not cross the preview's signal: it is kept and raised afterwards.
    std::exception_ptr failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *target) {
        if (failure)
            return;
        try {
            const bool previewing = target->paintEngine() && target->paintEngine()->type() == QPaintEngine::Picture;
            ReportStatus(&preview).paint(document, *target,
                                         QLatin1String(previewing ? ReportStatus::generating : ReportStatus::printing));
        } catch (const VolbyError &) {
            failure = std::current_exception();
            QMetaObject::invokeMethod(&preview, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    preview.exec();
    if (failure)
        std::rethrow_exception(failure);
}

void outputReport(QWidget *parent, const QString &title, const QString &html, const PdfFileChoice &choosePdf) {
    const ReportDocument document(html);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    setReportPage(printer);
    OutputOptionsDialog dialog(printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const OutputOptions options = dialog.options();
    options.applyTo(printer);
    switch (options.destination) {
    case OutputOptions::Preview:
        return showReportPreview(document, printer, options.zoom, parent);
    case OutputOptions::Printer:
        ReportStatus(parent).paint(document, printer, QLatin1String(ReportStatus::printing));
        return;
    case OutputOptions::Pdf:
        if (const std::optional<QString> path = choosePdf(parent, title)) {
            ReportStatus status(parent);
            saveReportPdf(renderReportPdf(document, title, printer.pageRanges(), status), *path);
        }
        return;
    }
}
