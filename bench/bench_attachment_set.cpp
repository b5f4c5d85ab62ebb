// The regeneration of the attachment set and the complete check on a full district (21 parties,
// 150 candidates each, every figure non-zero, some checks failing), durable writes included, without
// the busy window's pause.
//
// usage: bench_attachment_set [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "checks/completecheck.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FullDistrict bench(argc, argv);
    if (!bench.isValid())
        return 1;
    DataModule &data = bench.data();
    District &district = bench.district();

    constexpr int runs = 100;
    std::vector<double> generating, checking;
    Table &p1 = data.TP1();
    BareSync bare(bench.folder());
    for (int i = 0; i < runs; ++i) {
        bare.run();
        generating.push_back(elapsedMs([&] { GeneratingP1(district); }));
        // Party 3's first candidate over VPH by 1 or 2: the K16 line differs from run to run.
        p1.locate(QStringLiteral("KON"), QStringLiteral("3"));
        p1.edit();
        p1.setInteger(schemas::P1_K1, 501 + i % 2);
        p1.post();
        checking.push_back(elapsedMs([&] { KompletnaKontrola(district); }));
    }
    std::printf("bare pwrite + fdatasync meanwhile: median %.3f ms\n", bare.median());
    std::printf("GeneratingP1, 21 attachments, %d runs: median %.3f ms\n", runs, median(generating));
    std::printf("KompletnaKontrola, %lld + %lld protocol lines, %d runs: median %.3f ms\n",
                qlonglong(district.Protokol1().lines.size()), qlonglong(district.Protokol2().lines.size()), runs,
                median(checking));
    return 0;
}
