#pragma once

// What the district benchmarks share: a busy window that shows nothing, a full district on a copy of the
// installation, the bare cost of one durable write on the same disk, and the figures of a series of
// runs as a median, its ratio to the bare write and the syncs each run made.

#include "checks/sums.h"
#include "district/attachmentset.h"
#include "model/district.h"
#include "model/progress.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "support/faultinjection.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <numeric>
#include <unistd.h>
#include <vector>

// No busy window, no pause: the benchmarks time the core alone.
class SilentProgress : public Progress {
public:
    void pracujem(const QString &) override {}
    void sleep(int) override {}
};

// Copies the installation's tables into a folder of the current directory (the disk being measured).
inline bool copyInstallation(const QString &installed, const QTemporaryDir &dir) {
    const QStringList files = QDir(installed).entryList(QDir::Files);
    for (const QString &name : files)
        if (!QFile::copy(QDir(installed).filePath(name), dir.filePath(name)))
            return false;
    return !files.isEmpty();
}

// The protocol with a vote for each of the 21 parties, every figure non-zero, the attachments
// regenerated and filled: VPH 500 and a vote for each of the 150 candidates, the control sums computed.
// With faults, party 3 fails K14 and K16 (one candidate over VPH) and party 5 fails K15. Another variant
// gives the candidates other votes, so that one district differs from another in every attachment.
inline void fillFullDistrict(District &district, bool withFaults, int variant) {
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    const QStringList identification{"0", "101", "500011", "1", "30000", "25000", "200", "24000", "21000"};
    for (int i = 0; i < identification.size(); ++i)
        s1.setText(i, identification[i]);
    for (int party = 1; party <= 26; ++party)
        s1.setInteger(schemas::S1_PPHPS1 + party - 1, party <= 21 ? 1000 : 0);
    s1.post();
    sKC1(district);
    sKC2(district);
    sKC3(district);
    (void)GeneratingP1(district);

    Table &p1 = district.TP1();
    p1.first();
    for (int record = 0; record < p1.recordCount(); ++record, p1.next()) {
        const int party = p1.integer(schemas::P1_KON);
        const bool faulty = withFaults && (party == 3 || party == 5);
        p1.edit();
        p1.setText(schemas::P1_VPH, QStringLiteral("500"));
        for (int n = 1; n <= 150; ++n)
            p1.setInteger(schemas::P1_K1 + n - 1, !faulty ? (n + variant) % 7 + 1 : party == 3 ? 20 : 1);
        if (faulty && party == 3)
            p1.setText(schemas::P1_K1, QStringLiteral("501"));
        p1.post();
        pKC1to5(district);
    }
    p1.first();
}

// The full district on a copy of the installation named on the command line (by default dist/data beside
// the program), in a folder of the current directory: the disk being measured.
class FullDistrict {
public:
    FullDistrict(int argc, char **argv, bool withFaults = true, int variant = 0)
        : m_dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX")) {
        const QString installed = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                           : QCoreApplication::applicationDirPath() + QStringLiteral("/../dist/data");
        if (!copyInstallation(installed, m_dir)) {
            std::fprintf(stderr, "no installation at %s\n", qPrintable(installed));
            return;
        }
        m_data = std::make_unique<DataModule>(m_dir.path());
        m_district = std::make_unique<District>(*m_data, m_progress);
        fillFullDistrict(*m_district, withFaults, variant);
    }
    bool isValid() const { return m_district != nullptr; }
    QString folder() const { return m_dir.path(); }
    DataModule &data() { return *m_data; }
    District &district() { return *m_district; }

private:
    QTemporaryDir m_dir;
    SilentProgress m_progress;
    std::unique_ptr<DataModule> m_data;
    std::unique_ptr<District> m_district;
};

inline double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

template <typename F> double elapsedMs(F &&f) {
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The disk's bare cost of one durable record write (pwrite of a P1-sized block and fdatasync), timed
// between the runs being measured, so that their figures can be read against the disk's state.
class BareSync {
public:
    explicit BareSync(const QString &folder)
        : m_fd(::open(QFile::encodeName(folder + QStringLiteral("/bare.bin")).constData(), O_RDWR | O_CREAT, 0644)),
          m_block(1165, '7') {}
    ~BareSync() { ::close(m_fd); }
    void run() {
        m_ms.push_back(elapsedMs([&] {
            m_block[m_ms.size() % m_block.size()] ^= 1;
            if (::pwrite(m_fd, m_block.data(), m_block.size(), 0) < 0 || ::fdatasync(m_fd) != 0)
                std::abort();
        }));
    }
    double median() const { return ::median(m_ms); }

private:
    int m_fd;
    std::vector<char> m_block;
    std::vector<double> m_ms;
};

// A series of runs of one action, each after a bare write on the same disk, with the syncs it made.
class Series {
public:
    explicit Series(BareSync &bare) : m_bare(bare) {}
    template <typename F> void run(F &&action) {
        m_bare.run();
        FaultInjection counter;
        m_ms.push_back(elapsedMs(action));
        m_syncs.push_back(counter.syncs);
    }
    // name: median ms, its ratio to the bare write's median, the mean (with the checkpoints of the
    // journal, which add the tables' syncs to the run that makes one), the median syncs of a run and the
    // most of them.
    void print(const char *name) const {
        const double bare = m_bare.median();
        const double mean = std::accumulate(m_ms.begin(), m_ms.end(), 0.0) / double(m_ms.size());
        std::vector<double> syncs(m_syncs.begin(), m_syncs.end());
        std::printf("%-36s median %7.3f ms = %5.2f x bare (%.3f ms), mean %.3f ms; syncs median %.0f, most %.0f\n",
                    name, ::median(m_ms), ::median(m_ms) / bare, bare, mean, ::median(syncs),
                    *std::max_element(syncs.begin(), syncs.end()));
    }

private:
    BareSync &m_bare;
    std::vector<double> m_ms;
    std::vector<int> m_syncs;
};
