// The exit processing of the entry boxes, durable posts included, no dialogs: a candidate box on a party
// with 150 candidates (the whole record normalised, one post, the five sums with a post each, K16 and
// boldnut) and a protocol box (ePOO: positions 0..9 normalised, one post, KC1 and KC2 with a post each,
// K06 and K07).
//
// usage: bench_candidate_exit [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "district/candidateentry.h"
#include "district/protocolentry.h"

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
    // The regeneration looked party 1 up: 150 candidates, the first attachment current.

    constexpr int runs = 200;
    std::vector<double> ms;
    BareSync bare(bench.folder());
    for (int i = 0; i < runs; ++i) {
        bare.run();
        const int candidate = i % 150 + 1;
        pK1Enter(district, candidate);
        data.TP1().setText(schemas::P1_K1 + candidate - 1, QString::number(i % 400));
        ms.push_back(elapsedMs([&] { pK1Exit(district); }));
    }
    std::printf("bare pwrite + fdatasync meanwhile: median %.3f ms\n", bare.median());
    std::printf("pK1Exit, 150 candidates, %d runs: median %.3f ms (6 durable posts each)\n", runs, median(ms));

    std::vector<double> protocolMs;
    const int poo = data.TS1().fieldIndex(QStringLiteral("POO"));
    for (int i = 0; i < runs; ++i) {
        bare.run();
        eOBVODEnter(district);
        data.TS1().setText(poo, QString::number(24000 - i % 50));
        protocolMs.push_back(elapsedMs([&] { protocolBoxExit(district, QStringLiteral("ePOO")); }));
    }
    std::printf("bare pwrite + fdatasync meanwhile: median %.3f ms\n", bare.median());
    std::printf("protocolBoxExit ePOO, %d runs: median %.3f ms (3 durable posts each)\n", runs, median(protocolMs));
    return 0;
}
