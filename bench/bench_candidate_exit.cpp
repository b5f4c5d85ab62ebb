// The exit of a candidate box on a party with 150 candidates: the whole record normalised, one post,
// the five sums (a post each), K16 and boldnut, durable posts included; no dialogs.
//
// usage: bench_candidate_exit [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "district/candidateentry.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString installed = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                       : QCoreApplication::applicationDirPath() + QStringLiteral("/../dist/data");
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    if (!copyInstallation(installed, dir)) {
        std::fprintf(stderr, "no installation at %s\n", qPrintable(installed));
        return 1;
    }
    DataModule data(dir.path());
    SilentServices services;
    District district(data, services);
    fillFullDistrict(district);
    // The regeneration looked party 1 up: 150 candidates, the first attachment current.

    constexpr int runs = 200;
    std::vector<double> ms;
    BareSync bare(dir.path());
    for (int i = 0; i < runs; ++i) {
        bare.run();
        const int candidate = i % 150 + 1;
        pK1Enter(district, candidate);
        data.TP1().setText(schemas::P1_K1 + candidate - 1, QString::number(i % 400));
        ms.push_back(elapsedMs([&] { pK1Exit(district); }));
    }
    std::printf("bare pwrite + fdatasync meanwhile: median %.3f ms\n", bare.median());
    std::printf("pK1Exit, 150 candidates, %d runs: median %.3f ms (6 durable posts each)\n", runs, median(ms));
    return 0;
}
