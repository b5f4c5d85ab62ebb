#include "store/wipe.h"

#include "store/datamodule.h"

namespace {

void writeZeros(Table &table)
{
    for (int i = 0; i < table.fieldCount(); ++i)
        table.setText(i, QStringLiteral("0"));
}

} // namespace

void vymaz_databazu(DataModule &data)
{
    // P1: one placeholder record of zeros, replacing every attachment in one step.
    Table &p1 = data.TP1();
    {
        TableRewrite rewrite(p1);
        p1.first();
        p1.edit(); // the table is empty: this starts the new record
        writeZeros(p1);
        p1.post();
        rewrite.commit();
    }

    Table &s1 = data.TS1();
    s1.first();
    s1.edit();
    writeZeros(s1);
    s1.post();

    Table &name = data.TTEMPTLAC();
    name.edit();
    name.setText(QStringLiteral("NOBEC"), QString());
    name.post();
}
