// The archive in memory: members in order under their names, found without regard to case, and every
// way an archive can fail to give its members: another password, damage, truncation, no ZIP at all; each
// with the fault a reader names, as it comes from the ZIP module through its loader.
#include "exchange/archive.h"

#include "exchange/password.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Contents = QList<std::optional<QByteArray>>;

class TestArchive : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void membersFoundWithoutRegardToCase();
    void everyWrongPasswordIsRefused();
    void unreadable_data();
    void unreadable();
    void faults_data();
    void faults();
    void infoZipListsTheMembersAsEncrypted();
};

namespace {

const QList<archive::Member> kMembers{{QStringLiteral("S500011.1"), QByteArray("1|101|500011|1|1234|")},
                                      {QStringLiteral("P500011.1"), QByteArray(5000, '7') + "\r\n"}};

} // namespace

void TestArchive::roundTrip() {
    const QByteArray zip = archive::pack(kMembers, heslo_zip());
    QVERIFY(zip.startsWith("PK"));
    QVERIFY(!zip.contains(kMembers[0].content)); // encrypted, not stored in the clear
    const Contents contents =
        archive::unpack(zip, heslo_zip(), {QStringLiteral("S500011.1"), QStringLiteral("P500011.1")});
    QCOMPARE(contents, (Contents{kMembers[0].content, kMembers[1].content}));
}

void TestArchive::membersFoundWithoutRegardToCase() {
    const QByteArray zip = archive::pack(kMembers, heslo_zip());
    const Contents contents = archive::unpack(
        zip, heslo_zip(), {QStringLiteral("p500011.1"), QStringLiteral("s500011.1"), QStringLiteral("s500011.2")});
    QCOMPARE(contents, (Contents{kMembers[1].content, kMembers[0].content, std::nullopt}));
}

void TestArchive::everyWrongPasswordIsRefused() {
    // The traditional encryption lets about one wrong password in 256 pass its header check; the CRC at
    // the end of the member must still refuse it.
    const QByteArray zip = archive::pack(kMembers, heslo_zip());
    int refused = 0;
    int namedWrongPassword = 0;
    for (int i = 0; i < 600; ++i) {
        try {
            archive::unpack(zip, QStringLiteral("wrong%1").arg(i), {QStringLiteral("P500011.1")});
        } catch (const archive::ArchiveError &e) {
            ++refused;
            namedWrongPassword += e.fault() == archive::ArchiveError::Fault::WrongPassword;
        }
    }
    QCOMPARE(refused, 600);
    // Those that pass the header check fail the CRC, which names no password: a handful, never dozens.
    QVERIFY2(namedWrongPassword >= 570, qPrintable(QString::number(namedWrongPassword)));
}

void TestArchive::unreadable_data() {
    QTest::addColumn<QByteArray>("zip");
    const QByteArray zip = archive::pack(kMembers, heslo_zip());
    QByteArray damaged = zip;
    for (qsizetype i = 80; i < 160 && i < damaged.size(); ++i)
        damaged[i] = char(damaged[i] ^ 0xff);
    QTest::newRow("damaged member data") << damaged;
    QTest::newRow("truncated") << zip.left(zip.size() - 30);
    QTest::newRow("not a ZIP archive") << QByteArray("PK but nothing more");
    QTest::newRow("empty") << QByteArray();
}

void TestArchive::unreadable() {
    QFETCH(QByteArray, zip);
    QVERIFY_THROWS_EXCEPTION(
        archive::ArchiveError,
        archive::unpack(zip, heslo_zip(), {QStringLiteral("S500011.1"), QStringLiteral("P500011.1")}));
}

void TestArchive::faults_data() {
    using Fault = archive::ArchiveError::Fault;
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<Fault>("fault");
    QTest::newRow("no ZIP at all") << QByteArray("MZ") << Fault::NotZip;
    QTest::newRow("PK but nothing more") << QByteArray("PK but nothing more") << Fault::Damaged;
    QTest::newRow("two names differing in case")
        << archive::pack({kMembers[0], {QStringLiteral("s500011.1"), "x"}}, heslo_zip()) << Fault::DuplicateName;
    QTest::newRow("a member over the limit")
        << archive::pack({{QStringLiteral("P500011.1"), QByteArray(archive::MAX_MEMBER_SIZE + 1, '0')}}, heslo_zip())
        << Fault::TooLarge;

    QTemporaryDir folder;
    QFile member(folder.filePath(QStringLiteral("S500011.1")));
    QVERIFY(member.open(QIODevice::WriteOnly) && member.write(kMembers[0].content) == kMembers[0].content.size());
    member.close();
    const QString clear = folder.filePath(QStringLiteral("clear.zip"));
    QCOMPARE(QProcess::execute(QStringLiteral("zip"), {QStringLiteral("-qj"), clear, member.fileName()}), 0);
    QFile zip(clear);
    QVERIFY(zip.open(QIODevice::ReadOnly));
    QTest::newRow("a member in the clear") << zip.readAll() << Fault::NotEncrypted;
}

void TestArchive::faults() {
    QFETCH(QByteArray, zip);
    QFETCH(archive::ArchiveError::Fault, fault);
    try {
        archive::unpack(zip, heslo_zip(), {QStringLiteral("S500011.1"), QStringLiteral("P500011.1")});
        QFAIL("unpacked");
    } catch (const archive::ArchiveError &e) {
        QCOMPARE(e.fault(), fault);
    }
}

void TestArchive::infoZipListsTheMembersAsEncrypted() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("VQ500011.1")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(archive::pack(kMembers, heslo_zip()));
    file.close();
    QProcess info;
    info.start(QStringLiteral("zipinfo"), {file.fileName()});
    QVERIFY(info.waitForFinished(20000));
    const QList<QByteArray> lines = info.readAllStandardOutput().split('\n');
    // "-rw-...  3.0 unx  20 TX defN ..." : the first letter of the fifth column is "B"/"T" upper case
    // for an encrypted member.
    int encrypted = 0;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> columns = line.simplified().split(' ');
        if (columns.size() > 8 && (columns.last() == "S500011.1" || columns.last() == "P500011.1")) {
            QVERIFY2(columns[4].at(0) == 'T' || columns[4].at(0) == 'B', line.constData());
            ++encrypted;
        }
    }
    QCOMPARE(encrypted, 2);
}

QTEST_GUILESS_MAIN(TestArchive)
#include "test_archive.moc"
