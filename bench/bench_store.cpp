// Store figures: the cost of one durable post of a full attachment record against the bare cost of one
// fdatasync on the same disk, and the time to open all twelve tables of an installation.
//
// usage: bench_store [DATA-FOLDER]   (default: the installation beside the program, dist/data)
#include "store/datamodule.h"
#include "store/tablefiles.h"
#include "support/faultinjection.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

struct Figures {
    double median;
    double p95;
};

Figures summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100]};
}

template <typename F> std::vector<double> time(int runs, F &&f) {
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        f(i);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QString installed = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                       : QCoreApplication::applicationDirPath() + QStringLiteral("/../dist/data");
    constexpr int runs = 400;

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX")); // the disk being measured
    createTableFiles(dir.path());
    DataModule data(dir.path());
    Table &p1 = data.TP1();
    p1.append();
    for (int i = 0; i < p1.fieldCount(); ++i)
        p1.setText(i, QStringLiteral("0"));
    p1.post();

    // Bare cost: rewrite a record-sized block in place and sync it.
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("bare.bin")));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0644);
    std::vector<char> block(1165, '7');
    if (::pwrite(fd, block.data(), block.size(), 0) < 0)
        return 1;
    ::fdatasync(fd);
    // Interleave the two so that both see the same state of the disk.
    std::vector<double> bare, post;
    for (int i = 0; i < runs; ++i) {
        const auto b = time(1, [&](int) {
            block[i % block.size()] = char('0' + i % 10);
            if (::pwrite(fd, block.data(), block.size(), 0) < 0 || ::fdatasync(fd) != 0)
                std::abort();
        });
        bare.push_back(b[0]);
        const auto p = time(1, [&](int) {
            p1.edit();
            for (int f = schemas::P1_VPH; f < p1.fieldCount(); ++f)
                p1.setText(f, QString::number((i * 7 + f) % 1000));
            p1.post();
        });
        post.push_back(p[0]);
    }
    ::close(fd);
    const Figures b = summarise(bare), p = summarise(post);
    std::printf("post of a 163-field P1 record: median %.3f ms, p95 %.3f ms\n", p.median, p.p95);
    std::printf("bare pwrite + fdatasync:       median %.3f ms, p95 %.3f ms\n", b.median, b.p95);
    std::printf("ratio (median): %.2f\n", p.median / b.median);

    if (!QFileInfo::exists(installed + QStringLiteral("/OBCE06.DBF"))) {
        std::printf("no installation at %s: open not measured\n", qPrintable(installed));
        return 0;
    }
    // Opened from a copy: the opening takes the folder's lock and lays out its journal.
    QTemporaryDir copy(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    for (const QString &name : QDir(installed).entryList(QDir::Files))
        if (!QFile::copy(QDir(installed).filePath(name), copy.filePath(name)))
            return 1;
    int reads = 0, opens = 0;
    const Figures open = summarise(time(50, [&](int) {
        FaultInjection counter;
        DataModule all(copy.path());
        reads = counter.reads;
        opens = counter.opens;
    }));
    std::printf("open all twelve tables: median %.2f ms, p95 %.2f ms; %d files opened, %d reads\n", open.median,
                open.p95, opens, reads);
    return 0;
}
