// Exchange figures on a full district of 21 parties with 150 candidates each, without the deliberate
// pauses: the export (complete check, archive built, placed durably and verified) and the import
// (unpacked, every line checked, S1 and P1 replaced, complete check, regeneration), against the bare
// durable write on the same disk, with the syncs each made. The imports alternate between two districts
// that differ in every attachment, so that each one replaces what the one before it stored.
//
// usage: bench_exchange [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "benchdistrict.h"

#include "checks/completecheck.h"
#include "exchange/export.h"
#include "exchange/import.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FullDistrict source(argc, argv, false);
    FullDistrict other(argc, argv, false, 1);
    FullDistrict target(argc, argv);
    if (!source.isValid() || !other.isValid() || !target.isValid())
        return 1;
    const auto exported = [](FullDistrict &district) -> std::optional<QString> {
        District &from = district.district();
        (void)KompletnaKontrola(from);
        if (!from.Bezchybnost())
            return std::nullopt;
        const QString archive = QDir(district.folder()).filePath(QStringLiteral("VQ500011.1"));
        (void)Button16Click(from).finish(archive);
        return archive;
    };
    const std::optional<QString> archive = exported(source);
    const std::optional<QString> otherArchive = exported(other);
    if (!archive || !otherArchive || QFileInfo(*otherArchive).size() == 0) {
        std::fprintf(stderr, "a district to export has errors\n");
        return 1;
    }

    constexpr int runs = 21;
    BareSync bare(source.folder());
    Series exporting(bare), importing(bare);
    bool imported = true;
    for (int i = 0; i < runs; ++i) {
        exporting.run([&] { (void)Button16Click(source.district()).finish(*archive); });
        importing.run([&] { (void)rozbal_zip(target.district(), i % 2 ? *otherArchive : *archive); });
        imported = imported && target.district().Bezchybnost() &&
                   target.district().TP1().integer(schemas::P1_K1) == (i % 2 ? 3 : 2);
    }
    std::printf("archive %lld bytes; every import stored its district without errors: %s\n", QFile(*archive).size(),
                imported ? "yes" : "NO");
    exporting.print("export (complete check + ExportVQ)");
    importing.print("import (rozbal_zip)");
    return imported ? 0 : 1;
}
