// The replay of the journal at the opening of the data folder, for journals whose records are intact but
// whose commits do not fit the tables: the opening is refused and no file changes, not even by the
// commits before the one that does not fit. And the journals of a crash that must still replay.
#include "store/change.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/journal.h"
#include "store/tablefile.h"
#include "store/tablefiles.h"
#include "support/faultinjection.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

class TestJournal : public QObject {
    Q_OBJECT
private slots:
    void init();
    void commitsThatDoNotFitAreRefusedWithNoFileChanged();
    void replaysOntoAFileALaterReplacementCut();
    void replaysABackupBesideTheTables();
    void replaysCommitsFarIntoTheFile();
    void aCleanEndSyncsWhatWasWrittenOnly();

private:
    QString data() const { return QDir(m_dir->path()).filePath(QStringLiteral("data")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

int s1Length() {
    int length = 0;
    for (const FieldDef &field : schemas::S1().fields)
        length += field.width;
    return length;
}

QByteArray s1Record(const QByteArray &text) {
    return text + QByteArray(s1Length() - text.size(), ' ');
}

// The journal of the commits, followed by zeros up to `size` as the program lays the file out ahead.
void writeJournal(const QString &folder, const std::vector<Commit> &commits, qsizetype size = 0) {
    QByteArray bytes;
    quint64 sequence = 1;
    for (const Commit &commit : commits)
        bytes += journalformat::encode(commit, sequence++);
    bytes += QByteArray(qMax<qsizetype>(0, size - bytes.size()), '\0');
    QFile file(QDir(folder).filePath(QString::fromLatin1(Journal::FILE_NAME)));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::map<QString, QByteArray> filesBelow(const QString &folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        files[QDir(folder).relativeFilePath(file.fileName())] = file.readAll();
    }
    return files;
}

QList<QByteArray> s1Texts(DataModule &data) {
    QList<QByteArray> texts;
    for (data.TS1().first(); texts.size() < data.TS1().recordCount(); data.TS1().next())
        texts.append(data.TS1().text(0).toLatin1());
    return texts;
}

// Commits that change S1 alone, as the program writes them.
Commit s1Update(int row, const QByteArray &text, int rowCount = 2) {
    return Commit{{TableChange{QStringLiteral("S1.DBF"), false, rowCount, {{row, s1Record(text)}}}}, {}};
}

} // namespace

// Two records in S1 (first field "a" and "b"), ended cleanly.
void TestJournal::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(data()));
    createTableFiles(data());
    DataModule module(data());
    for (const char *text : {"a", "b"}) {
        module.TS1().append();
        module.TS1().setText(0, QString::fromLatin1(text));
        module.TS1().post();
    }
}

void TestJournal::commitsThatDoNotFitAreRefusedWithNoFileChanged() {
    QByteArray control = s1Record("c");
    control[3] = '\x01';
    const Commit fitting = s1Update(0, "z");
    const struct {
        const char *what;
        Commit commit;
    } cases[] = {
        {"a record that is not text", Commit{{TableChange{QStringLiteral("S1.DBF"), false, 2, {{1, control}}}}, {}}},
        {"rows left unwritten", s1Update(4, "e", 5)},
        {"a replacement out of order",
         Commit{{TableChange{QStringLiteral("S1.DBF"), true, 2, {{1, s1Record("x")}, {0, s1Record("y")}}}}, {}}},
        {"a table the folder does not have", Commit{{TableChange{QStringLiteral("X.DBF"), false, 0, {}}}, {}}},
        {"a record of another table's length",
         Commit{{TableChange{QStringLiteral("P1.DBF"), false, 1, {{0, s1Record("p")}}}}, {}}},
        {"a file in place of a table", Commit{{}, {{QStringLiteral("S1.DBF"), "x"}}}},
        {"a file outside the folder", Commit{{}, {{QStringLiteral("../mimo"), "x"}}}},
        {"a file by an absolute path", Commit{{}, {{QDir(m_dir->path()).filePath(QStringLiteral("mimo")), "x"}}}},
        {"a file below a file", Commit{{}, {{QStringLiteral("zaloha/a"), "x"}, {QStringLiteral("zaloha/a/b"), "y"}}}},
    };
    for (const auto &c : cases) {
        writeJournal(data(), {fitting, c.commit});
        const std::map<QString, QByteArray> before = filesBelow(m_dir->path());
        bool refused = false;
        try {
            DataModule module(data());
        } catch (const StorageError &) {
            refused = true;
        }
        QVERIFY2(refused, c.what);
        QVERIFY2(filesBelow(m_dir->path()) == before, c.what);
    }
}

// A crash after a replacement reached the file: the commits before it replay onto the file it cut.
void TestJournal::replaysOntoAFileALaterReplacementCut() {
    const Commit replacement{{TableChange{QStringLiteral("S1.DBF"), true, 1, {{0, s1Record("r")}}}}, {}};
    writeJournal(data(), {s1Update(1, "z"), replacement});
    TableFile::openForRecovery(QDir(data()).filePath(QStringLiteral("S1.DBF")), schemas::S1())
        .apply(replacement.tables[0]);

    DataModule module(data());
    QCOMPARE(s1Texts(module), QList<QByteArray>{"r"});
    QVERIFY(Journal(data()).pending().empty());
}

void TestJournal::replaysABackupBesideTheTables() {
    const Commit backup{{}, {{QStringLiteral("zaloha/20260101-120000-skuska/S1.DBF"), "obsah"}}};
    writeJournal(data(), {s1Update(0, "z"), backup});
    // What the crash left of the file is longer than its content in the journal: none of it may remain.
    QFile copy(QDir(data()).filePath(backup.files[0].path));
    QVERIFY(QDir(data()).mkpath(QFileInfo(copy).path()));
    QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write("obsah starší a dlhší") > 5);
    copy.close();

    DataModule module(data());
    QCOMPARE(s1Texts(module), (QList<QByteArray>{"z", "b"}));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("obsah"));
    QVERIFY(Journal(data()).pending().empty());
}

// The end syncs the tables the program wrote and empties the journal; the ten tables it never wrote
// have nothing to make durable, and each sync of them would wait for the disk.
void TestJournal::aCleanEndSyncsWhatWasWrittenOnly() {
    auto module = std::make_unique<DataModule>(data());
    module->TS1().first();
    module->TS1().edit();
    module->TS1().setText(0, QStringLiteral("z"));
    module->TS1().post();
    FaultInjection count;
    module.reset();
    QCOMPARE(count.syncs, 2); // S1, then the journal
    QCOMPARE(s1Texts(*std::make_unique<DataModule>(data())), (QList<QByteArray>{"z", "b"}));
}

QTEST_GUILESS_MAIN(TestJournal)
// A crash after many commits: the start reads the journal in parts, and a record can cross from one part
// into the next; every commit replays, and the zeros laid out after them end the journal.
void TestJournal::replaysCommitsFarIntoTheFile() {
    std::vector<Commit> commits;
    for (int n = 0; n < 100; ++n)
        commits.push_back(s1Update(n % 2, QByteArray(1, char('a' + n % 26))));
    writeJournal(data(), commits, 256 * 1024);

    DataModule module(data());

    QCOMPARE(s1Texts(module), (QList<QByteArray>{"u", "v"})); // commits 98 and 99
}

#include "test_journal.moc"
