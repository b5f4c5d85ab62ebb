#include "print/reportdata.h"

#include "store/datamodule.h"
#include "store/form.h"

using namespace Qt::StringLiterals;

void forEachRecord(Table &table, const std::function<void(int number)> &visit) {
    const int current = table.recordNumber();
    table.first();
    const int count = table.recordCount();
    for (int n = 1; n <= count; ++n) {
        if (n > 1)
            table.next();
        visit(n);
    }
    table.first();
    if (current > 1)
        table.moveBy(current - 1);
}

QHash<QString, QString> partyNamesByNumber(Table &koal) {
    QHash<QString, QString> names;
    forEachRecord(koal, [&](int) {
        const QString kon = koal.text(u"KON"_s);
        if (!names.contains(kon))
            names.insert(kon, koal.text(u"NKO"_s));
    });
    return names;
}

namespace {

ReportConnection readRows(Table &table) {
    ReportConnection rows;
    forEachRecord(table, [&](int number) {
        ReportRow row;
        row.reserve(table.fieldCount() + 1);
        for (int i = 0; i < table.fieldCount(); ++i)
            row.append({table.schema().fields[i].name, table.text(i)});
        row.append({u"RECNO"_s, QString::number(number)});
        rows.append(row);
    });
    return rows;
}

// The ballot numbers in use, each with its full name and its votes from the print copy of the protocol.
ReportConnection partyVoteRows(Table &koal, Table &protocolCopy) {
    const QHash<QString, QString> names = partyNamesByNumber(koal);
    const bool copied = protocolCopy.recordCount() > 0;
    if (copied)
        protocolCopy.first();
    ReportConnection rows;
    for (int n = 1; n <= form::ballotParties; ++n) {
        const QString kon = QString::number(n);
        rows.append({{u"KON"_s, kon},
                     {u"NKO"_s, names.value(kon, u"-"_s)},
                     {u"PPHPS"_s, copied ? protocolCopy.text(u"PPHPS"_s + kon) : QString()}});
    }
    return rows;
}

} // namespace

ReportData readReportConnections(DataModule &data) {
    return {
        {u"RvTS1"_s, readRows(data.TS1_TLAC())},
        {u"RvTP1_TLAC1"_s, readRows(data.TP1_TLAC1())},
        {u"RvTP1_TLAC2"_s, readRows(data.TP1_TLAC2())},
        {u"RvTEMPTLAC"_s, readRows(data.TTEMPTLAC())},
        {u"RvTProtokol1"_s, readRows(data.TProtokol1())},
        {u"RvProtokol2"_s, readRows(data.TProtokol2())},
        {u"PartyVotes"_s, partyVoteRows(data.TVQ_KOAL(), data.TS1_TLAC())},
    };
}
