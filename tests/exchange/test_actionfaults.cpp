// Every kind of action on a full district (21 parties of 150 candidates), with each of its calls to the
// disk failed in turn. After every failure: the error reached the caller; the tables in memory and the
// tables as a crash at that moment would leave them hold the whole state before the action, or after
// it, never a mix; the next action works and is stored. Counted whole, each action tells the syncs it
// costs, and the opening of the tables the reads. And a really full disk, where the test may mount one.
#include "checks/completecheck.h"
#include "district/attachmentset.h"
#include "district/candidateentry.h"
#include "district/protocolentry.h"
#include "exchange/archive.h"
#include "exchange/codelistimport.h"
#include "exchange/exchangelines.h"
#include "exchange/import.h"
#include "exchange/password.h"
#include "store/errors.h"
#include "store/wipe.h"
#include "support/districtsetup.h"
#include "support/faultinjection.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using Snapshot = QList<QList<QStringList>>; // every table, every record, every field

// A storage error names the file or folder: a table as "data/P1.DBF", any other by its whole path.
const QRegularExpression namesAFile(QStringLiteral("data/|/data"));

// What the tables hold. Of a table in the edit state only that and where it stands (moving would post
// it; what a box had typed stays in the edit state); any other is read whole and left where it stood.
Snapshot snapshot(DataModule &data) {
    Snapshot tables;
    for (Table *table : {&data.TS1(), &data.TP1(), &data.TP1_ODLOZ(), &data.TTEMPTLAC(), &data.TProtokol1(),
                         &data.TProtokol2(), &data.TP1_TEMP(), &data.TP1_TLAC1(), &data.TP1_TLAC2(), &data.TS1_TLAC(),
                         &data.TVQ_KOAL(), &data.TVQ_OBCE()}) {
        const auto fields = [table] {
            QStringList values;
            for (int i = 0; i < table->fieldCount(); ++i)
                values.append(table->text(i));
            return values;
        };
        QList<QStringList> records;
        if (table->inEditState()) {
            records.append({QStringLiteral("editing %1 of %2").arg(table->recordNumber()).arg(table->recordCount())});
        } else {
            const int keep = table->recordNumber();
            table->first();
            for (int r = 0; r < table->recordCount(); ++r, table->next())
                records.append(fields());
            table->first();
            table->moveBy(keep - 1);
        }
        tables.append(records);
    }
    return tables;
}

void copyFolder(const QString &from, const QString &to) {
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QVERIFY(QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)));
}

// The tables of a data folder as a crash at this moment would leave them: a copy of the files as they
// lie, brought up to date by the journal, then read.
Snapshot crashSnapshot(const QString &folder) {
    QTemporaryDir crashed;
    copyFolder(folder, crashed.path());
    DataModule data(crashed.path());
    return snapshot(data);
}

// A scratch folder on a memory file system where there is one, so that thousands of syncs stay cheap.
QString scratchRoot() {
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

// One action on a fresh copy of the full district.
struct Run {
    explicit Run(const QString &from) : dir(scratchRoot() + QStringLiteral("/volby-faults-XXXXXX")) {
        copyFolder(from, folder());
        data = std::make_unique<DataModule>(folder());
        district = std::make_unique<District>(*data, services);
    }
    QString folder() const { return dir.filePath(QStringLiteral("data")); }
    QTemporaryDir dir;
    JournalServices services;
    std::unique_ptr<DataModule> data;
    std::unique_ptr<District> district;
};

struct ActionCase {
    std::function<void(Run &)> prepare; // outside the counted calls
    std::function<void(Run &)> act;
    int syncs; // the most it may cost: one for a box's exit, three for the larger actions
};

} // namespace

Q_DECLARE_METATYPE(ActionCase)

class TestActionFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyCallFailedInTurn_data();
    void everyCallFailedInTurn();
    void openingReadsEachFileOnce();
    void reallyFullDisk();

