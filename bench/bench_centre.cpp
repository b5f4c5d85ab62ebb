// The counting centre's command over many districts: N archives of full districts (21 parties, each
// attachment with votes for all 150 candidates) generated into a temporary folder, then volby-centrum
// overit and suhrn over them with one and with two threads. Each run is a process of its own, so that its
// peak memory is its own; it reports the wall time, the peak resident set and the median cost per
// archive of each phase (open and decrypt, line checks, complete check, aggregation).
//
// usage: bench_centre [N...] [--instalacia FOLDER]   (default N: 1000 6000; the installation, with
//                                                    reporty/ and data/, beside the program's dist/)
//        bench_centre N --archivy FOLDER                the N archives into FOLDER, nothing run
#include "centre/command.h"
#include "centre/verification.h"
#include "checks/sums.h"
#include "district/attachmentset.h"
#include "exchange/archive.h"
#include "exchange/exchangelines.h"
#include "exchange/password.h"
#include "model/district.h"
#include "model/progress.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

class SilentProgress : public Progress {
public:
    void pracujem(const QString &) override {}
    void sleep(int) override {}
};

struct DistrictId {
    QString obvod;
    QString obec;
    int okrsok;
};

// The polling districts of OBCE06 in its order: municipality by municipality, 1 to POCOKS.
std::vector<DistrictId> districtsOf(DataModule &data) {
    std::vector<DistrictId> ids;
    Table &obce = data.TVQ_OBCE();
    obce.first();
    for (int r = 0; r < obce.recordCount(); ++r, obce.next())
        for (int okrsok = 1; okrsok <= obce.integer(QStringLiteral("POCOKS")); ++okrsok)
            ids.push_back({obce.text(QStringLiteral("OBVOD")), obce.text(QStringLiteral("OBEC")), okrsok});
    return ids;
}

// District i, free of errors, with figures that differ from district to district; written as the export
// builds its archive (the same lines and the same packing, without the durable placing).
bool writeArchive(District &district, const DistrictId &id, int i, const QString &folder) {
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    int valid = 0;
    for (int party = 1; party <= 26; ++party) {
        const int votes = party <= 21 ? 900 + (i * 7 + party * 13) % 200 : 0;
        valid += votes;
        s1.setInteger(schemas::S1_PPHPS1 + party - 1, votes);
    }
    const QStringList counts{"0",     id.obvod, id.obec, QString::number(id.okrsok), "30000",
                             "25000", "0",      "25000", QString::number(valid)};
    for (int k = 0; k < counts.size(); ++k)
        s1.setText(k, counts[k]);
    s1.post();
    sKC1(district);
    sKC2(district);
    sKC3(district);
    (void)GeneratingP1(district);
    Table &p1 = district.TP1();
    p1.first();
    for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
        const int party = p1.integer(schemas::P1_KON);
        p1.edit();
        p1.setInteger(schemas::P1_VPH, 150 + (i + party) % 50);
        for (int n = 1; n <= 150; ++n)
            p1.setInteger(schemas::P1_K1 + n - 1, (n + i + party) % 5 + 1);
        p1.post();
        pKC1to5(district);
    }
    const exchange::Names names = exchange::names(s1);
    const QByteArray zip = archive::pack(
        {{names.sFile, exchange::sFileContent(s1)}, {names.pFile, exchange::pFileContent(p1)}}, heslo_zip());
    QFile file(QDir(folder).filePath(names.archive));
    return file.open(QIODevice::WriteOnly) && file.write(zip) == zip.size() && file.flush();
}

double median(std::vector<qint64> ns) {
    if (ns.empty())
        return 0;
    std::sort(ns.begin(), ns.end());
    return double(ns[ns.size() / 2]) / 1e6;
}

