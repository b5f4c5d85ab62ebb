#include "exchange/import.h"

#include "checks/completecheck.h"
#include "district/attachmentset.h"
#include "exchange/archive.h"
#include "exchange/busyguard.h"
#include "exchange/dialogfolder.h"
#include "exchange/exchangelines.h"
#include "exchange/password.h"
#include "exchange/recordcheck.h"
#include "model/district.h"
#include "model/progress.h"
#include "store/backup.h"
#include "store/codec.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/table.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

// The import's own pause per record line, so that the busy window can be read.
constexpr int kLinePause = 100;

// An error of the import: the busy window goes off, so that the message is seen over the main window.
void refuse(Progress &progress, Outcome &outcome, const QString &text) {
    outcome.busy(progress, QStringLiteral("off"));
    outcome.error(text);
}

bool startsWithDigit(const QByteArray &line) {
    return !line.isEmpty() && line[0] >= '0' && line[0] <= '9';
}

QString beginning(const QByteArray &line) {
    return cp1250::decode(line.left(20));
}

QString withCapitalP(QString name) {
    if (name.startsWith(u'p'))
        name[0] = u'P';
    return name;
}

// The chosen file as far as the import reads it: a file larger than any export (by its size, or by what
// a read gives, for a device that tells none) is not read beyond its first two bytes, which still tell
// whether it is a ZIP archive.
struct ArchiveFile {
    QByteArray bytes;
    bool tooLarge = false;
};

ArchiveFile readArchiveFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InputOutputError(QStringLiteral("Súbor %1 sa nedá otvoriť: %2").arg(path, file.errorString()));
    ArchiveFile chosen;
    const qint64 size = file.size();
    chosen.tooLarge = size > archive::MAX_ARCHIVE_SIZE;
    // No more than the size found and one byte besides: the limit holds even for a file that grows meanwhile.
    chosen.bytes = file.read(chosen.tooLarge ? 2 : size + 1);
    if (file.error() != QFile::NoError)
        throw InputOutputError(QStringLiteral("Súbor %1 sa nedá prečítať: %2").arg(path, file.errorString()));
    if (chosen.bytes.size() > archive::MAX_ARCHIVE_SIZE)
        chosen = {chosen.bytes.left(2), true};
    return chosen;
}

} // namespace

void import_S1(District &district, const QByteArray &content, Outcome &outcome) {
    Progress &progress = district.progress();
    outcome.busy(progress, QStringLiteral("Kontrolujem súbor S1 ... "));
    const QByteArray line = exchange::firstTextLine(content);
    if (!startsWithDigit(line)) {
        refuse(progress, outcome, QStringLiteral("Neznámy typ súboru, import súboru je zrušený"));
        outcome.message(QStringLiteral("Začiatok súboru je neznámy: ") + beginning(line));
        return;
    }
    outcome.busy(progress, QStringLiteral("Kontrolujem integritu rekordu ... "));
    outcome.pause(progress, kLinePause);
    if (!kontrola_TKC(outcome, line)) {
        refuse(progress, outcome, QStringLiteral("Rekord je poškodený!"));
        return;
    }
    outcome.busy(progress, QStringLiteral("Importujem ... "));
    const QList<QByteArrayView> values = exchange::cutRecordLine(line);
    // A sound TKC over too few values: the values are taken by position, so the record is damaged.
    if (values.size() < exchange::S_VALUES) {
        refuse(progress, outcome, QStringLiteral("Rekord je poškodený!"));
        return;
    }
    Table &s1 = district.TS1();
    s1.first();
    s1.edit(); // on an empty S1 this starts the protocol record
    const QList<int> &positions = exchange::sFieldPositions();
    for (int i = 0; i < exchange::S_VALUES; ++i)
        s1.setStoredText(positions[i], values[i]);
    s1.post();
}

