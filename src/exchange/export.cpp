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
#include "model/services.h"
#include "store/datamodule.h"
#include "store/store.h"
#include "store/table.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

void error(Services &services, const QString &text) {
    services.zobraz_spravu(text, Services::Error, Services::OK);
}

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
    const auto holdsBar = [](const Table &table, int position) { return table.text(position).contains(u'|'); };
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

} // namespace

void Button16Click(District &district) {
    // The complete check's tables, KTO and the export's log line: one commit of the store.
    Action action(district.data().store());
    KompletnaKontrola(district);
    ExportOkrsok(district);
    action.commit();
}

void ExportOkrsok(District &district) {
    if (!district.Bezchybnost()) {
        district.services().messageBox(QStringLiteral("Zápinica obsahuje chyby, EXPORT je zrušený."));
        return;
    }
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    s1.setText(QStringLiteral("KTO"), QStringLiteral("0"));
    s1.post();
    ExportVQ(district);
}

void ExportVQ(District &district) {
    Services &services = district.services();
    Table &s1 = district.TS1();
    Table &p1 = district.TP1();
    s1.first();
    const QString obec = s1.text(QStringLiteral("OBEC"));
    const QString okrsok = s1.text(QStringLiteral("OKRSOK"));

    // The attachments must belong to this protocol: P1 stands on its first record after the complete check.
    if (decimalValue(district.asponhlas()) > 0) {
        if (obec != p1.text(QStringLiteral("OBEC"))) {
            error(services, QStringLiteral("Kód obce v T/12 je iné ako kód obce v T/13, pravdepodobne zabudli "
                                           "ste aktualizovať prílohy"));
            return;
        }
        if (okrsok != p1.text(QStringLiteral("OKRSOK"))) {
            error(services, QStringLiteral("Kód okrsku v T/12 je iné ako kód okrsku v T/13, pravdepodobne "
                                           "zabudli ste aktualizovať prílohy"));
            return;
        }
    }

    if (const QString field = fieldWithBar(s1, p1); !field.isEmpty()) {
        error(services, QStringLiteral("Údaj ") + field + QStringLiteral(" obsahuje znak |, EXPORT je zrušený."));
        return;
    }

    const exchange::Names names = exchange::names(obec, okrsok);
    const std::optional<QString> chosen =
        services.saveFileName(QStringLiteral("EXPORT Súboru:  ") + names.archive,
                              exportDialogFolder(district.data().folder()), names.archive, QString());
    if (!chosen)
        return;
    // Only the folder of the chosen path counts: the archive keeps its own name.
    const QString folder = QFileInfo(*chosen).absolutePath();

    BusyOffOnError busyOff(services);
    const QList<archive::Member> members{{names.sFile, exchange::sFileContent(s1)},
                                         {names.pFile, exchange::pFileContent(p1)}};
    services.pracujem(QStringLiteral("Šifrujem ... "));
    QByteArray zip;
    try {
        zip = archive::pack(members, heslo_zip());
    } catch (const archive::ArchiveError &) {
        services.pracujem(QStringLiteral("off"));
        error(services, QStringLiteral("Šifrovanie bolo neúspešné"));
        return;
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
    services.pracujem(QStringLiteral("off"));
    if (failure != 0) {
        error(services, QStringLiteral("Kopírovanie súboru ") + names.archive + QStringLiteral(" bolo neuspešné ") +
                            QStringLiteral(",  error code = ") + QString::number(failure));
        return;
    }
    const QString copy = QDir(folder).filePath(names.archive);
    const QString unrecorded = recordExport(district, copy, zip);
    services.zobraz_spravu(QStringLiteral("Export bol dokončený, : ") + copy, Services::Information, Services::OK);
    if (!unrecorded.isEmpty())
        error(services, unrecorded);
}
