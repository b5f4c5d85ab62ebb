// The exit processing of the entry boxes, durable commit included, no dialogs: a candidate box on a party
// with 150 candidates (the whole record normalised, posted with its five sums, K16 and the emphasis) and
// a protocol box (ePOO: positions 0..9 normalised, posted with KC1 and KC2, K06 and K07). Each exit is
// one action of the store: one sync.
//
// usage: bench_candidate_exit [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "district/candidateentry.h"
#include "district/protocolentry.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FullDistrict bench(argc, argv);
    if (!bench.isValid())
        return 1;
    DataModule &data = bench.data();
    District &district = bench.district();
    // The regeneration looked party 1 up: 150 candidates, the first attachment current.

    constexpr int runs = 200;
    BareSync bare(bench.folder());
    Series candidate(bare);
    for (int i = 0; i < runs; ++i) {
        const int n = i % 150 + 1;
        (void)pK1Enter(district, n);
        data.TP1().setText(schemas::P1_K1 + n - 1, QString::number(i % 400));
        candidate.run([&] { (void)pK1Exit(district); });
    }
    candidate.print("pK1Exit, 150 candidates");

    Series protocol(bare);
    const int poo = data.TS1().fieldIndex(QStringLiteral("POO"));
    for (int i = 0; i < runs; ++i) {
        eOBVODEnter(district);
        data.TS1().setText(poo, QString::number(24000 - i % 50));
        protocol.run([&] { (void)protocolBoxExit(district, FormBox::Poo); });
    }
    protocol.print("protocolBoxExit ePOO");
    return 0;
}
