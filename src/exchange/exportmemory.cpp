#include "exchange/exportmemory.h"

#include "exchange/dialogfolder.h"
#include "model/district.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/store.h"
#include "store/table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString logName = u"exporty.log"_s;

QByteArray readLog(const QString &path) {
    QFile log(path);
    if (!log.exists())
        return {};
    if (!log.open(QIODevice::ReadOnly))
        throw InputOutputError(u"Záznam o exportoch %1 sa nepodarilo prečítať."_s.arg(path));
    QByteArray content = log.readAll();
    if (log.error() != QFileDevice::NoError)
        throw InputOutputError(u"Záznam o exportoch %1 sa nepodarilo prečítať."_s.arg(path));
    return content;
}

} // namespace

QString exportDialogFolder(const QString &dataFolder) {
    std::optional<ExportRecord> last;
    try {
        last = lastExport(dataFolder);
    } catch (const InputOutputError &) {
        // A log that cannot be read offers the usual folder; the export reports the log itself.
    }
    const QString folder = last ? QFileInfo(QDir::fromNativeSeparators(last->path)).absolutePath() : QString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : initialDialogFolder();
}

QByteArray ExportRecord::line() const {
    const QStringList fields{time.toString(Qt::ISODate),  name, path, QString::number(size),
                             QString::fromLatin1(sha256), kc1,  kc2,  kc3};
    return fields.join(u'\t').toUtf8() + '\n';
}

std::optional<ExportRecord> ExportRecord::parse(const QByteArray &line) {
    QStringList fields = QString::fromUtf8(line).split(u'\t');
    if (fields.size() < 8)
        return std::nullopt;
    // The path alone may hold a tab: every other field is counted from its end of the line.
    ExportRecord r;
    r.kc3 = fields.takeLast();
    r.kc2 = fields.takeLast();
    r.kc1 = fields.takeLast();
    r.sha256 = fields.takeLast().toLatin1();
    bool sized = false;
    r.size = fields.takeLast().toLongLong(&sized);
    r.time = QDateTime::fromString(fields.takeFirst(), Qt::ISODate);
    r.name = fields.takeFirst();
    r.path = fields.join(u'\t');
    const bool hex = r.sha256.size() == 64 && QByteArray::fromHex(r.sha256).toHex() == r.sha256;
    if (!sized || !hex || !r.time.isValid())
        return std::nullopt;
    return r;
}

QString recordExport(District &district, const QString &path, const QByteArray &archive) {
    Table &s1 = district.TS1();
    s1.first();
    const QDateTime now = QDateTime::currentDateTime();
    ExportRecord record{now.toOffsetFromUtc(now.offsetFromUtc()),
                        QFileInfo(path).fileName(),
                        QDir::toNativeSeparators(path),
                        archive.size(),
                        QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex(),
                        s1.text(u"KC1"_s),
                        s1.text(u"KC2"_s),
                        s1.text(u"KC3"_s)};

    const QString log = QDir(district.data().folder()).filePath(logName);
    QString failure;
    try {
        QByteArray content = readLog(log);
        if (!content.isEmpty() && !content.endsWith('\n'))
            content += '\n';
        content += record.line();
        // With the district's tables: one commit of the store, the log whole before or after it.
        Store &store = district.data().store();
        Action action(store);
        store.writeFile(logName, content);
        action.commit();
    } catch (const VolbyError &e) {
        failure = e.message();
    }
    return failure;
}

std::optional<ExportRecord> lastExport(const QString &dataFolder) {
    const QList<QByteArray> lines = readLog(QDir(dataFolder).filePath(logName)).split('\n');
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (std::optional<ExportRecord> record = ExportRecord::parse(*line))
            return record;
    }
    return std::nullopt;
}
