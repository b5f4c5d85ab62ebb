#include "centre/districtprint.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

// The content of the body element; the whole text when it has none.
QString bodyOf(const QString &html) {
    static const QRegularExpression open(u"<body[^>]*>"_s, QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch start = open.match(html);
    if (!start.hasMatch())
        return html;
    const qsizetype from = start.capturedEnd();
    const qsizetype end = html.indexOf(u"</body"_s, from, Qt::CaseInsensitive);
    return html.mid(from, end < 0 ? -1 : end - from);
}

} // namespace

QString joinDocuments(const QList<DistrictCheck::Document> &documents) {
    static const QRegularExpression style(u"<style[^>]*>.*?</style>"_s,
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    QStringList styles;
    QString bodies;
    for (const DistrictCheck::Document &document : documents) {
        for (const QRegularExpressionMatch &m : style.globalMatch(document.html)) {
            if (!styles.contains(m.captured()))
                styles.append(m.captured());
        }
        bodies += bodies.isEmpty() ? u"<div>"_s : u"<div style=\"page-break-before: always\">"_s;
        bodies += bodyOf(document.html) + u"</div>\n"_s;
    }
    return u"<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"_s + styles.join(u'\n') +
           u"\n</head>\n<body>\n"_s + bodies + u"</body>\n</html>\n"_s;
}

} // namespace centre
