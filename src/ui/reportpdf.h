#pragma once

#include <QByteArray>
#include <QPageRanges>
#include <QString>

#include <optional>

class QWidget;
class ReportDocument;
class ReportStatus;

// The destination "Súbor PDF" of the output options: the pages the preview would show, as a PDF file
// chosen in a save dialog.

// The save dialog of the PDF, the document's title in its caption and the proposed file name; the
// chosen path (ending in .pdf), or nothing when cancelled.
std::optional<QString> choosePdfFile(QWidget *parent, const QString &title);

// The selected pages of the document (all when ranges is empty) as a PDF on the report page, each page
// named in the status window while it is generated.
QByteArray renderReportPdf(const ReportDocument &document, const QString &title, const QPageRanges &ranges,
                           ReportStatus &status);

// Places the PDF at path so that the name holds the old file or the whole new one, synced to the disk
// and read back; InputOutputError naming the file and the system's error code when it fails.
void saveReportPdf(const QByteArray &pdf, const QString &path);
