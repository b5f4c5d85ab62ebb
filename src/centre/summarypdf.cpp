#include "centre/summarypdf.h"

#include "centre/pdfoutput.h"
#include "centre/summary.h"
#include "print/reporttemplate.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

const QLocale &slovak() {
    static const QLocale locale(QLocale::Slovak, QLocale::Slovakia);
    return locale;
}

QString figure(qint64 value) {
    return slovak().toString(value);
}

// "1, 3–5, 9": the numbers, consecutive ones as a range.
QString ranges(const std::vector<int> &numbers) {
    QStringList parts;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        parts.append(j == i ? QString::number(numbers[i]) : u"%1–%2"_s.arg(numbers[i]).arg(numbers[j]));
        i = j + 1;
    }
    return parts.join(u", "_s);
}

// The first and the last row carry PRVY and POSLEDNY, so that the template opens and closes a table
// only when there are rows.
void markEnds(ReportConnection &rows) {
    if (rows.isEmpty())
        return;
    rows.first().append({u"PRVY"_s, u"1"_s});
    rows.last().append({u"POSLEDNY"_s, u"1"_s});
}

} // namespace

void writeSummaryPdf(const Summary &summary, const QString &path) {
    const std::vector<DistrictRow> districts = summary.districts();
    std::array<qint64, COUNTS> counts{};
    std::array<qint64, PARTIES> votes{};
    std::array<qint64, PARTIES> vph{};
    std::array<qint64, PARTIES> preferential{};
    qint64 inCodeList = 0;
    qint64 counted = 0;
    qint64 missing = 0;
    ReportConnection refused;
    ReportConnection absent;
    QHash<QString, std::vector<int>> missingByMunicipality;
    std::vector<const DistrictRow *> municipalityOrder;
    for (const Municipality &m : summary.lists().municipalities)
        inCodeList += m.districts;
    for (const DistrictRow &row : districts) {
        switch (row.status) {
        case DistrictStatus::Counted:
            ++counted;
            for (int c = 0; c < COUNTS; ++c)
                counts[c] += row.counts[c];
            for (int p = 0; p < PARTIES; ++p) {
                votes[p] += row.votes[p];
                vph[p] += row.vph[p];
                preferential[p] += row.preferential[p];
            }
            break;
        case DistrictStatus::Missing:
            ++missing;
            missingByMunicipality[row.obec].push_back(row.okrsok.toInt());
            if (missingByMunicipality[row.obec].size() == 1)
                municipalityOrder.push_back(&row);
            break;
        default:
            refused.append({{u"OBVOD"_s, summary.obvodOf(row)},
                            {u"OBEC"_s, row.obec},
                            {u"NAZOV_OBCE"_s, summary.municipalityName(row.obec)},
                            {u"OKRSOK"_s, row.okrsok},
                            {u"STAV"_s, statusWord(row.status)},
                            {u"ARCHIV"_s, row.archive},
                            {u"DOVOD"_s, row.note}});
        }
    }
    // One row per municipality: its districts without an archive.
    for (const DistrictRow *row : municipalityOrder)
        absent.append({{u"OBVOD"_s, summary.obvodOf(*row)},
                       {u"OBEC"_s, row->obec},
                       {u"NAZOV_OBCE"_s, summary.municipalityName(row->obec)},
                       {u"OKRSKY"_s, ranges(missingByMunicipality[row->obec])}});
    for (const auto &[shown, reason] : summary.unnamedRefused())
        refused.append({{u"STAV"_s, statusWord(DistrictStatus::Damaged)}, {u"ARCHIV"_s, shown}, {u"DOVOD"_s, reason}});
    markEnds(refused);
    markEnds(absent);

    const qint64 allVotes = std::accumulate(votes.begin(), votes.end(), qint64(0));
    const qint64 most = *std::max_element(votes.begin(), votes.end());
    ReportConnection parties;
    for (int p = 0; p < PARTIES; ++p) {
        // A party with votes keeps a visible bar however small its share.
        const int width = most == 0 || votes[p] == 0 ? 0 : std::max(1, int(votes[p] * 100 / most));
        const double share = allVotes == 0 ? 0.0 : 100.0 * double(votes[p]) / double(allVotes);
        parties.append({{u"KON"_s, QString::number(p + 1)},
                        {u"NAZOV"_s, summary.lists().parties[p].name},
                        {u"HLASY"_s, figure(votes[p])},
                        {u"PODIEL"_s, slovak().toString(share, 'f', 2)},
                        {u"SIRKA"_s, QString::number(width)},
                        {u"ZVYSOK"_s, QString::number(100 - width)},
                        {u"VPH"_s, figure(vph[p])},
                        {u"PREDNOSTNE"_s, figure(preferential[p])}});
    }

    const ArchiveCounts &archives = summary.counts();
    const ReportRow totals{{u"DATUM"_s, slovak().toString(QDateTime::currentDateTime(), u"d. M. yyyy H:mm"_s)},
                           {u"OKRSKOV"_s, figure(inCodeList)},
                           {u"ZAPOCITANE"_s, figure(counted)},
                           {u"CHYBAJUCE"_s, figure(missing)},
                           {u"ODMIETNUTE"_s, figure(refused.size())},
                           {u"ARCHIVOV"_s, figure(archives.all)},
                           {u"POZZV"_s, figure(counts[0])},
                           {u"PVO"_s, figure(counts[1])},
                           {u"POO_POSTA"_s, figure(counts[2])},
                           {u"POO"_s, figure(counts[3])},
                           {u"PPHS"_s, figure(counts[4])}};
    const ReportData data{
        {u"Suhrn"_s, {totals}}, {u"Strany"_s, parties}, {u"Odmietnute"_s, refused}, {u"Chybajuce"_s, absent}};
    const QString html = ReportTemplate::load(u"reporty/suhrn.html"_s).render(data);
    writeHtmlPdf(html, u"Súhrn výsledkov hlasovania"_s, path);
}

} // namespace centre
