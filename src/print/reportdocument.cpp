#include "print/reportdocument.h"

#include "model/pages.h"
#include "store/errors.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <memory>

using namespace Qt::StringLiterals;

QFont reportFont() {
    static const QString family = [] {
        const QString regular = u"/usr/share/wine/fonts/tahoma.ttf"_s;
        if (QFile::exists(regular)) {
            const int id = QFontDatabase::addApplicationFont(regular);
            QFontDatabase::addApplicationFont(u"/usr/share/wine/fonts/tahomabd.ttf"_s);
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                return families.first();
        }
        return u"DejaVu Sans"_s;
    }();
    return QFont(family, 10);
}

namespace {

// A text document laid out in the device's page rectangle, in device pixels.
std::unique_ptr<QTextDocument> layOut(const QString &html, QPagedPaintDevice &device) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(reportFont());
    document->documentLayout()->setPaintDevice(&device);
    document->setDocumentMargin(0); // the page margins of the device are the only ones
    document->setHtml(html);
    document->setPageSize(QSizeF(device.width(), device.height()));
    return document;
}

} // namespace

int ReportDocument::paint(QPagedPaintDevice &device, const std::function<void(int page)> &onPage) const {
    const std::unique_ptr<QTextDocument> document = layOut(m_html, device);
    const QPageRanges ranges = device.pageRanges();
    const qreal height = device.height();
    const qreal width = device.width();
    QPainter painter;
    int painted = 0;
    for (int page = 1; page <= document->pageCount(); ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page))
            continue;
        if (onPage)
            onPage(page);
        if (painted == 0) {
            if (!painter.begin(&device))
                throw InputOutputError(u"Zostavu sa nepodarilo začať tlačiť."_s);
        } else {
            device.newPage();
        }
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, (page - 1) * height, width, height);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.save();
        painter.translate(0, -(page - 1) * height);
        painter.setClipRect(context.clip);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
        ++painted;
    }
    if (painter.isActive())
        painter.end();
    return painted;
}

void setReportPage(QPagedPaintDevice &device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

void writeReportPdf(const ReportDocument &document, const QString &path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw InputOutputError(u"Súbor %1 sa nepodarilo zapísať: %2"_s.arg(path, file.errorString()));
    {
        QPdfWriter pdf(&file);
        setReportPage(pdf);
        pdf.setResolution(600);
        pdf.setCreator(programTitle());
        if (document.paint(pdf) == 0) {
            // An empty document still makes a valid file of one blank page.
            QPainter blank(&pdf);
        }
    }
    if (!file.commit())
        throw InputOutputError(u"Súbor %1 sa nepodarilo zapísať: %2"_s.arg(path, file.errorString()));
}
