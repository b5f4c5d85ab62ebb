// Exchange figures: the export (complete check, archive built, placed durably and verified) and the
// import (unpacked, every line checked, S1 and P1 replaced, complete check, regeneration) of a full
// district of 21 parties with 150 candidates each, without the deliberate pauses.
//
// usage: bench_exchange [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "checks/completecheck.h"
#include "checks/sums.h"
#include "district/attachmentset.h"
#include "exchange/export.h"
#include "exchange/import.h"
#include "model/district.h"
#include "store/datamodule.h"
#include "store/table.h"
#include "support/scriptedservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

bool copyFolder(const QString &from, const QString &to) {
    QDir().mkpath(to);
    const QStringList files = QDir(from).entryList(QDir::Files);
    for (const QString &name : files) {
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            return false;
    }
    return !files.isEmpty();
}

// Every party with votes, every attachment with votes for all its 150 candidates.
void fillDistrict(District &district) {
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    const QStringList ids{"0", "101", "500011", "1", "30000", "25000", "0", "25000", "21000"};
    for (int i = 0; i < ids.size(); ++i)
        s1.setText(i, ids[i]);
    for (int party = 1; party <= 21; ++party)
        s1.setInteger(QStringLiteral("PPHPS%1").arg(party), 1000);
    s1.post();
    sKC1(district);
    sKC2(district);
    sKC3(district);
    GeneratingP1(district);
    Table &p1 = district.TP1();
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
        p1.edit();
        p1.setInteger(QStringLiteral("VPH"), 150);
        for (int k = 1; k <= 150; ++k)
            p1.setInteger(QStringLiteral("K%1").arg(k), k % 7 + 1);
        p1.post();
        pKC1to5(district);
    }
}

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QString installed = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                       : QCoreApplication::applicationDirPath() + QStringLiteral("/../dist/data");
    QTemporaryDir work;
    const QString source = QDir(work.path()).filePath(QStringLiteral("source"));
    const QString target = QDir(work.path()).filePath(QStringLiteral("target"));
    const QString archive = QDir(work.path()).filePath(QStringLiteral("VQ500011.1"));
    if (!copyFolder(installed, source) || !copyFolder(installed, target)) {
        std::fprintf(stderr, "no installation in %s\n", qPrintable(installed));
        return 1;
    }
    ScriptedServices sourceServices;
    ScriptedServices targetServices;
    DataModule sourceData(source);
    DataModule targetData(target);
    District from(sourceData, sourceServices);
    District to(targetData, targetServices);
    fillDistrict(from);
    KompletnaKontrola(from);
    std::printf("district: %d attachments, complete check %s\n", sourceData.TP1().recordCount(),
                from.Bezchybnost() ? "without errors" : "WITH ERRORS (export times are of ExportVQ alone)");

    const int runs = 21;
    std::vector<double> exportMs, exportVqMs, importMs, checkMs;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        sourceServices.fileAnswers.push_back(archive);
        timer.start();
        Button16Click(from);
        exportMs.push_back(double(timer.nsecsElapsed()) / 1e6);

        sourceServices.fileAnswers.push_back(archive);
        sourceData.TP1().first();
        timer.start();
        ExportVQ(from);
        exportVqMs.push_back(double(timer.nsecsElapsed()) / 1e6);

        targetServices.fileAnswers.push_back(archive);
        timer.start();
        rozbal_zip(to);
        importMs.push_back(double(timer.nsecsElapsed()) / 1e6);

        // The part of the import that is not its own: the complete check and the regeneration.
        timer.start();
        KompletnaKontrola(to);
        GeneratingP1(to);
        checkMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const QString last = targetServices.dialogs.empty() ? QString() : targetServices.dialogs.back().text;
    std::printf("archive %lld bytes; last import message: %s\n", QFile(archive).size(), qPrintable(last));
    std::printf("export (complete check + ExportVQ): median %.2f ms\n", median(exportMs));
    std::printf("ExportVQ alone (build, durable placement, verify): median %.2f ms\n", median(exportVqMs));
    std::printf("import (rozbal_zip to \"Import je dokončený\"): median %.2f ms\n", median(importMs));
    std::printf("  of which the complete check and the regeneration: median %.2f ms\n", median(checkMs));
    return 0;
}
