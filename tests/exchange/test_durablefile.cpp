// Durable placement of a file, and the folder the exchange dialogs open in.
#include "exchange/dialogfolder.h"
#include "exchange/durablefile.h"
#include "support/faultinjection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestDurableFile : public QObject {
    Q_OBJECT
private slots:
    void placesTheVerifiedContent();
    void refusedVerificationKeepsTheOldFile();
    void failingFolder_data();
    void failingFolder();
    void everyFailingCallKeepsTheOldFile();
    void dialogFolder_data();
    void dialogFolder();
};

void TestDurableFile::placesTheVerifiedContent() {
    QTemporaryDir folder;
    QVERIFY(write(folder.filePath(QStringLiteral("VQ1.1")), "old"));
    QByteArray seen;
    durable::writeFile(folder.path(), QStringLiteral("VQ1.1"), "new content", [&seen](const QByteArray &b) {
        seen = b;
        return true;
    });
    QCOMPARE(seen, QByteArray("new content")); // read back from the disk before it replaced the old file
    QCOMPARE(bytesOf(folder.filePath(QStringLiteral("VQ1.1"))), QByteArray("new content"));
    QCOMPARE(entries(folder.path()), QStringList{"VQ1.1"});
    QCOMPARE(QFile::permissions(folder.filePath(QStringLiteral("VQ1.1"))) & QFile::ReadOther, QFile::ReadOther);
}

void TestDurableFile::refusedVerificationKeepsTheOldFile() {
    QTemporaryDir folder;
    QVERIFY(write(folder.filePath(QStringLiteral("VQ1.1")), "old"));
    QVERIFY_THROWS_EXCEPTION(durable::VerifyFailure, durable::writeFile(folder.path(), QStringLiteral("VQ1.1"), "new",
                                                                        [](const QByteArray &) { return false; }));
    QCOMPARE(bytesOf(folder.filePath(QStringLiteral("VQ1.1"))), QByteArray("old"));
    QCOMPARE(entries(folder.path()), QStringList{"VQ1.1"});
}

void TestDurableFile::failingFolder_data() {
    QTest::addColumn<QString>("folder"); // below the temporary folder
    QTest::addColumn<int>("code");
    QTest::newRow("missing folder") << QStringLiteral("missing") << ENOENT;
    QTest::newRow("a file for a folder") << QStringLiteral("file") << ENOTDIR;
}

void TestDurableFile::failingFolder() {
    QFETCH(QString, folder);
    QFETCH(int, code);
    QTemporaryDir root;
    QVERIFY(write(root.filePath(QStringLiteral("file")), "x"));
    try {
        durable::writeFile(root.filePath(folder), QStringLiteral("VQ1.1"), "content",
                           [](const QByteArray &) { return true; });
        QFAIL("the write did not fail");
    } catch (const durable::WriteFailure &failure) {
        QCOMPARE(failure.code, code);
    }
    QCOMPARE(entries(root.path()), QStringList{"file"});
}

// Each file call of a placement failed in turn, as a full or failing disk would: the error number reaches
// the caller, no temporary file stays, and the name holds the old content up to the rename and the new
// one after it, when only the folder's sync failed.
void TestDurableFile::everyFailingCallKeepsTheOldFile() {
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("VQ1.1"));
    QVERIFY(write(target, "old"));
    const auto place = [&] {
        durable::writeFile(folder.path(), QStringLiteral("VQ1.1"), "new",
                           [](const QByteArray &b) { return b == "new"; });
    };
    int calls = 0;
    {
        FaultInjection counter;
        place();
        calls = counter.calls;
    }
    QVERIFY(calls >= 5);  // open, write, sync, rename, the folder's sync
    bool renamed = false; // the calls after the rename leave the new content, those before it the old
    for (int n = 1; n <= calls; ++n) {
        QVERIFY(write(target, "old"));
        FaultInjection fault(n, EIO);
        try {
            place();
            QFAIL(qPrintable(QStringLiteral("call %1 failed without a word").arg(n)));
        } catch (const durable::WriteFailure &failure) {
            QVERIFY2(failure.code == EIO || failure.code == ENOSPC, qPrintable(QString::number(failure.code)));
        }
        QVERIFY(fault.failed);
        QCOMPARE(entries(folder.path()), QStringList{"VQ1.1"});
        const QByteArray content = bytesOf(target);
        QVERIFY2(content == (renamed ? "new" : "old") || (!renamed && content == "new"),
                 qPrintable(QStringLiteral("call %1: %2").arg(n).arg(QString::fromLatin1(content))));
        renamed = content == "new";
    }
    QVERIFY(renamed); // the folder's sync comes last
}

void TestDurableFile::dialogFolder_data() {
    QTest::addColumn<QStringList>("volumes");   // root=device
    QTest::addColumn<QStringList>("removable"); // block devices whose disk is removable
    QTest::addColumn<QString>("expected");
    QTest::newRow("diskette first") << QStringList{"/media/usb=/dev/sdb1", "/media/a=/dev/fd0"} << QStringList{"sdb"}
                                    << "/media/a";
    QTest::newRow("first removable medium")
        << QStringList{"/=/dev/sda1", "/media/usb=/dev/sdb1"} << QStringList{"sdb"} << "/media/usb";
    QTest::newRow("fixed disks only: home")
        << QStringList{"/=/dev/sda1", "/data=/dev/sda2"} << QStringList() << "/home/komisia";
    QTest::newRow("no block device") << QStringList{"/run=tmpfs"} << QStringList() << "/home/komisia";
}

void TestDurableFile::dialogFolder() {
    QFETCH(QStringList, volumes);
    QFETCH(QStringList, removable);
    QFETCH(QString, expected);
    // A /sys/class/block of links to device folders: sdb1 inside its disk sdb, which carries "removable".
    QTemporaryDir sys;
    const QDir root(sys.path());
    QList<MountedVolume> mounted;
    QVERIFY(root.mkpath(QStringLiteral("class/block")));
    for (const QString &v : volumes) {
        const QString device = v.section(u'=', 1);
        mounted.append({v.section(u'=', 0, 0), device});
        if (!device.startsWith(QLatin1String("/dev/")))
            continue;
        const QString partition = device.mid(5);
        const QString disk = partition.left(3);
        QVERIFY(root.mkpath(QStringLiteral("devices/%1/%2").arg(disk, partition)));
        QVERIFY(write(root.filePath(QStringLiteral("devices/%1/removable").arg(disk)),
                      removable.contains(disk) ? "1\n" : "0\n"));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("devices/%1/%2").arg(disk, partition)),
                            root.filePath(QStringLiteral("class/block/") + partition)));
    }
    QCOMPARE(
        initialDialogFolder(mounted, root.filePath(QStringLiteral("class/block")), QStringLiteral("/home/komisia")),
        expected);
}

QTEST_GUILESS_MAIN(TestDurableFile)
#include "test_durablefile.moc"
