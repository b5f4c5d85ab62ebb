// The seed corpora of the fuzz targets, made by the program itself: the clean district of the export and
// import tests exported by the EXPORT button (the archive, its S and P files, their record lines), the
// heads of the shipped code lists, and the twelve table files of that district after the code lists were
// imported from those heads (small enough to mutate quickly), and the journals of a session's actions on a
// small district, written by their real commits (one seed after each action).
//
// make_seeds <installation source folder> <seeds folder>: one folder per target in the seeds folder.
#include "exchange/codelist.h"
#include "exchange/exchangefixture.h"
#include "exchange/exchangelines.h"
#include "exchange/export.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/journaldistrict.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "support/scriptedservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kCodeListLines = 20;

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray head(const QByteArray &text, int lines) {
    qsizetype end = 0;
    for (int i = 0; i < lines && end >= 0; ++i)
        end = text.indexOf('\n', end) + 1;
    return end > 0 ? text.left(end) : text;
}

void makeSeeds(const QString &installation, const QString &seeds) {
    const QTemporaryDir work;
    const QString data = QDir(work.path()).filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    for (const TableSchema *schema : schemas::all())
        if (!QFile::copy(QDir(fuzz::installedData()).filePath(schema->fileName), QDir(data).filePath(schema->fileName)))
            throw std::runtime_error("cannot copy " + schema->fileName.toStdString());

    const QString archivePath = QDir(work.path()).filePath(QStringLiteral("VQ500011.1"));
    QByteArray s;
    QByteArray p;
    {
        DataModule module(data);
        ScriptedServices services;
        District district(module, services);
        fixture::makeCleanDistrict(district);
        (void)Button16Click(district).finish(archivePath);
        s = exchange::sFileContent(module.TS1());
        p = exchange::pFileContent(module.TP1());
        for (const QString &list : {QStringLiteral("OBCE06"), QStringLiteral("KOAL06"), QStringLiteral("STRANY06")}) {
            const QByteArray lines =
                head(readFile(QDir(installation).filePath(list + QStringLiteral(".TXT"))), kCodeListLines);
            writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_codelist/") + list), lines);
            if (list != QStringLiteral("STRANY06")) {
                const QString path = QDir(work.path()).filePath(list);
                writeFile(path, lines);
                importCodeListFile(list == QStringLiteral("OBCE06") ? module.TVQ_OBCE() : module.TVQ_KOAL(), path);
            }
        }
    }

    writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_archive/export")), readFile(archivePath));
    writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_import/export")), s + '\n' + p);
    writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_recordline/S")), s);
    const QList<QByteArray> pLines = exchange::textLines(p);
    for (qsizetype i = 0; i < pLines.size(); ++i)
        writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_recordline/P%1").arg(i + 1)), pLines[i]);
    const std::vector<const TableSchema *> &all = schemas::all();
    for (size_t i = 0; i < all.size(); ++i)
        writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_tablefile/") + all[i]->fileName),
                  char(i) + readFile(QDir(data).filePath(all[i]->fileName)));
}

// Each seed: the option byte that seals the records again (a no-op on an intact journal), then the
// journal; the last one also without it.
void makeJournalSeeds(const QString &seeds) {
    const QTemporaryDir work;
    const QString data = QDir(work.path()).filePath(QStringLiteral("data"));
    fuzz::makeJournalBase(data);
    DataModule module(data);
    QByteArray journal;
    int n = 0;
    for (const auto &action : fuzz::journalActions()) {
        action(module);
        journal = fuzz::writtenJournal(data);
        writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_journal/after%1").arg(++n)), '\x01' + journal);
    }
    writeFile(QDir(seeds).filePath(QStringLiteral("fuzz_journal/unsealed")), '\x00' + journal);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds <installation source folder> <seeds folder>\n");
        return 2;
    }
    try {
        makeSeeds(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
        makeJournalSeeds(QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
