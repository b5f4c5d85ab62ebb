#include "centre/command.h"

#include "centre/archivefile.h"
#include "centre/archivelist.h"
#include "centre/codelists.h"
#include "centre/districtcheck.h"
#include "centre/districtprint.h"
#include "centre/outputfile.h"
#include "centre/pdfoutput.h"
#include "centre/progress.h"
#include "centre/restore.h"
#include "centre/runner.h"
#include "centre/summary.h"
#include "centre/summarypdf.h"
#include "store/datamodule.h"
#include "store/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

const char *const kUsage = "Použitie:\n"
                           "  volby-centrum overit ARCHÍV|PRIEČINOK...\n"
                           "  volby-centrum suhrn ARCHÍV|PRIEČINOK... --vystup PRIEČINOK\n"
                           "  volby-centrum tlac ARCHÍV --pdf SÚBOR\n"
                           "  volby-centrum obnov ZÁLOHA --data PRIEČINOK\n"
                           "Voľby overit a suhrn:\n"
                           "  --ciselniky PRIEČINOK  tabuľky OBCE06, STRANY06 a KOAL06 (inak tie z inštalácie)\n"
                           "  --vlakna N             počet súčasne overovaných archívov (inak počet procesorov)\n";

void print(std::FILE *file, const QString &text) {
    std::fputs((text + u'\n').toUtf8().constData(), file);
}

struct CommandLine {
    QString command;
    QStringList paths; // as given
    std::map<QString, QString> options;
    QString option(const QString &name) const {
        const auto found = options.find(name);
        return found == options.end() ? QString() : QFileInfo(found->second).absoluteFilePath();
    }
};

// The options each command takes; the first of them, when any, is required.
const std::map<QString, QStringList> &commandOptions() {
    static const std::map<QString, QStringList> options{
        {u"overit"_s, {u"--ciselniky"_s, u"--vlakna"_s}},
        {u"suhrn"_s, {u"--vystup"_s, u"--ciselniky"_s, u"--vlakna"_s}},
        {u"tlac"_s, {u"--pdf"_s, u"--ciselniky"_s}},
        {u"obnov"_s, {u"--data"_s}},
    };
    return options;
}

std::optional<CommandLine> parse(const QStringList &arguments, QString &error) {
    CommandLine line;
    if (arguments.isEmpty() || !commandOptions().contains(arguments.first())) {
        error = arguments.isEmpty() ? u"Chýba príkaz."_s : u"Neznámy príkaz %1."_s.arg(arguments.first());
        return std::nullopt;
    }
    line.command = arguments.first();
    const QStringList &allowed = commandOptions().at(line.command);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!argument.startsWith(u"--"_s)) {
            line.paths.append(argument);
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (!allowed.contains(name)) {
            error = u"Príkaz %1 nepozná voľbu %2."_s.arg(line.command, name);
            return std::nullopt;
        }
        if (equals < 0 && i + 1 == arguments.size()) {
            error = u"Voľbe %1 chýba hodnota."_s.arg(name);
            return std::nullopt;
        }
        line.options[name] = equals < 0 ? arguments[++i] : argument.mid(equals + 1);
    }
    const bool single = line.command == u"tlac"_s || line.command == u"obnov"_s;
    if (line.paths.isEmpty() || (single && line.paths.size() != 1)) {
        error = single ? u"Príkaz %1 berie práve jednu cestu."_s.arg(line.command)
                       : u"Príkaz %1 potrebuje aspoň jeden archív alebo priečinok."_s.arg(line.command);
        return std::nullopt;
    }
    const QString required = allowed.first();
    if (line.command != u"overit"_s && !line.options.contains(required)) {
        error = u"Príkaz %1 potrebuje voľbu %2."_s.arg(line.command, required);
        return std::nullopt;
    }
    if (line.options.contains(u"--vlakna"_s) && line.options.at(u"--vlakna"_s).toInt() < 1) {
        error = u"Voľba --vlakna potrebuje kladné celé číslo."_s;
        return std::nullopt;
    }
    return line;
}

