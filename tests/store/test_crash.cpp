// Kills a process in the middle of a write-heavy workload again and again, and checks after every kill
// that each table opens cleanly and holds a state the workload could have left: no torn record, no
// half-replaced table, no posted record lost.
#include "crashworkload.h"

#include "store/datamodule.h"
#include "store/errors.h"
#include "store/tablefiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestCrash : public QObject {
    Q_OBJECT
private slots:
    void killedAtRandomMomentsLeavesConsistentTables();
};

void TestCrash::killedAtRandomMomentsLeavesConsistentTables()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    createTableFiles(dir.path());
    const QString worker = QCoreApplication::applicationDirPath() + QStringLiteral("/crash_worker");
    QRandomGenerator random(20061706);

    constexpr int kills = 220;
    qint64 lastReported = 0;
    qint64 progress = 0;
    for (int k = 0; k < kills; ++k) {
        QProcess process;
        process.start(worker, {dir.path()});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        QTest::qSleep(int(random.bounded(5, 60)));
        ::kill(pid_t(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitStatus(), QProcess::CrashExit); // it was killed, not stopped by an error
        const QStringList reports = QString::fromLatin1(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (!reports.isEmpty())
            lastReported = reports.last().section(u' ', 1).toLongLong();
        try {
            DataModule data(dir.path());
            const QString fault = crashworkload::verify(data, lastReported);
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after kill %1: %2").arg(k + 1).arg(fault)));
            data.TS1().first();
            progress = data.TS1().recordCount() ? data.TS1().text(QStringLiteral("KC1")).toLongLong() : 0;
        } catch (const VolbyError &e) {
            QFAIL(qPrintable(QStringLiteral("after kill %1 the tables do not open: %2").arg(k + 1).arg(e.message())));
        }
    }
    // The kills must have landed in the middle of real work, not before the first write.
    QVERIFY2(progress > kills, qPrintable(QStringLiteral("only %1 generations written").arg(progress)));
}

QTEST_GUILESS_MAIN(TestCrash)
#include "test_crash.moc"
