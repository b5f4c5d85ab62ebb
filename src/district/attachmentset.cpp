#include "district/attachmentset.h"

#include "checks/attachmentchecks.h"
#include "checks/sums.h"
#include "model/currentattachment.h"
#include "model/decimalvalue.h"
#include "model/district.h"
#include "model/partydisplay.h"
#include "model/services.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/table.h"

#include <QStringList>

namespace {

const QString kComboText = QStringLiteral("Prechod na inú politickú stranu");
const QString kZero = QStringLiteral("0");

void markProtocolGenerated(Table &s1)
{
    s1.edit();
    s1.setText(QStringLiteral("TYPV"), QStringLiteral("1"));
    s1.post();
}

void copyRecord(const Table &from, Table &to)
{
    for (int i = 0; i < to.fieldCount(); ++i)
        to.setText(i, from.text(i));
}

// Step 5 of the regeneration: one P1_temp record per party with votes, in ascending number, carrying the
// content of the party's first P1 record or zeros, with the identification of the protocol.
QStringList collectAttachments(Table &s1, Table &p1, Table &temp)
{
    QStringList items;
    for (int party = 1; party <= 26; ++party) {
        if (s1.integer(schemas::S1_PPHPS1 + party - 1) <= 0)
            continue;
        const QString kon = QString::number(party);
        items.append(QStringLiteral("Číslo politickej strany: ") + kon);
        temp.append();
        if (p1.locate(QStringLiteral("KON"), kon)) {
            copyRecord(p1, temp);
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

void moveAndShow(District &district, int step)
{
    if (!partyChangeGate(district))
        return;
    if (decimalValue(district.asponhlas()) > 0)
        district.TP1().moveBy(step);
    showCurrentAttachment(district);
    district.setComboIndex(district.TP1().recordNumber() - 1);
}

} // namespace

void GeneratingP1(District &district)
{
    Table &s1 = district.TS1();
    Table &p1 = district.TP1();
    Table &temp = district.data().TP1_TEMP();

    sKC3(district);
    // P1_temp is scratch: what it holds during the regeneration lives in memory only, and an error on
    // the way leaves both tables as they were. Its file is written, empty, only when it held rows;
    // otherwise leaving the rewrite uncommitted reads the empty file back.
    const bool tempStoredEmpty = temp.recordCount() == 0;
    TableRewrite tempRewrite(temp);
    const auto emptyTemp = [&] {
        temp.empty();
        if (!tempStoredEmpty)
            tempRewrite.commit();
    };
    if (decimalValue(district.asponhlas()) == 0) {
        markProtocolGenerated(s1);
        emptyTemp();
        district.services().messageBox(QStringLiteral("Nikto nedostal ani 1 hlas"));
        return;
    }

    const QStringList items = collectAttachments(s1, p1, temp);

    // P1 is replaced as a whole: after a crash the file holds the old or the new attachment set.
    {
        TableRewrite p1Rewrite(p1);
        temp.first();
        for (int i = 0; i < temp.recordCount(); ++i, temp.next()) {
            p1.append();
            copyRecord(temp, p1);
            p1.post();
            pKC1(district);
        }
        p1Rewrite.commit();
    }
    // The list follows the table only once the new set is stored.
    district.clearCombo(kComboText);
    for (const QString &item : items)
        district.addComboItem(item);

    p1.first();
    district.setLabel13(QString::number(p1.recordNumber()));
    PocKand(district);
    markProtocolGenerated(s1);
    emptyTemp();
}

bool partyChangeGate(District &district)
{
    T13K14(district, 1);
    T13K15(district, 1);
    return district.K14_OK() && district.K15_OK();
}

void DoPreduClick(District &district) { moveAndShow(district, 1); }

void DoZaduClick(District &district) { moveAndShow(district, -1); }

void Combo_RychlaVolbaChange(District &district, int index)
{
    Table &p1 = district.TP1();
    district.setComboIndex(index);
    if (!partyChangeGate(district)) {
        district.setComboIndex(p1.recordNumber() - 1);
        return;
    }
    p1.first();
    if (index > 0)
        p1.moveBy(index);
    showCurrentAttachment(district);
}

void VymazPolStranu(District &district)
{
    Table &p1 = district.TP1();
    p1.edit();
    for (int i = schemas::P1_VPH; i < p1.fieldCount(); ++i)
        p1.setText(i, kZero);
    p1.post();
    district.services().focus(QStringLiteral("pVPH"));
}
