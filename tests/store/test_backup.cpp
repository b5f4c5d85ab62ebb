#include "store/backup.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/tablefiles.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        createTableFiles(m_dir->path());
    }
    void cleanup() { m_dir.reset(); }

    void holdsTheDistrictAsCommitted() {
        DataModule data(m_dir->path());
        post(data.TS1(), QStringLiteral("OBVOD"), QStringLiteral("101"));
        post(data.TP1(), QStringLiteral("KON"), QStringLiteral("7"));
        backUpDistrict(data, QStringLiteral("skuska"));
        const QStringList made = backups();
        QCOMPARE(made.size(), 1);
        QVERIFY2(made.first().endsWith(QStringLiteral("-skuska")), qPrintable(made.first()));
        const QString folder = backupFolder().filePath(made.first());
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), QStringList({"P1.DBF", "P1_odlozene.DBF", "S1.DBF"}));
        Table s1(schemas::S1(), folder);
        s1.open();
        QCOMPARE(s1.text(QStringLiteral("OBVOD")), QStringLiteral("101"));
        Table p1(schemas::P1(), folder);
        p1.open();
        QCOMPARE(p1.recordCount(), 1);
        QCOMPARE(p1.text(QStringLiteral("KON")), QStringLiteral("7"));
    }

    void keepsTheNewestUnderNamesOfTheirOwn() {
        // Backups in quick succession, most within one second: each gets a folder of its own, the
        // newest BACKUPS_KEPT stay, and the one just made is always among them.
        DataModule data(m_dir->path());
        QStringList made;
        for (int i = 1; i <= BACKUPS_KEPT + 3; ++i) {
            post(data.TS1(), QStringLiteral("OBVOD"), QString::number(i));
            const QStringList before = backups();
            backUpDistrict(data, QStringLiteral("skuska"));
            const QStringList after = backups();
            QCOMPARE(after.size(), std::min(i, BACKUPS_KEPT));
            QStringList added;
            for (const QString &name : after)
                if (!before.contains(name))
                    added.append(name);
            QCOMPARE(added.size(), 1);
            QVERIFY2(!made.contains(added.first()), qPrintable(added.first()));
            made.append(added.first());
            Table s1(schemas::S1(), backupFolder().filePath(added.first()));
            s1.open();
            QCOMPARE(s1.text(QStringLiteral("OBVOD")), QString::number(i));
        }
        const QStringList kept = backups();
        QCOMPARE(QSet<QString>(kept.begin(), kept.end()), QSet<QString>(made.end() - BACKUPS_KEPT, made.end()));
    }

    void nothingToKeepInANewInstallation() {
        DataModule data(m_dir->path());
        backUpDistrict(data, QStringLiteral("skuska"));
        QVERIFY(backups().isEmpty());
    }

private:
    static void post(Table &table, const QString &field, const QString &value) {
        table.first();
        table.edit();
        table.setText(field, value);
        table.post();
    }
    QDir backupFolder() const { return QDir(QDir(m_dir->path()).filePath(QString::fromLatin1(BACKUP_FOLDER))); }
    QStringList backups() const { return backupFolder().entryList(QDir::Dirs | QDir::NoDotAndDotDot); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
