#pragma once

#include <QFont>
#include <QString>

#include <functional>

class QPagedPaintDevice;

// The font of the printed forms: the Tahoma of the forms when its files are on the machine
// (registered with the application on first use), else DejaVu Sans. Needs a QGuiApplication.
QFont reportFont();

// A rendered report: the HTML of its template, laid out anew for whatever device it is painted on
// (a PDF file, the printer, the preview). Pages follow the document's own page breaks; nothing is
// added to them (no page number of the text engine's own).
class ReportDocument {
public:
    explicit ReportDocument(QString html) : m_html(std::move(html)) {}
    const QString &html() const { return m_html; }

    // Lays the document out on the device's page and paints, one after the other, the pages that the
    // device's page ranges select (every page when none is set). onPage hears each page number before
    // it is painted. Returns the number of pages painted. The device must not be painted on yet.
    int paint(QPagedPaintDevice &device, const std::function<void(int page)> &onPage = {}) const;

private:
    QString m_html;
};

// The page of the printed forms, on a PDF file and on the printer alike: A4 portrait, margins of 15 mm.
void setReportPage(QPagedPaintDevice &device);

// Writes the report as a PDF on the report page, replacing the file only once it is complete.
// InputOutputError when the file cannot be written.
void writeReportPdf(const ReportDocument &document, const QString &path);
