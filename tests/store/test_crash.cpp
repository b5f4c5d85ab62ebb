// Kills a process in the middle of a write-heavy workload again and again, and checks after every kill
// that each table opens cleanly and holds the state of one whole action: the last one committed, or the
// one in flight. Then the same tables are read once more on their own, without the journal, as an
// independent reader would find them once the program is idle.
//
// VOLBY_CRASH_KILLS sets the number of kills (1000 by default) for longer runs.
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
    void killedAtRandomMomentsLeavesWholeActions();
};

namespace {

QString verifyModule(DataModule &data, qint64 lastCommitted, qint64 *generation) {
    return crashworkload::verify(data.TS1(), data.TP1(), data.TTEMPTLAC(), data.TProtokol1(), lastCommitted,
                                 generation);
}

// The table files alone, each opened as a table of its own.
QString verifyFiles(const QString &folder, qint64 generation) {
    Table s1(schemas::S1(), folder);
    Table p1(schemas::P1(), folder);
    Table name(schemas::TEMP_TLAC(), folder);
    Table lines(schemas::chyb_prot(), folder);
    for (Table *table : {&s1, &p1, &name, &lines})
        table->open();
    qint64 found = 0;
    const QString fault = crashworkload::verify(s1, p1, name, lines, generation, &found);
    if (!fault.isEmpty())
        return fault;
    return found == generation ? QString() : QStringLiteral("the files hold generation %1").arg(found);
}

} // namespace

void TestCrash::killedAtRandomMomentsLeavesWholeActions() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    createTableFiles(dir.path());
    const QString worker = QCoreApplication::applicationDirPath() + QStringLiteral("/crash_worker");
    QRandomGenerator random(20061706);

    const int kills =
        qEnvironmentVariableIsSet("VOLBY_CRASH_KILLS") ? qEnvironmentVariableIntValue("VOLBY_CRASH_KILLS") : 1000;
    qint64 lastCommitted = 0;
    qint64 generation = 0;
    for (int k = 0; k < kills; ++k) {
        QProcess process;
        process.start(worker, {dir.path()});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        // The kill lands in the middle of the work: after the worker's first commit, at a random moment of
        // the actions that follow, however long the start took on a busy machine.
        QVERIFY2(process.waitForReadyRead(30000), "the worker committed nothing");
        QTest::qSleep(int(random.bounded(0, 25)));
        ::kill(pid_t(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitStatus(), QProcess::CrashExit); // it was killed, not stopped by an error
        const QStringList reports =
            QString::fromLatin1(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!reports.isEmpty());
        lastCommitted = reports.last().toLongLong();
        try {
            {
                DataModule data(dir.path());
                const QString fault = verifyModule(data, lastCommitted, &generation);
                QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after kill %1: %2").arg(k + 1).arg(fault)));
            }
            const QString fault = verifyFiles(dir.path(), generation);
            QVERIFY2(fault.isEmpty(),
                     qPrintable(QStringLiteral("after kill %1, the files alone: %2").arg(k + 1).arg(fault)));
        } catch (const VolbyError &e) {
            QFAIL(qPrintable(QStringLiteral("after kill %1 the tables do not open: %2").arg(k + 1).arg(e.message())));
        }
    }
    QVERIFY2(generation > kills, qPrintable(QStringLiteral("only %1 generations written").arg(generation)));
}

QTEST_GUILESS_MAIN(TestCrash)
#include "test_crash.moc"
