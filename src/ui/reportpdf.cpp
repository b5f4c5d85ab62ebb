#include "ui/reportpdf.h"

#include "exchange/durablefile.h"
#include "model/pages.h"
#include "print/reportdocument.h"
#include "store/errors.h"
#include "ui/reportoutput.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>

using namespace Qt::StringLiterals;

std::optional<QString> choosePdfFile(QWidget *parent, const QString &title) {
    QFileDialog dialog(parent, u"Súbor PDF: "_s + title);
    dialog.setObjectName(u"pdfFileDialog"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(u"Súbory PDF (*.pdf)"_s);
    dialog.setDefaultSuffix(u"pdf"_s);
    dialog.setDirectory(QDir::homePath());
    // "Zápisnica T/12" becomes "Zápisnica T-12.pdf": a "/" cannot stand in a file name.
    dialog.selectFile(QString(title).replace(u'/', u'-') + u".pdf"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

QByteArray renderReportPdf(const ReportDocument &document, const QString &title, const QPageRanges &ranges,
                           ReportStatus &status) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        setReportPage(writer);
        writer.setResolution(600);
        writer.setCreator(programTitle());
        writer.setTitle(title);
        writer.setPageRanges(ranges);
        if (status.paint(document, writer, QLatin1String(ReportStatus::generating)) == 0)
            QPainter blank(&writer); // no page in the range: still a readable file of one blank page
    }
    return pdf;
}

void saveReportPdf(const QByteArray &pdf, const QString &path) {
    const QFileInfo file(path);
    int failure = 0;
    try {
        durable::writeFile(file.absolutePath(), file.fileName(), pdf,
                           [&pdf](const QByteArray &written) { return written == pdf; });
    } catch (const durable::WriteFailure &f) {
        failure = f.code;
    } catch (const durable::VerifyFailure &) {
        failure = EIO; // read back other than written: the medium failed
    }
    if (failure != 0)
        throw InputOutputError(
            u"Súbor PDF %1 sa nepodarilo zapísať, kód chyby = %2"_s.arg(QDir::toNativeSeparators(path)).arg(failure));
}