private:
    QString m_full;    // the full district's data folder
    QString m_archive; // an export of it
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestActionFaults::initTestCase() {
    m_dir = std::make_unique<QTemporaryDir>(scratchRoot() + QStringLiteral("/volby-full-XXXXXX"));
    DistrictSetup setup;
    QVERIFY(setup.isValid());
    m_full = m_dir->filePath(QStringLiteral("data"));
    {
        std::map<int, int> votes;
        for (int party = 1; party <= 21; ++party)
            votes[party] = 1000;
        setup.setValidProtocol(votes);
        (void)GeneratingP1(setup.district());
        Table &p1 = setup.p1();
        p1.first();
        for (int r = 0; r < p1.recordCount(); ++r, p1.next()) {
            p1.edit();
            p1.setText(schemas::P1_VPH, QStringLiteral("500"));
            for (int n = 1; n <= 150; ++n)
                p1.setInteger(schemas::P1_K1 + n - 1, n % 7 + 1);
            p1.post();
        }
        p1.first();
        const QString archive = m_dir->filePath(QStringLiteral("VQ500011.1"));
        QFile file(archive);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(archive::pack({{QStringLiteral("S500011.1"), exchange::sFileContent(setup.s1())},
                                  {QStringLiteral("P500011.1"), exchange::pFileContent(setup.p1())}},
                                 heslo_zip()));
        QVERIFY(file.flush());
        m_archive = archive;
    }
    copyFolder(setup.dataFolder(), m_full);
    DataModule settled(m_full); // brought up from the journal and ended cleanly, as after a normal end
}

void TestActionFaults::everyCallFailedInTurn_data() {
    QTest::addColumn<ActionCase>("action");
    const auto none = [](Run &) {};
    QTest::newRow("candidate box exit") << ActionCase{[](Run &r) {
                                                          r.data->TP1().first();
                                                          r.data->TP1().moveBy(6);
                                                          (void)pK1Enter(*r.district, 3);
                                                          r.data->TP1().setText(QStringLiteral("K3"), "77");
                                                      },
                                                      [](Run &r) { (void)pK1Exit(*r.district); }, 1};
    QTest::newRow("protocol box exit") << ActionCase{[](Run &r) {
                                                         eOBVODEnter(*r.district);
                                                         r.data->TS1().setText(QStringLiteral("POO"), "0899");
                                                     },
                                                     [](Run &r) { (void)protocolBoxExit(*r.district, FormBox::Poo); },
                                                     1};
    QTest::newRow("quick entry") << ActionCase{[](Run &r) { r.district->setEPocKand(QStringLiteral("150")); },
                                               [](Run &r) {
                                                   QString votes = QStringLiteral("33");
                                                   Outcome emphasis;
                                                   quickStore(*r.district, QStringLiteral("120"), votes, emphasis);
                                               },
                                               1};
    QTest::newRow("regeneration setting an attachment aside")
        << ActionCase{[](Run &r) {
                          Table &s1 = r.data->TS1();
                          s1.first();
                          s1.edit();
                          s1.setText(schemas::S1_PPHPS1 + 4, QStringLiteral("0"));
                          s1.post();
                      },
                      [](Run &r) { (void)GeneratingP1(*r.district); }, 3};
    QTest::newRow("complete check") << ActionCase{none, [](Run &r) { (void)KompletnaKontrola(*r.district); }, 3};
    QTest::newRow("wipe") << ActionCase{none, [](Run &r) { vymaz_databazu(*r.data); }, 3};
    QTest::newRow("zeroing an attachment") << ActionCase{none, [](Run &r) { (void)VymazPolStranu(*r.district); }, 3};
    QTest::newRow("import") << ActionCase{none, [this](Run &r) { (void)rozbal_zip(*r.district, m_archive); }, 3};
    QTest::newRow("code-list import") << ActionCase{
        [](Run &r) { r.data->TVQ_KOAL().empty(); },
        [](Run &r) {
            import_ciselnikov_koal06(*r.district, QStringLiteral(VOLBY_SOURCE_DIR "/installation/KOAL06.TXT"));
        },
        3};
}

