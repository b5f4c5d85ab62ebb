#pragma once

#include "print/reportdata.h"
#include "store/errors.h"

#include <QString>

// The template file of a report is not there.
class ReportProjectMissingError : public VolbyError {
public:
    explicit ReportProjectMissingError(const QString &absolutePath);
};

// The template is there but is no well-formed template.
class ReportTemplateError : public VolbyError {
public:
    using VolbyError::VolbyError;
};

// A report template: HTML with Mustache tags, read from its file in the encoding its meta tag declares
// (UTF-8 when it declares none). Values are HTML-escaped, so a name holding "<" or "&" prints as text.
//
// A template reaches the data only through the connections of ReportData. Inside a row of
// RvTP1_TLAC1 the section RvTP1_TLAC2 holds only the row of the same attachment (the row at the same
// position), so one attachment's page can print all 150 candidates and its five control sums.
class ReportTemplate {
public:
    // Throws ReportProjectMissingError when the file does not exist, InputOutputError when it cannot be
    // read, ReportTemplateError when its encoding is unknown, its text is not in it, or its tags are
    // ill-formed.
    static ReportTemplate load(const QString &path);

    const QString &path() const { return m_path; }
    QString render(const ReportData &data) const; // the HTML; ReportTemplateError when rendering fails

private:
    ReportTemplate(QString path, std::string text) : m_path(std::move(path)), m_text(std::move(text)) {}
    QString m_path;
    std::string m_text;
};
