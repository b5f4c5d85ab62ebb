#include "store/wipe.h"

#include "store/backup.h"
#include "store/datamodule.h"

namespace {

void writeZeros(Table &table) {
    for (int i = 0; i < table.fieldCount(); ++i)
        table.setText(i, QStringLiteral("0"));
}

} // namespace

void vymaz_databazu(DataModule &data) {
    // One action: after a crash the district is either wiped as a whole or not at all.
    Action action(data.store());
    backUpDistrict(data, QStringLiteral("vymazanie"));

    // P1: one placeholder record of zeros, replacing every attachment.
    Table &p1 = data.TP1();
    p1.empty();
    p1.first();
    p1.edit(); // the table is empty: this starts the new record
    writeZeros(p1);
    p1.post();

    Table &s1 = data.TS1();
    s1.first();
    s1.edit();
    writeZeros(s1);
    s1.post();

    Table &name = data.TTEMPTLAC();
    name.edit();
    name.setText(QStringLiteral("NOBEC"), QString());
    name.post();

    data.TP1_ODLOZ().empty();
    action.commit();
}
