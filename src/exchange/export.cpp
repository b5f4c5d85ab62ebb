#include "exchange/export.h"

#include "checks/completecheck.h"
#include "exchange/archive.h"
#include "exchange/busyguard.h"
#include "exchange/durablefile.h"
#include "exchange/exchangelines.h"
#include "exchange/exportmemory.h"
#include "exchange/password.h"
#include "exchange/tkc.h"
#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/progress.h"
#include "store/datamodule.h"
#include "store/store.h"
#include "store/table.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

bool linesPass(const QByteArray &content) {
    for (const QByteArray &line : exchange::textLines(content)) {
        if (!checkRecordLine(line).passed())
            return false;
    }
    return true;
}

// What was read back from the disk is an archive that opens with the password and holds exactly the
// two files, every line of them sound.
bool holdsExactly(const QByteArray &zip, const QList<archive::Member> &members) {
    QStringList names;
    for (const archive::Member &m : members)
        names.append(m.name);
    try {
        const QList<std::optional<QByteArray>> contents = archive::unpack(zip, heslo_zip(), names);
        for (qsizetype i = 0; i < members.size(); ++i) {
            if (!contents[i] || *contents[i] != members[i].content || !linesPass(*contents[i]))
                return false;
        }
    } catch (const archive::ArchiveError &) {
        return false; // the copy on disk does not open: not what was written
    }
    return true;
}

// The first field of the protocol or of an attachment whose value holds a "|": written as it is, it would
// shift the values after it onto other fields of the reader, under a TKC that still passes (the TKC
// counts no "|"). Empty when every carried value is sound.
QString fieldWithBar(Table &s1, Table &p1) {
    const auto holdsBar = [](const Table &table, int position) { return table.storedText(position).contains('|'); };
    s1.first();
    for (const int position : exchange::sFieldPositions()) {
        if (holdsBar(s1, position))
            return QStringLiteral("T/12 ") + s1.schema().fields[position].name;
    }
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
        for (int position = 0; position < exchange::P_VALUES; ++position) {
            if (holdsBar(p1, position))
                return QStringLiteral("T/13 (strana %1) ").arg(p1.text(QStringLiteral("KON"))) +
                       p1.schema().fields[position].name;
        }
    }
    p1.first();
    return QString();
}

ExportStep ended(const QString &error) {
    ExportStep step;
    step.outcome.error(error);
    return step;
}

} // namespace

PendingExport::PendingExport(District &district, ExportStep step, std::unique_ptr<Action> action)
    : m_district(district), m_step(std::move(step)), m_action(std::move(action)) {}

PendingExport::PendingExport(PendingExport &&) noexcept = default;

PendingExport::~PendingExport() = default;

Outcome PendingExport::finish(const std::optional<QString> &chosen) {
    Outcome outcome;
    if (chosen && m_step.question)
        outcome = placeExport(m_district, *chosen);
    m_action->commit();
    return outcome;
}

PendingExport Button16Click(District &district) {
    // The complete check's tables, KTO and the export's log line: one commit of the store.
    auto action = std::make_unique<Action>(district.data().store());
    Outcome checked = KompletnaKontrola(district);
    ExportStep step = ExportOkrsok(district);
    checked.append(step.outcome);
    step.outcome = checked;
    return PendingExport(district, std::move(step), std::move(action));
}

ExportStep ExportOkrsok(District &district) {
    if (!district.Bezchybnost()) {
        ExportStep refused;
        refused.outcome.message(QStringLiteral("Zápinica obsahuje chyby, EXPORT je zrušený."));
        return refused;
    }
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    s1.setText(QStringLiteral("KTO"), QStringLiteral("0"));
    s1.post();
    return ExportVQ(district);
}

ExportStep ExportVQ(District &district) {
    Table &s1 = district.TS1();
    Table &p1 = district.TP1();
    s1.first();
    const QString obec = s1.text(QStringLiteral("OBEC"));
    const QString okrsok = s1.text(QStringLiteral("OKRSOK"));

    // The attachments must belong to this protocol: P1 stands on its first record after the complete check.
    if (decimalValue(district.asponhlas()) > 0) {
        if (obec != p1.text(QStringLiteral("OBEC")))
            return ended(QStringLiteral("Kód obce v T/12 je iné ako kód obce v T/13, pravdepodobne zabudli ste "
                                        "aktualizovať prílohy"));
        if (okrsok != p1.text(QStringLiteral("OKRSOK")))
            return ended(QStringLiteral("Kód okrsku v T/12 je iné ako kód okrsku v T/13, pravdepodobne zabudli "
                                        "ste aktualizovať prílohy"));
    }

    if (const QString field = fieldWithBar(s1, p1); !field.isEmpty())
        return ended(QStringLiteral("Údaj ") + field + QStringLiteral(" obsahuje znak |, EXPORT je zrušený."));

    const exchange::Names names = exchange::names(obec, okrsok);
    return {{},
            FileQuestion{QStringLiteral("EXPORT Súboru:  ") + names.archive,
                         exportDialogFolder(district.data().folder()), names.archive}};
}

Outcome placeExport(District &district, const QString &chosen) {
    Progress &progress = district.progress();
    Table &s1 = district.TS1();
    Table &p1 = district.TP1();
    s1.first();
    const exchange::Names names = exchange::names(s1.text(QStringLiteral("OBEC")), s1.text(QStringLiteral("OKRSOK")));
    // Only the folder of the chosen path counts: the archive keeps its own name.
    const QString folder = QFileInfo(chosen).absolutePath();

    Outcome outcome;
    BusyOffOnError busyOff(progress);
    const QList<archive::Member> members{{names.sFile, exchange::sFileContent(s1)},
                                         {names.pFile, exchange::pFileContent(p1)}};
    progress.pracujem(QStringLiteral("Šifrujem ... "));
    QByteArray zip;
    try {
        zip = archive::pack(members, heslo_zip());
    } catch (const archive::ArchiveError &) {
        progress.pracujem(QStringLiteral("off"));
        outcome.error(QStringLiteral("Šifrovanie bolo neúspešné"));
        return outcome;
    }

    int failure = 0;
    try {
        durable::writeFile(folder, names.archive, zip,
                           [&members](const QByteArray &written) { return holdsExactly(written, members); });
    } catch (const durable::WriteFailure &f) {
        failure = f.code;
    } catch (const durable::VerifyFailure &) {
        failure = EIO; // read back other than written: the medium failed
    }
    progress.pracujem(QStringLiteral("off"));
    if (failure != 0) {
        outcome.error(QStringLiteral("Kopírovanie súboru ") + names.archive + QStringLiteral(" bolo neuspešné ") +
                      QStringLiteral(",  error code = ") + QString::number(failure));
        return outcome;
    }
    const QString copy = QDir(folder).filePath(names.archive);
    const QString unrecorded = recordExport(district, copy, zip);
    outcome.information(QStringLiteral("Export bol dokončený, : ") + copy);
    if (!unrecorded.isEmpty())
        outcome.error(unrecorded);
    return outcome;
}
