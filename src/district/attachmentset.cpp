#include "district/attachmentset.h"

#include "checks/attachmentchecks.h"
#include "checks/partyfigures.h"
#include "checks/report.h"
#include "checks/sums.h"
#include "model/currentattachment.h"
#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/outcome.h"
#include "model/partydisplay.h"
#include "store/backup.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/form.h"
#include "store/schema.h"
#include "store/table.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kZero = QStringLiteral("0");

QString comboItem(const QString &kon) {
    return QStringLiteral("Číslo politickej strany: ") + kon;
}

void markProtocolGenerated(Table &s1) {
    s1.edit();
    s1.setText(QStringLiteral("TYPV"), QStringLiteral("1"));
    s1.post();
}

bool holdsFigures(const Table &attachment) {
    for (int i = schemas::P1_VPH; i < schemas::P1_KC1; ++i) {
        const QString figure = attachment.text(i);
        if (!figure.isEmpty() && figure != kZero)
            return true;
    }
    return false;
}

// The attachments set aside, by party number, in the order of the table. P1, P1_temp and the aside
// table share one layout: records pass between them whole.
using AsideRecords = std::vector<std::pair<QString, QByteArray>>;

AsideRecords asideRecords(Table &aside) {
    AsideRecords records;
    aside.first();
    for (int i = 0; i < aside.recordCount(); ++i, aside.next())
        records.emplace_back(aside.text(schemas::P1_KON), aside.record());
    return records;
}

// Step 5 of the regeneration: one P1_temp record per party with votes, in ascending number, carrying the
// content of the party's first P1 record, or of its attachment set aside, or zeros, with the
// identification of the protocol. What is taken back from the aside copy leaves it.
QStringList collectAttachments(Table &s1, Table &p1, Table &temp, AsideRecords &aside) {
    QStringList items;
    for (int party = 1; party <= form::partyFields; ++party) {
        if (s1.integer(schemas::S1_PPHPS1 + party - 1) <= 0)
            continue;
        const QString kon = QString::number(party);
        items.append(comboItem(kon));
        temp.append();
        const auto keptAside =
            std::find_if(aside.begin(), aside.end(), [&](const auto &record) { return record.first == kon; });
        if (p1.locate(QStringLiteral("KON"), kon)) {
            temp.setRecord(p1.record());
        } else if (keptAside != aside.end()) {
            temp.setRecord(keptAside->second);
            aside.erase(keptAside);
        } else {
            for (int i = 0; i < temp.fieldCount(); ++i)
                temp.setText(i, kZero);
        }
        for (const QString &name : {QStringLiteral("OBVOD"), QStringLiteral("OBEC"), QStringLiteral("OKRSOK")})
            temp.setText(name, s1.text(name));
        temp.setText(schemas::P1_KON, kon);
        temp.post();
    }
    return items;
}

// The attachments the new set drops (parties without votes now) that hold a figure are set aside, the
// first record of each party, replacing what was set aside for it before: a mistyped 0 in the party's
// votes must not lose its keyed attachment.
void setAside(Table &s1, Table &p1, AsideRecords &aside) {
    QStringList seen;
    p1.first();
    for (int i = 0; i < p1.recordCount(); ++i, p1.next()) {
        const QString kon = p1.text(schemas::P1_KON);
        if (seen.contains(kon))
            continue;
        seen.append(kon);
        bool number = false;
        const int party = kon.toInt(&number);
        const bool hasVotes =
            number && party >= 1 && party <= form::partyFields && s1.integer(schemas::S1_PPHPS1 + party - 1) > 0;
        if (hasVotes || !holdsFigures(p1))
            continue;
        std::erase_if(aside, [&](const auto &record) { return record.first == kon; });
        aside.emplace_back(kon, p1.record());
    }
}

void storeAside(Table &table, const AsideRecords &aside) {
    TableRewrite rewrite(table);
    for (const auto &[kon, record] : aside) {
        table.append();
        table.setRecord(record);
        table.post();
    }
    rewrite.commit();
}

