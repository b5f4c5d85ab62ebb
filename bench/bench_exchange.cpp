// Exchange figures on a full district of 21 parties with 150 candidates each, without the deliberate
// pauses: the export (complete check, archive built, placed durably and verified) and the import
// (unpacked, every line checked, S1 and P1 replaced, complete check, regeneration), against the bare
// durable write on the same disk, with the syncs each made.
//
// usage: bench_exchange [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "checks/completecheck.h"
#include "exchange/export.h"
#include "exchange/import.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FullDistrict source(argc, argv, false);
    FullDistrict target(argc, argv);
    if (!source.isValid() || !target.isValid())
        return 1;
    District &from = source.district();
    (void)KompletnaKontrola(from);
    if (!from.Bezchybnost()) {
        std::fprintf(stderr, "the district to export has errors\n");
        return 1;
    }
    const QString archive = QDir(source.folder()).filePath(QStringLiteral("VQ500011.1"));

    constexpr int runs = 21;
    BareSync bare(source.folder());
    Series exporting(bare), importing(bare);
    for (int i = 0; i < runs; ++i) {
        exporting.run([&] { (void)Button16Click(from).finish(archive); });
        importing.run([&] { (void)rozbal_zip(target.district(), archive); });
    }
    std::printf("archive %lld bytes; imported district without errors: %s\n", QFile(archive).size(),
                target.district().Bezchybnost() ? "yes" : "NO");
    exporting.print("export (complete check + ExportVQ)");
    importing.print("import (rozbal_zip)");
    return 0;
}
