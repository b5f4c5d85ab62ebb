#include "print/printing.h"

#include "model/district.h"
#include "print/printtables.h"
#include "print/reportdata.h"
#include "print/reporttemplate.h"

using namespace Qt::StringLiterals;

namespace {

// Renders reporty/<file> from the tables as they stand.
RenderedReport runReport(District &district, const QString &file, const QString &title) {
    const ReportTemplate report = ReportTemplate::load(u"reporty/"_s + file);
    return {title, report.render(readReportConnections(district.data()))};
}

} // namespace

RenderedReport TlacT12(District &district) {
    fillProtocolPrintTable(district.data());
    return runReport(district, u"priloha_T12.html"_s, u"Zápisnica T/12"_s);
}

RenderedReport TlacT13(District &district) {
    fillAttachmentPrintTables(district.data());
    return runReport(district, u"priloha_T13.html"_s, u"Prílohy T/13"_s);
}

RenderedReport TlacProtokol1(District &district) {
    fillProtocolPrintTable(district.data());
    return runReport(district, u"Chybovy_protokol.html"_s, u"Chybový protokol"_s);
}

RenderedReport TlacProtokol2(District &district) {
    fillProtocolPrintTable(district.data());
    return runReport(district, u"Chybovy_protokol_medzi.html"_s, u"Chybový protokol z medzitabuľkových kontrol"_s);
}
