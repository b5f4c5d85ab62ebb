// The folder of the tables: the shipped ones beside the program, or the user's copy that the first start
// of an installed program makes, complete or not at all, and keeps from then on.
#include "datafolder.h"

#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray read(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT
private slots:
    void findInstallation_data() {
        QTest::addColumn<bool>("reportyBeside");
        QTest::addColumn<QString>("folder"); // relative to the root of the test's folder
        QTest::newRow("a folder copied as it is") << true << u"bin"_s;
        QTest::newRow("an installed package") << false << u"share/volby"_s;
    }
    void findInstallation() {
        QFETCH(bool, reportyBeside);
        QFETCH(QString, folder);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(reportyBeside ? u"bin/reporty"_s : u"bin"_s));
        const Installation found = ::findInstallation(root.filePath(u"bin"_s), u"../share/volby"_s);
        QCOMPARE(found.folder, root.filePath(folder));
        QCOMPARE(found.beside, reportyBeside);
    }

    void prepare_data() {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QString>("before"); // the user's folder: "" none, "copy" a copy of its own,
                                             // "partial" a copy cut short, "blocked" a file in its place
        QTest::addColumn<QString>("result"); // "shipped", "user" (with the tables it must hold) or the error
        QTest::newRow("beside the program, writable") << true << u""_s << u"shipped"_s;
        QTest::newRow("installed, first start") << false << u""_s << u"user"_s;
        QTest::newRow("installed, the user's copy kept") << false << u"copy"_s << u"user"_s;
        QTest::newRow("installed, a copy cut short begun anew") << false << u"partial"_s << u"user"_s;
        QTest::newRow("installed, no place for the copy")
            << false << u"blocked"_s << u"Priečinok údajov %1 sa nepodarilo pripraviť, kód chyby = 20"_s;
    }
    void prepare() {
        QFETCH(bool, beside);
        QFETCH(QString, before);
        QFETCH(QString, result);
        QTemporaryDir installationRoot, home;
        const QDir installation(installationRoot.path());
        QVERIFY(installation.mkpath(u"data"_s));
        QVERIFY(write(installation.filePath(u"data/S1.DBF"_s), "S1 as shipped"));
        QVERIFY(write(installation.filePath(u"data/OBCE06.DBF"_s), QByteArray(100000, 'o')));
        QString user = home.filePath(u"volby"_s);
        const QString data = QDir(user).filePath(u"data"_s);
        if (before == u"copy"_s) {
            QVERIFY(QDir().mkpath(data));
            QVERIFY(write(QDir(data).filePath(u"S1.DBF"_s), "S1 as keyed in"));
        } else if (before == u"partial"_s) {
            QVERIFY(QDir().mkpath(user + u"/data.new"_s));
            QVERIFY(write(user + u"/data.new/S1.DBF"_s, "S1 cut"));
        } else if (before == u"blocked"_s) {
            QVERIFY(write(home.filePath(u"file"_s), "x"));
            user = home.filePath(u"file/volby"_s);
        }

        QString chosen, error;
        try {
            chosen = prepareDataFolder({installation.absolutePath(), beside}, user);
        } catch (const InputOutputError &e) {
            error = e.message();
        }

        if (result == u"shipped"_s) {
            QCOMPARE(chosen, installation.filePath(u"data"_s));
            QVERIFY(!QFileInfo::exists(user));
        } else if (result == u"user"_s) {
            QCOMPARE(error, QString());
            QCOMPARE(chosen, data);
            QCOMPARE(read(QDir(data).filePath(u"S1.DBF"_s)), before == u"copy"_s ? "S1 as keyed in" : "S1 as shipped");
            if (before != u"copy"_s)
                QCOMPARE(read(QDir(data).filePath(u"OBCE06.DBF"_s)), QByteArray(100000, 'o'));
            QCOMPARE(QDir(user).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList{u"data"_s});
        } else {
            QCOMPARE(error, result.arg(home.filePath(u"file/volby"_s)));
        }
    }
};

QTEST_MAIN(TestDataFolder)
#include "test_datafolder.moc"
