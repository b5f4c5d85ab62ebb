#include "crashworkload.h"

#include "store/datamodule.h"

#include <cstdio>

namespace crashworkload {

namespace {

QString value(qint64 generation, int width) { return QString::number(generation).right(width); }

void stamp(Table &table, qint64 generation, int keep = -1)
{
    for (int i = 0; i < table.fieldCount(); ++i)
        if (i != keep)
            table.setText(i, value(generation, table.schema().fields[i].width));
}

} // namespace

void run(DataModule &data)
{
    Table &s1 = data.TS1();
    Table &p1 = data.TP1();
    s1.first();
    qint64 g = s1.recordCount() ? s1.integer(QStringLiteral("KC1")) : 0;
    for (;;) {
        ++g;
        s1.first();
        s1.edit();
        stamp(s1, g);
        s1.post();
        std::printf("S1 %lld\n", g);
        std::fflush(stdout);

        {
            TableRewrite rewrite(p1);
            for (int r = 0; r < 1 + g % 5; ++r) {
                p1.append();
                stamp(p1, g);
                p1.setInteger(schemas::P1_KON, r + 1);
                p1.post();
            }
            rewrite.commit();
        }
        for (int r = 0; r < p1.recordCount(); ++r) {
            p1.first();
            p1.moveBy(r);
            p1.edit();
            for (int i = schemas::P1_VPH; i < schemas::P1_KC1 + 5; ++i)
                p1.setText(i, value(g + 1000000 + r, p1.schema().fields[i].width));
            p1.post();
        }

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
    }
}

QString verify(DataModule &data, qint64 lastReported)
{
    Table &s1 = data.TS1();
    qint64 g = 0;
    if (s1.recordCount() > 1)
        return QStringLiteral("S1 has %1 records").arg(s1.recordCount());
    if (s1.recordCount() == 1) {
        g = s1.text(QStringLiteral("KC1")).toLongLong();
        for (int i = 0; i < s1.fieldCount(); ++i)
            if (s1.text(i) != value(g, s1.schema().fields[i].width))
                return QStringLiteral("S1 field %1 holds '%2' in generation %3").arg(i).arg(s1.text(i)).arg(g);
    }
    if (g < lastReported)
        return QStringLiteral("S1 lost generation %1 (holds %2)").arg(lastReported).arg(g);

    Table &p1 = data.TP1();
    if (p1.recordCount() > 0) {
        p1.first();
        const qint64 generation = p1.text(QStringLiteral("KCT")).toLongLong();
        if (p1.recordCount() != 1 + generation % 5)
            return QStringLiteral("P1 has %1 records in generation %2").arg(p1.recordCount()).arg(generation);
        // The records are updated in place one after the other: the updated ones first, then at most one
        // caught in the middle of its post, then the ones not reached yet. A post cut off by the kill may
        // leave its record with each field either old or new (the kill can stop one write between two
        // pages of the file); every field must still be one or the other, and no other record may change.
        enum class State { Updated, InFlight, Untouched };
        State previous = State::Updated;
        for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
            if (p1.text(QStringLiteral("KCT")) != value(generation, 15) || p1.integer(schemas::P1_KON) != r + 1)
                return QStringLiteral("P1 record %1 mixes generations").arg(r + 1);
            int updated = 0;
            int untouched = 0;
            for (int i = schemas::P1_VPH; i < schemas::P1_KC1 + 5; ++i) {
                const int width = p1.schema().fields[i].width;
                if (p1.text(i) == value(generation + 1000000 + r, width))
                    ++updated;
                else if (p1.text(i) == value(generation, width))
                    ++untouched;
                else
                    return QStringLiteral("P1 record %1 field %2 holds neither value").arg(r + 1).arg(i);
            }
            const State state = untouched == 0 ? State::Updated : updated == 0 ? State::Untouched : State::InFlight;
            if (state < previous || (state == State::InFlight && previous == State::InFlight))
                return QStringLiteral("P1 record %1 is out of the order of the updates").arg(r + 1);
            previous = state == State::InFlight ? State::Untouched : state;
        }
    }

    Table &lines = data.TProtokol1();
    if (lines.recordCount() > 0) {
        lines.first();
        const QString text = lines.text(QStringLiteral("CH_OZNAM"));
        const qint64 generation = text.section(QLatin1Char(' '), 1).toLongLong();
        if (lines.recordCount() != generation % 7)
            return QStringLiteral("chyb_prot has %1 lines in generation %2").arg(lines.recordCount()).arg(generation);
        for (int i = 0; i < lines.recordCount(); ++i, lines.next())
            if (lines.text(QStringLiteral("CH_OZNAM")) != text)
                return QStringLiteral("chyb_prot mixes generations");
    }
    if (data.TTEMPTLAC().recordCount() > 1)
        return QStringLiteral("TEMP_TLAC has %1 records").arg(data.TTEMPTLAC().recordCount());
    return QString();
}

} // namespace crashworkload