void TestActionFaults::everyCallFailedInTurn() {
    QFETCH(ActionCase, action);
    // The action once, whole: its calls, its syncs, and the states before and after it.
    Run probe(m_full);
    action.prepare(probe);
    const Snapshot start = snapshot(*probe.data); // as prepared, typing still pending
    const Snapshot before = crashSnapshot(probe.folder());
    int calls = 0;
    {
        FaultInjection count;
        action.act(probe);
        calls = count.calls;
        QVERIFY2(count.syncs <= action.syncs, qPrintable(QStringLiteral("%1 syncs").arg(count.syncs)));
        if (action.syncs == 1)
            QCOMPARE(count.syncs, 1);
    }
    const Snapshot after = snapshot(*probe.data);
    QVERIFY(after != before);
    QVERIFY(crashSnapshot(probe.folder()) == after);

    for (int n = 1; n <= calls; ++n) {
        const QString at = QStringLiteral("call %1 of %2 failed: ").arg(n).arg(calls);
        Run run(m_full);
        action.prepare(run);
        bool reached = false;
        {
            FaultInjection fault(n);
            fault.shortWrites = n % 2 == 0;
            try {
                action.act(run);
            } catch (const StorageError &e) {
                reached = true;
                QVERIFY2(e.message().contains(namesAFile), qPrintable(at + e.message()));
            }
            QVERIFY2(fault.failed, qPrintable(at + QStringLiteral("the call was not made")));
        }
        QVERIFY2(reached, qPrintable(at + QStringLiteral("the error did not reach the caller")));

        const Snapshot inMemory = snapshot(*run.data);
        const bool committed = inMemory == after;
        QVERIFY2(committed || inMemory == start, qPrintable(at + QStringLiteral("memory holds a mix")));
        QVERIFY2(crashSnapshot(run.folder()) == (committed ? after : before),
                 qPrintable(at + QStringLiteral("the disk disagrees with memory")));

        // The next action works, and its tables are stored whole.
        if (!committed)
            action.act(run);
        QVERIFY2(snapshot(*run.data) == after, qPrintable(at + QStringLiteral("the next action failed")));
        run.district.reset();
        run.data.reset();
        QVERIFY2(crashSnapshot(run.folder()) == after, qPrintable(at + QStringLiteral("not stored after all")));
        // The files alone, as an independent reader finds them once the program has ended.
        Table s1(schemas::S1(), run.folder());
        Table p1(schemas::P1(), run.folder());
        s1.open();
        p1.open();
        QCOMPARE(s1.recordCount(), int(after[0].size()));
        QCOMPARE(p1.recordCount(), int(after[1].size()));
    }
}

void TestActionFaults::openingReadsEachFileOnce() {
    FaultInjection count;
    DataModule data(m_full);
    QCOMPARE(count.reads, count.opens);
    QCOMPARE(count.syncs, 0);
    QCOMPARE(count.calls, count.opens); // nothing but the opens: no table is written at start
}

// A tmpfs of its own filled to a few kilobytes: the regeneration that would grow P1 to 21 attachments
// finds no room. Needs the right to mount (root); skipped otherwise.
void TestActionFaults::reallyFullDisk() {
    QTemporaryDir mountPoint;
    if (::geteuid() != 0 ||
        ::mount("volby", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=1m") != 0)
        QSKIP("a full file system needs the right to mount a tmpfs (root); the fault injection covers it");
    const auto unmount = qScopeGuard([&] { ::umount(QFile::encodeName(mountPoint.path()).constData()); });
    const QString folder = mountPoint.filePath(QStringLiteral("data"));
    DistrictSetup setup; // the installation, S1 and P1 as the wipe leaves them
    copyFolder(setup.dataFolder(), folder);
    std::map<int, int> votes;
    for (int party = 1; party <= 21; ++party)
        votes[party] = 10;
    {
        // The votes of 21 parties stored while there was room (the journal laid out with them): the
        // regeneration will grow P1 to 21 attachments.
        DataModule data(folder);
        Table &s1 = data.TS1();
        s1.first();
        s1.edit();
        for (const auto &[party, count] : votes)
            s1.setInteger(schemas::S1_PPHPS1 + party - 1, count);
        s1.post();
    }
    // The rest of the disk taken by a file, as far as it goes.
    QFile filler(mountPoint.filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
    }
    filler.close();

    const Snapshot before = crashSnapshot(folder);
    DataModule data(folder);
    JournalServices services;
    District district(data, services);
    try {
        (void)GeneratingP1(district);
        QFAIL("the regeneration found room on a full disk");
    } catch (const StorageError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("na disku nie je voľné miesto")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(namesAFile), qPrintable(e.message()));
    }
    QCOMPARE(snapshot(data), before);
    QCOMPARE(crashSnapshot(folder), before);

    // Room again: the same action goes through.
    QVERIFY(filler.remove());
    (void)GeneratingP1(district);
    QCOMPARE(data.TP1().recordCount(), 21);
    QCOMPARE(crashSnapshot(folder)[1].size(), 21);
}

QTEST_GUILESS_MAIN(TestActionFaults)
#include "test_actionfaults.moc"
