// Attachment entry through the window, driven by key clicks on the real pages (offscreen):
//  - the exit processing of a candidate box on a party of 150 candidates (normalise the 163 fields,
//    post durably, five sums, K16, the emphasis of the 150 boxes), timed as Enter in pK<n> up to the
//    focus in pK<n+1>, with the typing outside the timing;
//  - a whole attachment of 150 candidates keyed by the quick entry (order number, Enter, votes, Enter,
//    the hand-over to page 2 at 51 included): the time per stored vote.
//
// usage: QT_QPA_PLATFORM=offscreen bench_attachment_entry [DATA-FOLDER]   (default: dist/data)
#include "district/attachmentset.h"
#include "model/district.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "ui/focusrouter.h"
#include "ui/mainwindow.h"
#include "ui/scriptedwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double percentile95(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() * 95 / 100];
}

void copyFolder(const QString &from, const QString &to) {
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
}

QWidget *focused() {
    return QApplication::focusWidget();
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString installed = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                       : QCoreApplication::applicationDirPath() + QStringLiteral("/../dist/data");
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-XXXXXX")); // the disk being measured
    copyFolder(installed, dir.path());

    DataModule data(dir.path());
    ScriptedServices script;
    TUI window(data, scriptedServices(script));
    District &district = window.district();
    Table &s1 = data.TS1();
    s1.first();
    s1.edit();
    s1.setText(schemas::S1_PPHPS1, QStringLiteral("100000")); // party 1: 150 candidates in the sample list
    s1.post();
    (void)GeneratingP1(district);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }
    const auto box = [&](const QString &name) { return window.findChild<QWidget *>(name); };

    // VPH above every vote keeps K16 silent, as in a district keyed without errors.
    window.router().focus(box(QStringLiteral("pVPH")));
    QTest::keyClicks(focused(), QStringLiteral("5000"));
    QTest::keyClick(focused(), Qt::Key_Return);

    std::vector<double> exits;
    QElapsedTimer timer;
    for (int round = 0; round < 4; ++round) {
        window.router().focus(box(QStringLiteral("pK1")));
        for (int n = 1; n < 50; ++n) {
            QTest::keyClicks(focused(), QString::number(round * 10 + n % 10 + 1));
            timer.start();
            QTest::keyClick(focused(), Qt::Key_Return);
            exits.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (focused() != box(QStringLiteral("pK") + QString::number(n + 1))) {
                std::fprintf(stderr, "Enter in pK%d did not reach the next box\n", n);
                return 1;
            }
        }
    }

    // The quick entry of a whole attachment, from RVUPor on page 1.
    window.router().focus(box(QStringLiteral("RVUPor")));
    timer.start();
    for (int p = 1; p <= 150; ++p) {
        QTest::keyClicks(focused(), QString::number(p));
        QTest::keyClick(focused(), Qt::Key_Return);
        QTest::keyClicks(focused(), QString::number(p % 7 + 1));
        QTest::keyClick(focused(), Qt::Key_Return);
    }
    const double quickTotal = double(timer.nsecsElapsed()) / 1e6;
    Table &p1 = data.TP1();
    for (int p = 1; p <= 150; ++p) {
        if (p1.integer(schemas::P1_K1 + p - 1) != p % 7 + 1) {
            std::fprintf(stderr, "the quick entry did not store K%d\n", p);
            return 1;
        }
    }
    if (!script.messageBoxes.isEmpty() || !script.errorsShown.isEmpty()) {
        std::fprintf(stderr, "unexpected message: %s\n",
                     qPrintable((script.messageBoxes + script.errorsShown).join(QLatin1Char('\n'))));
        return 1;
    }

    std::printf("candidate box exit by Enter (%zu runs): median %.3f ms, 95th percentile %.3f ms\n", exits.size(),
                median(exits), percentile95(exits));
    std::printf("quick entry of 150 votes by key clicks: %.1f ms in all, %.3f ms per stored vote\n", quickTotal,
                quickTotal / 150);
    return 0;
}
