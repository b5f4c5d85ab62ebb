#include "centre/summary.h"

#include <tuple>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

// A municipality's, an electoral district's or the whole count's parties.
struct PartySums {
    qint64 districts = 0;
    std::array<qint64, PARTIES> votes{};
    std::array<qint64, PARTIES> vph{};
    std::array<qint64, PARTIES> preferential{};

    void add(const DistrictRow &row) {
        ++districts;
        for (int p = 0; p < PARTIES; ++p) {
            votes[p] += row.votes[p];
            vph[p] += row.vph[p];
            preferential[p] += row.preferential[p];
        }
    }
};

qint64 number(const QString &text) {
    return text.toLongLong();
}

// Codes compared as numbers, so that 99 comes before 100.
struct ByNumber {
    bool operator()(const QString &a, const QString &b) const {
        return std::make_tuple(number(a), a) < std::make_tuple(number(b), b);
    }
};

} // namespace

QString statusWord(DistrictStatus status) {
    switch (status) {
    case DistrictStatus::Counted:
        return u"OK"_s;
    case DistrictStatus::Errors:
        return u"CHYBA"_s;
    case DistrictStatus::Damaged:
        return u"POŠKODENÝ"_s;
    case DistrictStatus::Conflict:
        return u"ROZPOR"_s;
    case DistrictStatus::Missing:
        break;
    }
    return u"CHÝBA"_s;
}

void Summary::add(const GroupResult &result) {
    for (const ArchiveResult &archive : result.archives) {
        ++m_counts.all;
        switch (archive.status) {
        case ArchiveStatus::Ok:
            ++m_counts.ok;
            break;
        case ArchiveStatus::Errors:
            ++m_counts.errors;
            break;
        case ArchiveStatus::Refused:
            ++m_counts.refused;
            if (!result.row)
                m_unnamed.emplace_back(archive.shown, archive.reason);
            break;
        case ArchiveStatus::Copy:
            ++m_counts.copies;
            break;
        case ArchiveStatus::Conflict:
            ++m_counts.conflicts;
            break;
        }
    }
    if (result.row)
        m_rows.emplace(std::make_pair(number(result.row->obec), number(result.row->okrsok)), *result.row);
}

QString Summary::obvodOf(const DistrictRow &row) const {
    if (!row.obvod.isEmpty())
        return row.obvod;
    const Municipality *m = m_lists.municipality(row.obec);
    return m ? m->obvod : QString();
}

QString Summary::municipalityName(const QString &obec) const {
    const Municipality *m = m_lists.municipality(obec);
    return m ? m->name : QString();
}

std::vector<DistrictRow> Summary::districts() const {
    std::vector<DistrictRow> rows;
    rows.reserve(m_rows.size());
    for (const auto &[key, row] : m_rows)
        rows.push_back(row);
    for (const Municipality &m : m_lists.municipalities) {
        for (int okrsok = 1; okrsok <= m.districts; ++okrsok) {
            if (m_rows.contains({number(m.obec), okrsok}))
                continue;
            DistrictRow missing;
            missing.obvod = m.obvod;
            missing.obec = m.obec;
            missing.okrsok = QString::number(okrsok);
            rows.push_back(std::move(missing));
        }
    }
    std::sort(rows.begin(), rows.end(), [this](const DistrictRow &a, const DistrictRow &b) {
        return std::make_tuple(number(obvodOf(a)), number(a.obec), number(a.okrsok), a.obec) <
               std::make_tuple(number(obvodOf(b)), number(b.obec), number(b.okrsok), b.obec);
    });
    return rows;
}

