// The regeneration of the attachment set (one party's attachment dropped or restored each time) and the complete check
// on a full district (21 parties, 150 candidates each, every figure non-zero, some checks failing), durable commit
// included, without the busy window's pause.
//
// usage: bench_attachment_set [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "checks/completecheck.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FullDistrict bench(argc, argv);
    if (!bench.isValid())
        return 1;
    DataModule &data = bench.data();
    District &district = bench.district();

    constexpr int runs = 100;
    Table &p1 = data.TP1();
    BareSync bare(bench.folder());
    Series generating(bare), checking(bare);
    Table &s1 = data.TS1();
    for (int i = 0; i < runs; ++i) {
        // Party 21's votes come and go: every regeneration drops or restores its attachment.
        s1.first();
        s1.edit();
        s1.setInteger(schemas::S1_PPHPS1 + 20, i % 2 ? 1000 : 0);
        s1.post();
        generating.run([&] { (void)GeneratingP1(district); });
        // Party 3's first candidate over VPH by 1 or 2: the K16 line differs from run to run.
        p1.locate(QStringLiteral("KON"), QStringLiteral("3"));
        p1.edit();
        p1.setInteger(schemas::P1_K1, 501 + i % 2);
        p1.post();
        checking.run([&] { (void)KompletnaKontrola(district); });
    }
    generating.print("GeneratingP1, 21 attachments");
    std::printf("KompletnaKontrola: %lld + %lld protocol lines\n", qlonglong(district.Protokol1().lines.size()),
                qlonglong(district.Protokol2().lines.size()));
    checking.print("KompletnaKontrola");
    return 0;
}