QString codeListFolder(const CommandLine &line, const Environment &environment) {
    const QString chosen = line.option(u"--ciselniky"_s);
    return chosen.isEmpty() ? QDir(environment.installationFolder).filePath(u"data"_s) : chosen;
}

// "obvod 101, obec 500011 (Vyšný Škychomec), okrsok 1"
QString identification(const ArchiveResult &archive, const CodeLists &lists) {
    if (archive.obec.isEmpty())
        return {};
    const Municipality *m = lists.municipality(archive.obec);
    return u"obvod %1, obec %2%3, okrsok %4"_s.arg(archive.obvod, archive.obec,
                                                   m ? u" ("_s + m->name + u')' : QString(), archive.okrsok);
}

// The archive's line, and below it the messages of its error protocols.
QStringList archiveLines(const ArchiveResult &archive, const CodeLists &lists) {
    QStringList parts{archive.shown};
    if (const QString id = identification(archive, lists); !id.isEmpty())
        parts.append(id);
    const bool ok = archive.status == ArchiveStatus::Ok ||
                    (archive.status == ArchiveStatus::Copy && archive.reason.endsWith(u"započítaný raz"_s));
    parts.append(ok ? u"OK"_s : u"CHYBA"_s);
    if (!archive.reason.isEmpty())
        parts.append(archive.reason);
    QStringList lines{parts.join(u"  "_s)};
    for (const QString &finding : archive.findings)
        lines.append(u"    "_s + finding);
    return lines;
}

QString countsLine(const ArchiveCounts &c) {
    return u"Archívov: %1, bez chýb: %2, s chybami: %3, odmietnutých: %4, rovnakých kópií: %5, v rozpore: %6"_s
        .arg(c.all)
        .arg(c.ok)
        .arg(c.errors)
        .arg(c.refused)
        .arg(c.copies)
        .arg(c.conflicts);
}

int threadsOf(const CommandLine &line) {
    const auto found = line.options.find(u"--vlakna"_s);
    return found != line.options.end() ? found->second.toInt() : std::max(1, QThread::idealThreadCount());
}

// overit and suhrn: every archive verified, its lines printed as the run goes; suhrn also writes the
// summary into its folder.
int verify(const CommandLine &line, const Environment &environment) {
    const std::vector<ArchiveGroup> groups = collectArchives(line.paths);
    const QString lists = codeListFolder(line, environment);
    const CodeLists codeLists = CodeLists::read(*DataModule::inMemory(lists));
    const bool summing = line.command == u"suhrn"_s;
    const QString output = line.option(u"--vystup"_s);
    if (summing && !QFileInfo(output).isDir())
        throw InputOutputError(u"Priečinok %1 neexistuje."_s.arg(QDir::toNativeSeparators(output)));
    QDir::setCurrent(environment.installationFolder);

    int archives = 0;
    for (const ArchiveGroup &group : groups)
        archives += int(group.archives.size());
    Progress progress(environment.out, archives, environment.terminal);
    Summary summary(codeLists);
    CandidateTotals totals = verifyAll(
        groups, {lists, threadsOf(line), summing},
        [&](GroupResult &&result) {
            progress.clear();
            for (const ArchiveResult &archive : result.archives) {
                for (const QString &text : archiveLines(archive, codeLists))
                    print(environment.out, text);
                if (environment.archiveDone)
                    environment.archiveDone(archive);
            }
            summary.add(result);
        },
        [&](int done) { progress.update(done); });
    progress.clear();
    print(environment.out, countsLine(summary.counts()));
    if (!summing)
        return summary.counts().allAccepted() ? 0 : 1;

    summary.setCandidates(std::move(totals));
    // One table at a time: its CSV written and its JSON added, before the next is made.
    const QDir folder(output);
    const std::pair<const char *, OutputTable (Summary::*)() const> tables[] = {
        {"strany", &Summary::partiesTable},
        {"kandidati", &Summary::candidatesTable},
        {"okrsky", &Summary::districtsTable}};
    QByteArray json = "{";
    for (const auto &[name, make] : tables) {
        const OutputTable table = (summary.*make)();
        writeOutputFile(folder.filePath(QLatin1String(name) + u".csv"_s), table.csv());
        json += json.size() > 1 ? ",\n\"" : "\n\"";
        json += name;
        json += "\": ";
        table.appendJson(json);
    }
    json += "\n}\n";
    writeOutputFile(folder.filePath(u"suhrn.json"_s), json);
    json.clear();
    json.squeeze();
    writeSummaryPdf(summary, folder.filePath(u"suhrn.pdf"_s));

    std::map<DistrictStatus, int> statuses;
    for (const DistrictRow &row : summary.districts())
        ++statuses[row.status];
    print(environment.out, u"Okrsky: započítané %1, s chybami %2, poškodené %3, v rozpore %4, bez archívu %5"_s
                               .arg(statuses[DistrictStatus::Counted])
                               .arg(statuses[DistrictStatus::Errors])
                               .arg(statuses[DistrictStatus::Damaged])
                               .arg(statuses[DistrictStatus::Conflict])
                               .arg(statuses[DistrictStatus::Missing]));
    print(environment.out,
          u"Súhrn je v priečinku %1: strany.csv, kandidati.csv, okrsky.csv, suhrn.json, suhrn.pdf"_s.arg(
              QDir::toNativeSeparators(output)));
    return summary.counts().allAccepted() ? 0 : 1;
}

