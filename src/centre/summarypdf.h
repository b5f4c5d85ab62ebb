#pragma once

#include <QString>

namespace centre {

class Summary;

// The summary on paper, from the template reporty/suhrn.html of the working folder: the counts, the
// votes of each party with a bar of its share, the refused districts and archives, and the districts
// without an archive by municipality. Needs a QGuiApplication. InputOutputError, or the print module's
// errors of a missing or broken template.
void writeSummaryPdf(const Summary &summary, const QString &path);

} // namespace centre
