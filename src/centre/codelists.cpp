#include "centre/codelists.h"

#include "print/reportdata.h"
#include "store/datamodule.h"
#include "store/table.h"

using namespace Qt::StringLiterals;

namespace centre {

const Municipality *CodeLists::municipality(const QString &obec) const {
    const auto found = m_index.constFind(obec);
    return found == m_index.cend() ? nullptr : &municipalities[std::size_t(*found)];
}

CodeLists CodeLists::read(DataModule &data) {
    CodeLists lists;
    Table &obce = data.TVQ_OBCE();
    obce.first();
    for (int r = 0; r < obce.recordCount(); ++r, obce.next()) {
        Municipality m{obce.text(u"OBVOD"_s), obce.text(u"OBEC"_s), obce.text(u"NOBEC"_s), obce.integer(u"POCOKS"_s)};
        // The first record of a code counts, as the municipality checks find it.
        if (!lists.m_index.contains(m.obec)) {
            lists.m_index.insert(m.obec, qsizetype(lists.municipalities.size()));
            lists.municipalities.push_back(std::move(m));
        }
    }

    Table &koal = data.TVQ_KOAL();
    const QHash<QString, QString> names = partyNamesByNumber(koal);
    QHash<QString, int> candidates;
    forEachRecord(koal, [&](int) {
        if (!candidates.contains(koal.text(u"KON"_s)))
            candidates.insert(koal.text(u"KON"_s), koal.integer(u"POCKAN"_s));
    });
    for (int n = 1; n <= PARTIES; ++n) {
        const QString kon = QString::number(n);
        lists.parties[n - 1] = {names.value(kon, u"-"_s), candidates.value(kon, 0)};
    }
    return lists;
}

} // namespace centre
