#include "centre/pdfoutput.h"

#include "centre/outputfile.h"
#include "model/pages.h"
#include "print/reportdocument.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace centre {

void writeHtmlPdf(const QString &html, const QString &title, const QString &path) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        setReportPage(writer);
        writer.setResolution(600);
        writer.setCreator(programTitle());
        writer.setTitle(title);
        if (ReportDocument(html).paint(writer) == 0)
            QPainter blank(&writer); // still a readable file of one blank page
    }
    writeOutputFile(path, pdf);
}

} // namespace centre
