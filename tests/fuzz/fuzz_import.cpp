// The import of the S and P data (the input: the S file, a line end, the P file) into the clean district
// of municipality 500011, polling district 1: a refused file changes no file of the data folder, an
// accepted one stores exactly its values and changes its own table alone, and the tables as stored hold
// what the program shows.
#include "exchange/codelist.h"
#include "exchange/exchangefixture.h"
#include "exchange/exchangelines.h"
#include "exchange/import.h"
#include "fuzz/fuzzcheck.h"
#include "store/datamodule.h"
#include "store/journal.h"
#include "store/schema.h"
#include "support/scriptedservices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>

namespace {

QString root() {
    static const QTemporaryDir dir;
    return dir.path();
}

// The clean district's tables, copied for every input.
QString baseData() {
    return QDir(root()).filePath(QStringLiteral("data"));
}

void copyFolder(const QString &from, const QString &to) {
    FUZZ_REQUIRE(QDir().mkpath(to));
    for (const QString &name : QDir(from).entryList(QDir::Files))
        FUZZ_REQUIRE(QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)));
}

std::map<QString, QByteArray> filesIn(const QString &folder) {
    std::map<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        FUZZ_REQUIRE(file.open(QIODevice::ReadOnly));
        files[name] = file.readAll();
    }
    return files;
}

// Every file as it was but those an accepted import writes: its table, and the journal of its commit.
void requireOthersUnchanged(const std::map<QString, QByteArray> &before, const std::map<QString, QByteArray> &after,
                            bool sRefused, bool pRefused) {
    std::map<QString, QByteArray> expected = before;
    std::map<QString, QByteArray> found = after;
    for (const auto &[name, accepted] :
         {std::pair{schemas::S1().fileName, !sRefused}, std::pair{schemas::P1().fileName, !pRefused},
          std::pair{QString::fromLatin1(Journal::FILE_NAME), !sRefused || !pRefused}}) {
        if (accepted) {
            expected.erase(name);
            found.erase(name);
        }
    }
    FUZZ_REQUIRE(found == expected);
}

bool refused(const Outcome &outcome) {
    return std::any_of(outcome.steps().begin(), outcome.steps().end(),
                       [](const Step &step) { return step.kind == Step::Kind::Error; });
}

QList<QStringList> storedRecords(const TableSchema &schema, const QString &folder) {
    Table table(schema, folder);
    table.open();
    return fixture::records(table);
}

void requireProtocol(const QList<QStringList> &shown, const QList<QStringList> &before, const QByteArray &s) {
    QList<QStringList> expected = before;
    const QByteArray line = exchange::firstTextLine(s);
    const QList<QByteArrayView> values = exchange::cutRecordLine(line);
    const QList<int> &positions = exchange::sFieldPositions();
    for (int i = 0; i < exchange::S_VALUES; ++i)
        expected[0][positions[i]] = fuzz::storedText(values[i], schemas::S1().fields[positions[i]].width);
    FUZZ_REQUIRE(shown == expected);
}

void requireAttachments(const QList<QStringList> &shown, const QByteArray &p) {
    const QList<QByteArray> lines = exchange::textLines(p);
    FUZZ_REQUIRE(shown.size() == lines.size());
    const std::vector<FieldDef> &fields = schemas::P1().fields;
    for (qsizetype r = 0; r < lines.size(); ++r) {
        const QList<QByteArrayView> values = exchange::cutRecordLine(lines[r]);
        FUZZ_REQUIRE(values.size() <= qsizetype(fields.size()));
        for (size_t k = 0; k < fields.size(); ++k) {
            const qsizetype i = qsizetype(k);
            FUZZ_REQUIRE(shown[r][i] == (i < values.size() ? fuzz::storedText(values[i], fields[k].width) : QString()));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::useMemoryTempFolder();
    copyFolder(fuzz::installedData(), baseData());
    DataModule data(baseData());
    ScriptedServices services;
    District district(data, services);
    fixture::makeCleanDistrict(district);
    // The import reads no code list: emptied, they cost nothing to open for every input.
    const QString empty = QDir(root()).filePath(QStringLiteral("empty.txt"));
    FUZZ_REQUIRE(QFile(empty).open(QIODevice::WriteOnly));
    importCodeListFile(data.TVQ_OBCE(), empty);
    importCodeListFile(data.TVQ_KOAL(), empty);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const qsizetype lineEnd = input.indexOf('\n');
    const QByteArray s = lineEnd < 0 ? input : input.left(lineEnd);
    const QByteArray p = lineEnd < 0 ? QByteArray() : input.mid(lineEnd + 1);

    QTemporaryDir work;
    const QString folder = QDir(work.path()).filePath(QStringLiteral("data"));
    copyFolder(baseData(), folder);
    const std::map<QString, QByteArray> before = filesIn(folder);
    QList<QStringList> s1Before, p1Before, s1Shown, p1Shown;
    bool sRefused = false;
    bool pRefused = false;
    {
        DataModule data(folder);
        ScriptedServices services;
        District district(data, services);
        s1Before = fixture::records(data.TS1());
        p1Before = fixture::records(data.TP1());
        Outcome sRead;
        import_S1(district, s, sRead);
        sRefused = refused(sRead);
        Outcome pRead;
        import_P1(district, QStringLiteral("p500011.1"), p, pRead);
        pRefused = refused(pRead);
        s1Shown = fixture::records(data.TS1());
        p1Shown = fixture::records(data.TP1());
    }
    requireOthersUnchanged(before, filesIn(folder), sRefused, pRefused);
    FUZZ_REQUIRE(storedRecords(schemas::S1(), folder) == s1Shown);
    FUZZ_REQUIRE(storedRecords(schemas::P1(), folder) == p1Shown);
    if (sRefused)
        FUZZ_REQUIRE(s1Shown == s1Before);
    else
        requireProtocol(s1Shown, s1Before, s);
    if (pRefused)
        FUZZ_REQUIRE(p1Shown == p1Before);
    else
        requireAttachments(p1Shown, p);
    return 0;
}
