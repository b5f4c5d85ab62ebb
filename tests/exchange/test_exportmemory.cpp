// What the export remembers: the log of exports in data/ and through it the folder of its save dialog,
// with the final message unchanged when the log cannot be written.
#include "exchange/exportmemory.h"

#include "exchange/dialogfolder.h"
#include "exchange/export.h"
#include "exchangefixture.h"
#include "ui/exchangeactions.h"

#include <QCryptographicHash>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// Scripted services that also keep the folder each save dialog opened in.
class FolderServices : public ScriptedServices {
public:
    QStringList folders;
    std::optional<QString> saveFileName(const QString &title, const QString &folder, const QString &proposed,
                                        const QString &filter) override {
        folders.append(folder);
        return ScriptedServices::saveFileName(title, folder, proposed, filter);
    }
};

QString logOf(const QString &dataFolder) {
    return QDir(dataFolder).filePath(u"exporty.log"_s);
}

} // namespace

class TestExportMemory : public QObject {
    Q_OBJECT
private slots:
    void exportsAreLoggedAndTheirFolderKept() {
        FolderServices services;
        InstallationCopy copy;
        DataModule data(copy.dataFolder());
        District district(data, services);
        fixture::makeCleanDistrict(district);
        QTemporaryDir first, second;
        services.fileAnswers = {first.filePath(u"iné meno"_s), second.filePath(u"VQ500011.1"_s)};

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        exportDistrict(district, services);
        exportDistrict(district, services);

        QCOMPARE(services.folders, (QStringList{initialDialogFolder(), first.path()}));
        QCOMPARE(exportDialogFolder(copy.dataFolder()), second.path());
        const QList<QByteArray> lines = fixture::fileBytes(logOf(copy.dataFolder())).split('\n');
        QCOMPARE(lines.size(), 3); // two lines, each ended
        QVERIFY(lines[2].isEmpty());
        Table &s1 = data.TS1();
        for (int i = 0; i < 2; ++i) {
            const QString path = QDir(i == 0 ? first.path() : second.path()).filePath(u"VQ500011.1"_s);
            const QByteArray archive = fixture::fileBytes(path);
            const std::optional<ExportRecord> r = ExportRecord::parse(lines[i]);
            QVERIFY(r);
            QVERIFY(r->time >= before && r->time <= QDateTime::currentDateTime());
            QCOMPARE(r->name, u"VQ500011.1"_s);
            QCOMPARE(r->path, path);
            QCOMPARE(r->size, archive.size());
            QCOMPARE(r->sha256, QCryptographicHash::hash(archive, QCryptographicHash::Sha256).toHex());
            QCOMPARE((QStringList{r->kc1, r->kc2, r->kc3}),
                     (QStringList{s1.text(u"KC1"_s), s1.text(u"KC2"_s), s1.text(u"KC3"_s)}));
        }
        QCOMPARE(lastExport(copy.dataFolder())->path, second.filePath(u"VQ500011.1"_s));
        QCOMPARE(services.dialogs.back().text, u"Export bol dokončený, : "_s + second.filePath(u"VQ500011.1"_s));

        // A folder that is gone is not offered again.
        QVERIFY(second.remove());
        QCOMPARE(exportDialogFolder(copy.dataFolder()), initialDialogFolder());
    }

    void parse_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("path"); // empty: the line is not a record
        const QByteArray sha(64, 'a');
        QTest::newRow("whole") << "2006-06-17T23:15:02+02:00\tVQ1.1\t/a/VQ1.1\t310\t" + sha + "\t1\t2\t3"
                               << u"/a/VQ1.1"_s;
        QTest::newRow("tab in the path") << "2006-06-17T23:15:02Z\tVQ1.1\t/a\tb/VQ1.1\t310\t" + sha + "\t1\t2\t3"
                                         << u"/a\tb/VQ1.1"_s;
        QTest::newRow("cut short") << "2006-06-17T23:15:02Z\tVQ1.1\t/a/VQ1.1\t310\t" + sha.left(20) << QString();
    }
    void parse() {
        QFETCH(QByteArray, line);
        QFETCH(QString, path);
        const std::optional<ExportRecord> r = ExportRecord::parse(line);
        QCOMPARE(r.has_value(), !path.isEmpty());
        if (r) {
            QCOMPARE(r->path, path);
            QCOMPARE(r->line(), line + '\n');
        }
    }

    // The archive is exported all the same: its final message first, then why the log was not written.
    void unrecorded() {
        ScriptedServices services;
        InstallationCopy copy;
        DataModule data(copy.dataFolder());
        District district(data, services);
        fixture::makeCleanDistrict(district);
        const QString log = logOf(copy.dataFolder());
        QVERIFY(QDir().mkpath(log)); // the log's name taken by a folder
        QTemporaryDir target;
        services.fileAnswers = {target.filePath(u"VQ500011.1"_s)};

        exportDistrict(district, services);

        QVERIFY(QFileInfo(target.filePath(u"VQ500011.1"_s)).isFile());
        QCOMPARE(int(services.dialogs.size()), 2);
        QCOMPARE(services.dialogs[0].text, u"Export bol dokončený, : "_s + target.filePath(u"VQ500011.1"_s));
        QCOMPARE(services.dialogs[1].text, u"Záznam o exportoch %1 sa nepodarilo prečítať."_s.arg(log));
        QCOMPARE(services.dialogs[1].kind, int(Services::Error));
    }
};

QTEST_MAIN(TestExportMemory)
#include "test_exportmemory.moc"
