#include "centre/figures.h"

#include "store/datamodule.h"
#include "store/schema.h"
#include "store/table.h"

using namespace Qt::StringLiterals;

namespace centre {

namespace {

const char *const kCountFields[COUNTS] = {"POZZV", "PVO", "POO_POSTA", "POO", "PPHS"};

} // namespace

std::variant<DistrictFigures, QString> readFigures(DataModule &data) {
    Table &s1 = data.TS1();
    s1.first();
    DistrictFigures figures;
    figures.obvod = s1.text(u"OBVOD"_s);
    figures.obec = s1.text(u"OBEC"_s);
    figures.okrsok = s1.text(u"OKRSOK"_s);
    for (int i = 0; i < COUNTS; ++i)
        figures.counts[i] = s1.integer(QString::fromLatin1(kCountFields[i]));
    for (int n = 1; n <= PARTIES; ++n)
        figures.votes[n - 1] = s1.integer(schemas::S1_PPHPS1 + n - 1);

    Table &p1 = data.TP1();
    std::array<bool, PARTIES> seen{};
    p1.first();
    for (int record = 1; record <= p1.recordCount(); ++record, p1.next()) {
        const QString kon = p1.text(schemas::P1_KON);
        const QString attachment = u"príloha č. %1 (strana %2)"_s.arg(record).arg(kon);
        if (p1.text(u"OBVOD"_s) != figures.obvod || p1.text(u"OBEC"_s) != figures.obec ||
            p1.text(u"OKRSOK"_s) != figures.okrsok)
            return attachment + u" je z iného okrsku: "_s + p1.text(u"OBVOD"_s) + u'/' + p1.text(u"OBEC"_s) + u'/' +
                   p1.text(u"OKRSOK"_s);
        const int party = p1.integer(schemas::P1_KON);
        if (party < 1 || party > PARTIES)
            return attachment + u" je strany, ktorá nie je na hlasovacom lístku"_s;
        if (seen[party - 1])
            return attachment + u" je druhá príloha tej istej strany"_s;
        seen[party - 1] = true;
        figures.vph[party - 1] = p1.integer(schemas::P1_VPH);
        qint64 sum = 0;
        for (int n = 1; n <= CANDIDATES; ++n) {
            const qint32 votes = p1.integer(schemas::P1_K1 + n - 1);
            figures.candidates[party - 1][n - 1] = votes;
            sum += votes;
        }
        figures.preferential[party - 1] = sum;
    }
    p1.first();
    return figures;
}

} // namespace centre
