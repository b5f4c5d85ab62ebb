#include "print/reporttemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <kainjow/mustache.hpp>

using namespace Qt::StringLiterals;
namespace mustache = kainjow::mustache;

ReportProjectMissingError::ReportProjectMissingError(const QString &absolutePath)
    : VolbyError(u"The following reporting project does not exist:\r\""_s + absolutePath + u'"') {}

namespace {

mustache::object toObject(const ReportRow &row) {
    mustache::object object;
    for (const auto &[name, value] : row)
        object.emplace(name.toStdString(), value.toStdString());
    return object;
}

mustache::data toList(const ReportConnection &rows) {
    mustache::data list(mustache::data::type::list);
    for (const ReportRow &row : rows)
        list.push_back(toObject(row));
    return list;
}

// The second part of an attachment appears inside the first part's row as a list of its one row.
const char *const masterConnection = "RvTP1_TLAC1";
const char *const detailConnection = "RvTP1_TLAC2";

mustache::data toContext(const ReportData &data) {
    mustache::data context;
    for (auto it = data.cbegin(); it != data.cend(); ++it)
        context.set(it.key().toStdString(), toList(it.value()));

    const ReportConnection masters = data.value(QLatin1String(masterConnection));
    const ReportConnection details = data.value(QLatin1String(detailConnection));
    mustache::data linked(mustache::data::type::list);
    for (qsizetype i = 0; i < masters.size(); ++i) {
        mustache::object row = toObject(masters[i]);
        mustache::data detail(mustache::data::type::list);
        if (i < details.size())
            detail.push_back(toObject(details[i]));
        row.emplace(detailConnection, detail);
        linked.push_back(row);
    }
    context.set(masterConnection, linked);
    return context;
}

} // namespace

ReportTemplate ReportTemplate::load(const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile())
        throw ReportProjectMissingError(info.absoluteFilePath());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InputOutputError(
            u"Šablónu zostavy %1 sa nepodarilo prečítať: %2"_s.arg(info.absoluteFilePath(), file.errorString()));
    const QByteArray bytes = file.readAll();
    // The template says its encoding in its meta tag (the installation's are Windows-1250); none is UTF-8.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        throw ReportTemplateError(u"Šablóna zostavy %1 má neznáme kódovanie."_s.arg(info.absoluteFilePath()));
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw ReportTemplateError(u"Šablóna zostavy %1 obsahuje znaky mimo kódovania %2."_s.arg(
            info.absoluteFilePath(), QString::fromLatin1(decoder.name())));
    const std::string utf8 = text.toStdString();
    const mustache::mustache parsed(utf8);
    if (!parsed.is_valid())
        throw ReportTemplateError(u"Šablóna zostavy %1 je chybná: %2"_s.arg(
            info.absoluteFilePath(), QString::fromStdString(parsed.error_message())));
    return ReportTemplate(info.absoluteFilePath(), utf8);
}

QString ReportTemplate::render(const ReportData &data) const {
    mustache::mustache parsed(m_text);
    const std::string html = parsed.render(toContext(data));
    if (!parsed.is_valid())
        throw ReportTemplateError(
            u"Šablóna zostavy %1 je chybná: %2"_s.arg(m_path, QString::fromStdString(parsed.error_message())));
    return QString::fromStdString(html);
}