void import_P1(District &district, QString name, const QByteArray &content, Outcome &outcome) {
    Progress &progress = district.progress();
    outcome.busy(progress, QStringLiteral("Kontrolujem súbor P1 ... "));
    name = withCapitalP(name);

    Table &s1 = district.TS1();
    s1.first();
    const QString suffix = s1.text(QStringLiteral("OBEC")) + QLatin1Char('.') + s1.text(QStringLiteral("OKRSOK"));
    if (name != QStringLiteral("P") + suffix) {
        refuse(progress, outcome,
               QStringLiteral("Tabuľka P1 je z iného okrsku ako tabuľka S1, import súboru je zrušený") +
                   QLatin1Char('\r') + QStringLiteral("Tabuľka S1: S") + suffix + QLatin1Char('\r') +
                   QStringLiteral("Tabuľka P1: ") + name);
        return;
    }

    Table &p1 = district.TP1();
    // Every line is checked before P1 is touched, so a damaged file never leaves P1 half replaced.
    const QList<QByteArray> lines = exchange::textLines(content);
    QList<QList<QByteArrayView>> staged; // views into the lines
    for (qsizetype n = 1; n <= lines.size(); ++n) {
        const QByteArray &line = lines[n - 1];
        if (!startsWithDigit(line)) {
            refuse(progress, outcome, QStringLiteral("Neznámy typ rekordu, import súboru je zrušený"));
            outcome.message(QStringLiteral("Začiatok rekordu je neznámy: ") + beginning(line));
            return;
        }
        outcome.busy(progress, QStringLiteral("Kontrolujem integritu rekordu č: ") + QString::number(n));
        outcome.pause(progress, kLinePause);
        const auto damaged = [&] {
            refuse(progress, outcome,
                   QStringLiteral("Rekord ") + QString::number(n) + QStringLiteral(" je poškodený!"));
        };
        if (!kontrola_TKC(outcome, line))
            return damaged();
        staged.append(exchange::cutRecordLine(line));
        // More values than P1 has fields would have nowhere to go: the record is damaged too.
        if (staged.last().size() > p1.fieldCount())
            return damaged();
    }

    outcome.busy(progress, QStringLiteral("Importujem ... "));
    TableRewrite rewrite(p1);
    for (qsizetype i = 1; i <= staged.size(); ++i) {
        const QList<QByteArrayView> &values = staged[i - 1];
        outcome.busy(progress, QStringLiteral("Importujem rekord č.: ") + QString::number(i));
        outcome.pause(progress, kLinePause);
        p1.append();
        for (int k = 0; k < values.size(); ++k)
            p1.setStoredText(k, values[k]);
        p1.post();
    }
    rewrite.commit();
}

FileQuestion archiveQuestion() {
    // The open dialog keeps the system's own caption, as the archive import never sets one.
    return {QStringLiteral("Otvoriť"), initialDialogFolder()};
}

Outcome rozbal_zip(District &district, const QString &chosen) {
    Progress &progress = district.progress();
    Outcome outcome;
    BusyOffOnError busyOff(progress);
    outcome.busy(progress, QStringLiteral("on"));
    const ArchiveFile file = readArchiveFile(chosen);
    if (!file.bytes.startsWith("PK")) {
        refuse(progress, outcome, QStringLiteral("Neznámy typ súboru, import súboru je zrušený"));
        return outcome;
    }
    // The members are named after the archive as it was exported: its name without the leading "VQ".
    const QString suffix = QFileInfo(chosen).fileName().mid(2);
    outcome.busy(progress, QStringLiteral("Kopírujem súbor ... "));
    outcome.busy(progress, QStringLiteral("Rozbaľujem ... "));
    const QString sName = QStringLiteral("s") + suffix;
    const QString pName = QStringLiteral("p") + suffix;
    QList<std::optional<QByteArray>> members{std::nullopt, std::nullopt};
    if (!file.tooLarge) {
        try {
            members = archive::unpack(file.bytes, heslo_zip(), {sName, pName});
        } catch (const archive::ArchiveError &) {
            // Another password, a damaged archive, one the program never writes: nothing could be
            // unpacked, which is all the user can act on.
        }
    }
    if (!members[1]) {
        refuse(progress, outcome, QStringLiteral("Rozbalovanie bolo neúspešné"));
        return outcome;
    }
    if (!members[0]) {
        refuse(progress, outcome,
               QStringLiteral("Rozbaľovanie bolo neúspešné (Neexistuje súbor: ") + sName + QStringLiteral(" )"));
        return outcome;
    }

    // The whole import is one action, after a backup of the district it replaces: after a crash the
    // tables hold the district before or after it, never S1 of one and P1 of the other. The attachments
    // set aside belong to the district replaced.
    Action action(district.data().store());
    backUpDistrict(district.data(), QStringLiteral("import"));
    district.data().TP1_ODLOZ().empty();
    import_S1(district, *members[0], outcome);
    import_P1(district, pName, *members[1], outcome);

    outcome = KompletnaKontrola(district, std::move(outcome));
    outcome.busy(progress, QStringLiteral("Aktualizujem prílohy ..."));
    outcome.append(GeneratingP1(district));
    action.commit();
    outcome.busy(progress, QStringLiteral("off"));
    outcome.information(QStringLiteral("Import je dokončený"));
    return outcome;
}
