#include "print/printing.h"

#include "model/district.h"
#include "model/services.h"
#include "print/printtables.h"
#include "print/reportdata.h"
#include "print/reporttemplate.h"

using namespace Qt::StringLiterals;

namespace {

// Renders reporty/<file> from the tables as they stand and hands it to the output.
void runReport(District &district, const QString &file, const QString &title) {
    const ReportTemplate report = ReportTemplate::load(u"reporty/"_s + file);
    district.services().outputReport(title, report.render(readReportConnections(district.data())));
}

} // namespace

void TlacT12(District &district) {
    fillProtocolPrintTable(district.data());
    runReport(district, u"priloha_T12.html"_s, u"Zápisnica T/12"_s);
}

void TlacT13(District &district) {
    fillAttachmentPrintTables(district.data());
    runReport(district, u"priloha_T13.html"_s, u"Prílohy T/13"_s);
}

void TlacProtokol1(District &district) {
    fillProtocolPrintTable(district.data());
    runReport(district, u"Chybovy_protokol.html"_s, u"Chybový protokol"_s);
}

void TlacProtokol2(District &district) {
    fillProtocolPrintTable(district.data());
    runReport(district, u"Chybovy_protokol_medzi.html"_s, u"Chybový protokol z medzitabuľkových kontrol"_s);
}