// One run of the command in this process: prints "wall-ms rss-kB open lines check aggregate exit-code
// cpu-s", the phases as medians per archive in ms, the processor time of all threads together.
int runOnce(const QString &installation, const QStringList &arguments) {
    centre::Environment environment;
    environment.installationFolder = installation;
    environment.out = std::fopen("/dev/null", "w");
    std::vector<qint64> open, lines, check, aggregate;
    environment.archiveDone = [&](const centre::ArchiveResult &a) {
        open.push_back(a.times.open);
        lines.push_back(a.times.lines);
        check.push_back(a.times.check);
        aggregate.push_back(a.times.aggregate);
    };
    QElapsedTimer timer;
    timer.start();
    const int code = centre::runCommand(arguments, environment);
    const double wall = double(timer.nsecsElapsed()) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.0f %ld %.3f %.3f %.3f %.3f %d %.2f\n", wall, usage.ru_maxrss, median(open), median(lines),
                median(check), median(aggregate), code, cpu);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // the summary's PDF is laid out without a display
    QGuiApplication application(argc, argv);
    QStringList arguments = application.arguments();
    arguments.removeFirst();
    QString installation = QCoreApplication::applicationDirPath() + QStringLiteral("/../dist");
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--instalacia")); at >= 0 && at + 1 < arguments.size()) {
        installation = arguments[at + 1];
        arguments.remove(at, 2);
    }
    installation = QDir(installation).absolutePath();
    QString keep;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--archivy")); at >= 0 && at + 1 < arguments.size()) {
        keep = arguments[at + 1];
        arguments.remove(at, 2);
    }
    if (!arguments.isEmpty() && arguments.first() == QStringLiteral("--run"))
        return runOnce(installation, arguments.mid(1));

    std::vector<int> sizes;
    for (const QString &a : arguments)
        sizes.push_back(a.toInt());
    if (sizes.empty())
        sizes = {1000, 6000};
    const int largest = *std::max_element(sizes.begin(), sizes.end());

    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/bench_centre-XXXXXX"));
    const auto data = DataModule::inMemory(QDir(installation).filePath(QStringLiteral("data")));
    const std::vector<DistrictId> ids = districtsOf(*data);
    if (!work.isValid() || largest < 1 || largest > int(ids.size())) {
        std::fprintf(stderr, "N from 1 to %zu (the polling districts of OBCE06)\n", ids.size());
        return 1;
    }
    SilentProgress progress;
    District district(*data, progress);
    const QString all = keep.isEmpty() ? QDir(work.path()).filePath(QStringLiteral("all")) : keep;
    QDir().mkpath(all);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < largest; ++i) {
        if (!writeArchive(district, ids[std::size_t(i)], i, all)) {
            std::fprintf(stderr, "cannot write archive %d\n", i);
            return 1;
        }
    }
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(all).entryInfoList(QDir::Files))
        bytes += file.size();
    std::printf("%d archives generated in %.1f s, %.1f MB\n", largest, double(timer.elapsed()) / 1000,
                double(bytes) / 1e6);
    if (!keep.isEmpty())
        return 0;

    std::printf("%6s %-6s %7s %8s %8s %9s %8s | median per archive, ms: %6s %6s %6s %6s\n", "N", "cmd", "threads",
                "wall s", "cpu s", "per arch.", "peak MB", "open", "lines", "check", "aggr.");
    for (const int n : sizes) {
        // The first n archives, linked into a folder of their own.
        QString folder = all;
        if (n != largest) {
            folder = QDir(work.path()).filePath(QStringLiteral("n%1").arg(n));
            QDir().mkpath(folder);
            int linked = 0;
            for (const DistrictId &id : ids) {
                if (linked == n)
                    break;
                const QString name = exchange::names(id.obec, QString::number(id.okrsok)).archive;
                if (::link(QFile::encodeName(QDir(all).filePath(name)).constData(),
                           QFile::encodeName(QDir(folder).filePath(name)).constData()) != 0) {
                    std::perror("link");
                    return 1;
                }
                ++linked;
            }
        }
        const QString output = QDir(work.path()).filePath(QStringLiteral("out%1").arg(n));
        QDir().mkpath(output);
        for (const char *command : {"overit", "suhrn"}) {
            for (const int threads : {1, 2}) {
                QStringList run{QStringLiteral("--run"),
                                QStringLiteral("--instalacia"),
                                installation,
                                QLatin1String(command),
                                folder,
                                QStringLiteral("--vlakna"),
                                QString::number(threads)};
                if (QLatin1String(command) == QLatin1String("suhrn"))
                    run << QStringLiteral("--vystup") << output;
                QProcess child;
                child.start(QCoreApplication::applicationFilePath(), run);
                if (!child.waitForFinished(-1) || child.exitCode() != 0) {
                    std::fprintf(stderr, "run failed: %s\n", child.readAllStandardError().constData());
                    return 1;
                }
                const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
                if (f.size() != 8) {
                    std::fprintf(stderr, "unexpected report\n");
                    return 1;
                }
                const double wall = f[0].toDouble() / 1000;
                std::printf("%6d %-6s %7d %8.2f %8.2f %6.3f ms %8.1f | %33.3f %6.3f %6.3f %6.3f%s\n", n, command,
                            threads, wall, f[7].toDouble(), wall * 1000 / n, f[1].toDouble() / 1024, f[2].toDouble(),
                            f[3].toDouble(), f[4].toDouble(), f[5].toDouble(),
                            f[6] == "0" ? "" : "  (NOT ALL ACCEPTED)");
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
