#pragma once

#include <QString>

class District;

// A rendered report: the HTML of its template filled with the data, and the title that names it (such
// as the print job).
struct RenderedReport {
    QString title;
    QString html;
};

// The four prints of the group "TLAČ". Each copies the figures into its print tables, renders its
// template from reporty/ (relative to the working folder) with the report connections, and returns the
// document for the window's output.
//
// A missing template fails with ReportProjectMissingError once the print tables are filled; they keep
// their new content. The error protocols print chyb_prot and chyb_prot_medzitab as the last complete
// check left them: the buttons run KompletnaKontrola first.

// The protocol T/12: S1_TLAC from S1, template priloha_T12.html.
[[nodiscard]] RenderedReport TlacT12(District &district);
// The attachments T/13: P1_TALC_1-50 and P1_TLAC_51-150 from P1, template priloha_T13.html.
[[nodiscard]] RenderedReport TlacT13(District &district);
// The error protocol: S1_TLAC from S1, template Chybovy_protokol.html.
[[nodiscard]] RenderedReport TlacProtokol1(District &district);
// The inter-table error protocol: S1_TLAC from S1, template Chybovy_protokol_medzi.html.
[[nodiscard]] RenderedReport TlacProtokol2(District &district);
