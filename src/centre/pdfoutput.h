#pragma once

#include <QString>

namespace centre {

// The HTML laid out by the print module on the page of the printed forms, written as a PDF file in the
// way of the centre's other output (writeOutputFile). Needs a QGuiApplication. InputOutputError.
void writeHtmlPdf(const QString &html, const QString &title, const QString &path);

} // namespace centre
