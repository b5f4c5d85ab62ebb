#include "print/printtables.h"

#include "print/reportdata.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/schema.h"

#include <QHash>

using namespace Qt::StringLiterals;

QString dashRule(const QString &value) {
    return value == u"0" ? QStringLiteral("-") : value;
}

void fillProtocolPrintTable(DataModule &data) {
    Table &s1 = data.TS1();
    Table &copy = data.TS1_TLAC();
    s1.first();
    // A rewrite rather than an edit in place: the table ends with exactly one record whatever it held.
    TableRewrite rewrite(copy);
    copy.append();
    for (int i = 0; i < s1.fieldCount(); ++i)
        copy.setText(i, dashRule(s1.text(i)));
    copy.post();
    rewrite.commit();
}

void fillAttachmentPrintTables(DataModule &data) {
    Table &p1 = data.TP1();
    Table &first = data.TP1_TLAC1();
    Table &second = data.TP1_TLAC2();
    const QHash<QString, QString> partyNames = partyNamesByNumber(data.TVQ_KOAL());
    const QString municipality = data.TTEMPTLAC().recordCount() > 0 ? data.TTEMPTLAC().text(u"NOBEC"_s) : QString();

    static const QStringList dashed = [] {
        QStringList names = {u"OBVOD"_s, u"OBEC"_s, u"OKRSOK"_s, u"KON"_s, u"VPH"_s};
        for (int n = 1; n <= form::candidatesOnFirstPage; ++n)
            names << u"K"_s + QString::number(n);
        return names;
    }();
    const QStringList sums = {u"KC1"_s, u"KC2"_s, u"KC3"_s};

    TableRewrite firstRewrite(first);
    TableRewrite secondRewrite(second);
    forEachRecord(p1, [&](int n) {
        first.append();
        for (const QString &name : dashed)
            first.setText(name, dashRule(p1.text(name)));
        for (const QString &name : sums)
            first.setText(name, p1.text(name));
        const QString kon = p1.text(u"KON"_s);
        first.setText(u"PRILOHAC"_s, u"/"_s + QString::number(n));
        first.setText(u"NAZOVOBCE"_s, municipality);
        first.setText(u"MENOPSTR"_s, partyNames.value(kon, u"-"_s));
        first.post();

        second.append();
        for (int c = form::candidatesOnFirstPage + 1; c <= form::candidates; ++c) {
            const QString name = u"K"_s + QString::number(c);
            second.setText(name, dashRule(p1.text(name)));
        }
        second.setText(u"KC4"_s, p1.text(u"KC4"_s));
        second.setText(u"KC5"_s, p1.text(u"KC5"_s));
        second.setText(u"KON"_s, kon);
        second.post();
    });
    firstRewrite.commit();
    secondRewrite.commit();
}