OutputTable Summary::partiesTable() const {
    PartySums total;
    std::map<QString, PartySums, ByNumber> byObvod;
    std::map<QString, PartySums, ByNumber> byObec;
    for (const auto &[key, row] : m_rows) {
        if (row.status != DistrictStatus::Counted)
            continue;
        total.add(row);
        byObvod[row.obvod].add(row);
        byObec[row.obec].add(row);
    }
    OutputTable table({u"UROVEN"_s, u"OBVOD"_s, u"OBEC"_s, u"NAZOV_OBCE"_s, u"OKRSKOV"_s, u"KON"_s, u"NAZOV_STRANY"_s,
                       u"PLATNE_HLASY"_s, u"VPH"_s, u"PREDNOSTNE_HLASY"_s});
    const auto rows = [&](const QString &level, const QString &obvod, const QString &obec, const QString &name,
                          const PartySums &sums) {
        for (int p = 0; p < PARTIES; ++p)
            table.addRow({level, obvod, obec, name, sums.districts, qint64(p + 1), m_lists.parties[p].name,
                          sums.votes[p], sums.vph[p], sums.preferential[p]});
    };
    rows(u"spolu"_s, {}, {}, {}, total);
    for (const auto &[obvod, sums] : byObvod)
        rows(u"obvod"_s, obvod, {}, {}, sums);
    for (const auto &[obec, sums] : byObec) {
        const Municipality *m = m_lists.municipality(obec);
        rows(u"obec"_s, m ? m->obvod : QString(), obec, m ? m->name : QString(), sums);
    }
    return table;
}

OutputTable Summary::candidatesTable() const {
    OutputTable table({u"UROVEN"_s, u"OBVOD"_s, u"KON"_s, u"NAZOV_STRANY"_s, u"PORADIE"_s, u"PREDNOSTNE_HLASY"_s});
    // Every candidate of the party's list, and any other that got a vote.
    const auto rows = [&](const QString &level, const QString &obvod, const CandidateVotes &votes) {
        for (int p = 0; p < PARTIES; ++p)
            for (int n = 0; n < CANDIDATES; ++n)
                if (n < m_lists.parties[p].candidates || votes[p][n] != 0)
                    table.addRow({level, obvod, qint64(p + 1), m_lists.parties[p].name, qint64(n + 1), votes[p][n]});
    };
    rows(u"spolu"_s, {}, m_candidates.total());
    const std::map<QString, CandidateVotes, ByNumber> byObvod(m_candidates.byObvod().begin(),
                                                              m_candidates.byObvod().end());
    for (const auto &[obvod, votes] : byObvod)
        rows(u"obvod"_s, obvod, votes);
    return table;
}

OutputTable Summary::districtsTable() const {
    QStringList columns{u"OBVOD"_s,    u"OBEC"_s,  u"NAZOV_OBCE"_s, u"OKRSOK"_s,    u"STAV"_s, u"ARCHIV"_s,
                        u"POZNAMKA"_s, u"POZZV"_s, u"PVO"_s,        u"POO_POSTA"_s, u"POO"_s,  u"PPHS"_s};
    for (int p = 1; p <= PARTIES; ++p)
        columns.append(u"PPHPS%1"_s.arg(p));
    for (int p = 1; p <= PARTIES; ++p)
        columns.append(u"VPH%1"_s.arg(p));
    for (int p = 1; p <= PARTIES; ++p)
        columns.append(u"PREDNOSTNE%1"_s.arg(p));
    OutputTable table(columns);
    for (const DistrictRow &row : districts()) {
        std::vector<OutputTable::Cell> cells{
            obvodOf(row), row.obec, municipalityName(row.obec), row.okrsok, statusWord(row.status),
            row.archive,  row.note};
        const bool counted = row.status == DistrictStatus::Counted;
        const auto figure = [counted](qint64 value) {
            return counted ? OutputTable::Cell(value) : OutputTable::Cell();
        };
        for (const qint32 count : row.counts)
            cells.push_back(figure(count));
        for (const qint32 votes : row.votes)
            cells.push_back(figure(votes));
        for (const qint32 vph : row.vph)
            cells.push_back(figure(vph));
        for (const qint64 preferential : row.preferential)
            cells.push_back(figure(preferential));
        table.addRow(cells);
    }
    return table;
}

} // namespace centre
