#include "crashworkload.h"

#include "store/datamodule.h"

#include <cstdio>

namespace crashworkload {

namespace {

QString value(qint64 generation, int width) {
    return QString::number(generation).right(width);
}

// The workload's own control sum of a record: the sum of the figures in positions [from, to).
qint64 sum(const Table &table, int from, int to) {
    qint64 total = 0;
    for (int i = from; i < to; ++i)
        total += table.text(i).toLongLong();
    return total;
}

// S1 of generation g: the identification and the counts derived from g, KC1 and KC2 their sums, KCT the
// generation itself.
void writeProtocol(Table &s1, qint64 g) {
    s1.first();
    s1.edit();
    s1.setText(QStringLiteral("OBVOD"), value(g % 997, 3));
    s1.setText(QStringLiteral("OBEC"), value(g % 999983, 6));
    s1.setText(QStringLiteral("OKRSOK"), value(g % 13, 3));
    for (int i = 4; i < schemas::S1_KC1; ++i)
        s1.setText(i, value(g + i, 7));
    s1.setText(QStringLiteral("KCT"), QString::number(g));
    s1.post();
    s1.edit();
    s1.setText(QStringLiteral("KC1"), QString::number(sum(s1, 1, 4)));
    s1.setText(QStringLiteral("KC2"), QString::number(sum(s1, 4, schemas::S1_KC1)));
    s1.post();
}

// P1 of generation g: replaced by 1 + g % 5 attachments with the protocol's identification, then every
// attachment's figures changed in place and its sums posted after them.
void writeAttachments(Table &p1, const Table &s1, qint64 g) {
    {
        TableRewrite rewrite(p1);
        for (int r = 0; r < 1 + g % 5; ++r) {
            p1.append();
            for (int i = 1; i <= 3; ++i)
                p1.setText(i, s1.text(i));
            p1.setInteger(schemas::P1_KON, r + 1);
            for (int i = schemas::P1_VPH; i < schemas::P1_KC1; ++i)
                p1.setText(i, value(g, 7));
            p1.setText(QStringLiteral("KCT"), QString::number(g));
            p1.post();
        }
        rewrite.commit();
    }
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
        p1.edit();
        for (int i = schemas::P1_VPH; i < schemas::P1_KC1; ++i)
            p1.setText(i, value(g + r + i, 7));
        p1.post();
        p1.edit();
        p1.setText(QStringLiteral("KC1"), QString::number(sum(p1, 1, 5)));
        p1.setText(QStringLiteral("KC2"), QString::number(sum(p1, schemas::P1_VPH, schemas::P1_KC1)));
        p1.post();
    }
}

} // namespace

void run(DataModule &data) {
    Table &s1 = data.TS1();
    s1.first();
    qint64 g = s1.recordCount() ? s1.text(QStringLiteral("KCT")).toLongLong() : 0;
    for (;;) {
        ++g;
        Action action(data.store());
        writeProtocol(s1, g);
        writeAttachments(data.TP1(), s1, g);

        Table &name = data.TTEMPTLAC();
        name.edit();
        name.setText(0, QStringLiteral("Obec č. %1").arg(g));
        name.post();

        Table &lines = data.TProtokol1();
        TableRewrite rewrite(lines);
        for (int i = 0; i < g % 7; ++i) {
            lines.append();
            lines.setText(QStringLiteral("KOD_CHYBY"), QStringLiteral("K04"));
            lines.setText(QStringLiteral("CH_OZNAM"), QStringLiteral("riadok %1").arg(g));
            lines.post();
        }
        rewrite.commit();
        action.commit();
        std::printf("%lld\n", g);
        std::fflush(stdout);
    }
}

QString verify(Table &s1, Table &p1, Table &name, Table &lines, qint64 lastCommitted, qint64 *generation) {
    if (s1.recordCount() > 1)
        return QStringLiteral("S1 has %1 records").arg(s1.recordCount());
    qint64 g = 0;
    if (s1.recordCount() == 1) {
        s1.first();
        g = s1.text(QStringLiteral("KCT")).toLongLong();
        if (s1.text(QStringLiteral("KC1")).toLongLong() != sum(s1, 1, 4) ||
            s1.text(QStringLiteral("KC2")).toLongLong() != sum(s1, 4, schemas::S1_KC1))
            return QStringLiteral("S1 of generation %1: the sums disagree with the figures").arg(g);
        for (int i = 4; i < schemas::S1_KC1; ++i)
            if (s1.text(i) != value(g + i, 7))
                return QStringLiteral("S1 field %1 holds '%2' in generation %3").arg(i).arg(s1.text(i)).arg(g);
    }
    *generation = g;
    // The action in flight when the process was killed may be there or not; every committed one is.
    if (g < lastCommitted || g > lastCommitted + 1)
        return QStringLiteral("S1 holds generation %1, the last committed is %2").arg(g).arg(lastCommitted);
    if (g == 0)
        return QString();

    if (p1.recordCount() != 1 + g % 5)
        return QStringLiteral("P1 has %1 records in generation %2").arg(p1.recordCount()).arg(g);
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
        if (p1.text(QStringLiteral("KCT")) != QString::number(g) || p1.integer(schemas::P1_KON) != r + 1)
            return QStringLiteral("P1 record %1 is not of generation %2").arg(r + 1).arg(g);
        for (int i = 1; i <= 3; ++i)
            if (p1.text(i) != s1.text(i))
                return QStringLiteral("P1 record %1 and S1 disagree on %2").arg(r + 1).arg(p1.schema().fields[i].name);
        for (int i = schemas::P1_VPH; i < schemas::P1_KC1; ++i)
            if (p1.text(i) != value(g + r + i, 7))
                return QStringLiteral("P1 record %1 field %2 holds '%3'").arg(r + 1).arg(i).arg(p1.text(i));
        if (p1.text(QStringLiteral("KC1")).toLongLong() != sum(p1, 1, 5) ||
            p1.text(QStringLiteral("KC2")).toLongLong() != sum(p1, schemas::P1_VPH, schemas::P1_KC1))
            return QStringLiteral("P1 record %1: the sums disagree with the figures").arg(r + 1);
    }
    if (name.recordCount() != 1)
        return QStringLiteral("TEMP_TLAC has %1 records").arg(name.recordCount());
    name.first();
    if (name.text(0) != QStringLiteral("Obec č. %1").arg(g))
        return QStringLiteral("TEMP_TLAC holds '%1' in generation %2").arg(name.text(0)).arg(g);
    if (lines.recordCount() != g % 7)
        return QStringLiteral("chyb_prot has %1 lines in generation %2").arg(lines.recordCount()).arg(g);
    lines.first();
    for (int i = 0; i < lines.recordCount(); ++i, lines.next())
        if (lines.text(QStringLiteral("CH_OZNAM")) != QStringLiteral("riadok %1").arg(g))
            return QStringLiteral("chyb_prot mixes generations");
    return QString();
}

} // namespace crashworkload