int printDistrict(const CommandLine &line, const Environment &environment) {
    const QString shown = line.paths.first();
    const auto opened = openArchive(QFileInfo(shown).absoluteFilePath());
    const QString pdf = line.option(u"--pdf"_s);
    const QString lists = codeListFolder(line, environment);
    QDir::setCurrent(environment.installationFolder);
    if (const QString *refusal = std::get_if<QString>(&opened)) {
        print(environment.out, shown + u"  CHYBA  "_s + *refusal);
        return 1;
    }
    const ArchiveContent &content = std::get<ArchiveContent>(opened);
    DistrictCheck district(lists);
    if (const QString refusal = district.load(content.sName, content.sFile, content.pName, content.pFile);
        !refusal.isEmpty()) {
        print(environment.out, shown + u"  CHYBA  "_s + refusal);
        return 1;
    }
    writeHtmlPdf(joinDocuments(district.documents()), u"Zápisnica T/12, prílohy T/13 a chybové protokoly"_s, pdf);
    print(environment.out,
          u"Zápisnica T/12, prílohy T/13 a oba chybové protokoly sú v súbore %1"_s.arg(QDir::toNativeSeparators(pdf)));
    return 0;
}

int restore(const CommandLine &line, const Environment &environment) {
    const QString backup = QFileInfo(line.paths.first()).absoluteFilePath();
    const QString data = line.option(u"--data"_s);
    restoreBackup(backup, data);
    print(environment.out,
          u"Záloha %1 je obnovená v priečinku %2; údaje, ktoré nahradila, sú v jeho novej zálohe."_s.arg(
              QDir::toNativeSeparators(backup), QDir::toNativeSeparators(data)));
    return 0;
}

} // namespace

int runCommand(const QStringList &arguments, const Environment &environment) {
    QString error;
    const std::optional<CommandLine> line = parse(arguments, error);
    if (!line) {
        print(environment.err, error);
        std::fputs(kUsage, environment.err);
        return 2;
    }
    try {
        if (line->command == u"tlac"_s)
            return printDistrict(*line, environment);
        if (line->command == u"obnov"_s)
            return restore(*line, environment);
        return verify(*line, environment);
    } catch (const VolbyError &e) {
        std::fflush(environment.out);
        print(environment.err, e.message());
        return 1;
    }
}

} // namespace centre
