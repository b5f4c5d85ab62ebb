#include "print/printdistrict.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

PrintDistrict::PrintDistrict() : m_previousFolder(QDir::currentPath()) {
    if (!m_copy.isValid())
        return;
    const QDir dist(qEnvironmentVariable("VOLBY_DIST"));
    QDir().mkpath(QDir(root()).filePath(u"reporty"_s));
    for (const QString &name : QDir(dist.filePath(u"reporty"_s)).entryList(QDir::Files))
        QFile::copy(dist.filePath(u"reporty/"_s + name), QDir(root()).filePath(u"reporty/"_s + name));
    QDir::setCurrent(root());
    m_data = std::make_unique<DataModule>(u"data"_s);
    m_district = std::make_unique<District>(*m_data, m_services);
    m_valid = true;
}

PrintDistrict::~PrintDistrict() {
    m_district.reset();
    m_data.reset();
    QDir::setCurrent(m_previousFolder);
}

void PrintDistrict::setProtocol(const QMap<QString, QString> &fields) {
    Table &s1 = m_data->TS1();
    s1.first();
    s1.edit();
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        s1.setText(it.key(), it.value());
    s1.post();
}

void PrintDistrict::setAttachments(const QList<Attachment> &attachments) {
    Table &s1 = m_data->TS1();
    Table &p1 = m_data->TP1();
    s1.first();
    TableRewrite rewrite(p1);
    for (const Attachment &attachment : attachments) {
        p1.append();
        for (int i = 0; i < p1.fieldCount(); ++i)
            p1.setText(i, u"0"_s);
        for (const QString &name : {u"OBVOD"_s, u"OBEC"_s, u"OKRSOK"_s})
            p1.setText(name, s1.text(name));
        p1.setText(u"KON"_s, attachment.kon);
        for (auto it = attachment.fields.cbegin(); it != attachment.fields.cend(); ++it)
            p1.setText(it.key(), it.value());
        p1.post();
    }
    rewrite.commit();
}

void PrintDistrict::setMunicipalityName(const QString &name) {
    Table &names = m_data->TTEMPTLAC();
    names.first();
    names.edit();
    names.setText(u"NOBEC"_s, name);
    names.post();
}

void PrintDistrict::setProtocolRows(Table &table, const QList<QPair<QString, QString>> &rows) {
    TableRewrite rewrite(table);
    for (const auto &[code, message] : rows) {
        table.append();
        table.setText(u"KOD_CHYBY"_s, code);
        table.setText(u"CH_OZNAM"_s, message);
        table.post();
    }
    rewrite.commit();
}

QString PrintDistrict::lastHtml() const {
    return m_services.reports.empty() ? QString() : m_services.reports.back().html;
}

QString PrintDistrict::lastPdf(const QString &name) {
    const QString path = QDir(root()).filePath(name + u".pdf"_s);
    writeReportPdf(ReportDocument(lastHtml()), path);
    return path;
}

namespace {

QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString pdfText(const QString &path) {
    return run(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
}

int pdfPages(const QString &path) {
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
            .match(run(u"pdfinfo"_s, {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
