#include "centre/verification.h"

#include "centre/archivefile.h"
#include "centre/candidatetotals.h"
#include "centre/districtcheck.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/table.h"

#include <QElapsedTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

struct Opened {
    std::size_t index;
    ArchiveContent content;
};

// Imports, checks and, when it is free of errors, reads and adds up one archive's content. The row gets
// the district's status, its electoral district and, when counted, its figures.
void verifyContent(DistrictCheck &district, const ArchiveContent &content, ArchiveResult &result, DistrictRow &row,
                   CandidateTotals *totals) {
    QElapsedTimer timer;
    timer.start();
    row.status = DistrictStatus::Damaged;
    try {
        const QString refusal = district.load(content.sName, content.sFile, content.pName, content.pFile);
        result.times.lines = timer.nsecsElapsed();
        if (!refusal.isEmpty()) {
            result.reason = refusal;
            return;
        }
        Table &s1 = district.data().TS1();
        s1.first();
        result.obvod = s1.text(u"OBVOD"_s);
        result.obec = s1.text(u"OBEC"_s);
        result.okrsok = s1.text(u"OKRSOK"_s);
        row.obvod = result.obvod;

        timer.restart();
        const DistrictCheck::Verdict verdict = district.check();
        result.times.check = timer.nsecsElapsed();
        result.findings = verdict.findings;
        if (!verdict.clean) {
            result.status = ArchiveStatus::Errors;
            row.status = DistrictStatus::Errors;
            return;
        }

        timer.restart();
        const auto read = readFigures(district.data());
        if (const QString *problem = std::get_if<QString>(&read)) {
            result.reason = *problem;
            return;
        }
        const DistrictFigures &figures = std::get<DistrictFigures>(read);
        row.counts = figures.counts;
        row.votes = figures.votes;
        row.vph = figures.vph;
        row.preferential = figures.preferential;
        if (totals)
            totals->add(figures);
        result.times.aggregate = timer.nsecsElapsed();
        result.status = ArchiveStatus::Ok;
        row.status = DistrictStatus::Counted;
    } catch (const VolbyError &e) {
        // A figure that is no number, or a sum out of range: the district program stops there too.
        result.reason = e.message();
    }
}

QStringList shownOf(const GroupResult &result, const std::vector<Opened> &opened, std::size_t except) {
    QStringList shown;
    for (const Opened &o : opened)
        if (o.index != except)
            shown.append(result.archives[o.index].shown);
    return shown;
}

// The codes of the findings, each once: "K04, K14".
QString codesOf(const QStringList &findings) {
    QStringList codes;
    for (const QString &finding : findings)
        if (!codes.contains(finding.left(3)))
            codes.append(finding.left(3));
    return codes.join(u", "_s);
}

QString joined(const QString &first, const QString &second) {
    return first.isEmpty() ? second : first + u"; "_s + second;
}

} // namespace

GroupResult verifyGroup(DistrictCheck &district, const ArchiveGroup &group, CandidateTotals *totals) {
    GroupResult result;
    std::vector<Opened> opened;
    for (const ArchivePath &path : group.archives) {
        ArchiveResult archive;
        archive.shown = path.shown;
        QElapsedTimer timer;
        timer.start();
        auto content = openArchive(path.path);
        archive.times.open = timer.nsecsElapsed();
        if (QString *refusal = std::get_if<QString>(&content))
            archive.reason = *refusal;
        else
            opened.push_back({result.archives.size(), std::move(std::get<ArchiveContent>(content))});
        result.archives.push_back(std::move(archive));
    }

    DistrictRow row;
    row.obec = group.obec;
    row.okrsok = group.okrsok;
    row.status = DistrictStatus::Damaged;
    row.archive = result.archives.front().shown;
    const bool conflict = std::any_of(opened.begin(), opened.end(), [&](const Opened &o) {
        return o.content.digest != opened.front().content.digest;
    });
    if (conflict) {
        for (const Opened &o : opened) {
            ArchiveResult &archive = result.archives[o.index];
            archive.status = ArchiveStatus::Conflict;
            archive.reason =
                u"ten istý okrsok s iným obsahom je aj v "_s + shownOf(result, opened, o.index).join(u", "_s);
        }
        row.status = DistrictStatus::Conflict;
        row.archive.clear();
        row.note = u"rôzny obsah: "_s + shownOf(result, opened, opened.size()).join(u", "_s);
    } else if (!opened.empty()) {
        ArchiveResult &primary = result.archives[opened.front().index];
        verifyContent(district, opened.front().content, primary, row, totals);
        row.archive = primary.shown;
        for (std::size_t i = 1; i < opened.size(); ++i) {
            ArchiveResult &copy = result.archives[opened[i].index];
            copy.status = ArchiveStatus::Copy;
            copy.obvod = primary.obvod;
            copy.obec = primary.obec;
            copy.okrsok = primary.okrsok;
            copy.reason = u"rovnaký obsah ako "_s + primary.shown +
                          (primary.status == ArchiveStatus::Ok ? u", započítaný raz"_s : QString());
        }
        if (row.status == DistrictStatus::Damaged)
            row.note = primary.reason;
        else if (row.status == DistrictStatus::Errors)
            row.note = u"chyby: "_s + codesOf(primary.findings);
        if (opened.size() > 1)
            row.note = joined(row.note,
                              u"rovnaký obsah aj v "_s + shownOf(result, opened, opened.front().index).join(u", "_s));
    } else {
        row.note = result.archives.front().reason;
    }
    if (!group.obec.isEmpty())
        result.row = std::move(row);
    return result;
}

} // namespace centre