Outcome moveAndShow(District &district, int step) {
    Outcome outcome;
    if (!partyChangeGate(district, outcome))
        return outcome;
    if (decimalValue(district.asponhlas()) > 0)
        district.TP1().moveBy(step);
    showCurrentAttachment(district, outcome);
    selectCurrentAttachment(district, outcome);
    return outcome;
}

} // namespace

Outcome GeneratingP1(District &district) {
    Table &s1 = district.TS1();
    Table &p1 = district.TP1();
    Table &temp = district.data().TP1_TEMP();
    Table &asideTable = district.data().TP1_ODLOZ();
    // One action: an error on the way leaves every table as it was, P1_temp included.
    Action action(district.data().store());

    sKC3(district);
    if (decimalValue(district.asponhlas()) == 0) {
        markProtocolGenerated(s1);
        temp.empty();
        action.commit();
        Outcome outcome;
        outcome.message(QStringLiteral("Nikto nedostal ani 1 hlas"));
        return outcome;
    }

    temp.empty();
    AsideRecords aside = asideRecords(asideTable);
    const QStringList items = collectAttachments(s1, p1, temp, aside);
    setAside(s1, p1, aside);

    {
        TableRewrite p1Rewrite(p1);
        temp.first();
        for (int i = 0; i < temp.recordCount(); ++i, temp.next()) {
            p1.append();
            p1.setRecord(temp.record());
            p1.post();
            pKC1(district);
        }
        p1Rewrite.commit();
    }
    storeAside(asideTable, aside);
    markProtocolGenerated(s1);
    temp.empty();
    action.commit();

    // The list follows the table only once the new set is stored.
    Outcome outcome;
    outcome.show({DisplayChange::Kind::QuickChoiceItems, items});
    p1.first();
    outcome.show({DisplayChange::Kind::Counter, {QString::number(p1.recordNumber())}});
    PocKand(district, outcome);
    return outcome;
}

bool partyChangeGate(District &district, Outcome &outcome) {
    return partyFigureChecks(district, attachmentRecord(district.TP1()), Wording::MessageBox, showAtOnce(outcome));
}

Outcome DoPreduClick(District &district) {
    return moveAndShow(district, 1);
}

Outcome DoZaduClick(District &district) {
    return moveAndShow(district, -1);
}

Outcome Combo_RychlaVolbaChange(District &district, int index) {
    Table &p1 = district.TP1();
    Outcome outcome;
    if (!partyChangeGate(district, outcome)) {
        selectCurrentAttachment(district, outcome);
        return outcome;
    }
    p1.first();
    if (index > 0)
        p1.moveBy(index);
    showCurrentAttachment(district, outcome);
    return outcome;
}

Outcome VymazPolStranu(District &district) {
    Table &p1 = district.TP1();
    Action action(district.data().store());
    backUpDistrict(district.data(), QStringLiteral("nulovanie-prilohy"));
    p1.edit();
    for (int i = schemas::P1_VPH; i < p1.fieldCount(); ++i)
        p1.setText(i, kZero);
    p1.post();
    action.commit();
    Outcome outcome;
    outcome.focus(FormBox::Vph);
    return outcome;
}

Outcome showStoredDistrict(District &district) {
    Table &s1 = district.TS1();
    Table &p1 = district.TP1();
    s1.first();
    p1.first();
    PartyTotals totals;
    try {
        totals = partyTotals(s1);
    } catch (const VolbyError &) {
        // Votes that are no numbers (a protocol never keyed): shown as none, until the entry normalises them.
    }
    showPartyCounters(district, totals);
    Outcome outcome;
    boldnutT12(district, outcome);
    if (totals.parties > 0) {
        QStringList items;
        for (int i = 0; i < p1.recordCount(); ++i, p1.next())
            items.append(comboItem(p1.text(schemas::P1_KON)));
        outcome.show({DisplayChange::Kind::QuickChoiceItems, items});
        p1.first();
        outcome.show({DisplayChange::Kind::Counter, {QString::number(p1.recordNumber())}});
    }
    showParty(district, outcome);
    boldnut(district, outcome);
    return outcome;
}
