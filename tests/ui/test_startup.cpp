// The start-up on a data folder that another program already holds: the general error box, no program,
// and no table touched. The lock goes with the program that held it.

#include "ui/startup.h"

#include "support/installationcopy.h"
#include "support/modal.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>

namespace {

QByteArray folderDigest(const QString &folder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result();
}

// Starts the program on the folder, answering an error box; its text, or nothing when none was shown.
QString startAndAnswer(const QString &folder, std::optional<Program> &program) {
    QString text;
    const QPointer<QTimer> watch = whenModal(QStringLiteral("Volby do VQRA 2006"), [&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        text = box->text();
        box->accept();
    });
    program = startProgram(folder);
    delete watch;
    return text;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void secondProgramOnTheSameFolderIsRefused();
};

void TestStartup::secondProgramOnTheSameFolderIsRefused() {
    InstallationCopy copy;
    QVERIFY(copy.isValid());
    std::optional<Program> first;
    QCOMPARE(startAndAnswer(copy.dataFolder(), first), QString());
    QVERIFY(first);
    const QByteArray before = folderDigest(copy.dataFolder());

    std::optional<Program> second;
    QCOMPARE(startAndAnswer(copy.dataFolder(), second), QStringLiteral("Program už beží nad týmito údajmi."));
    QVERIFY(!second);
    QCOMPARE(folderDigest(copy.dataFolder()), before);

    // Once the first program has ended, the folder is free again.
    first.reset();
    std::optional<Program> third;
    QCOMPARE(startAndAnswer(copy.dataFolder(), third), QString());
    QVERIFY(third);
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
