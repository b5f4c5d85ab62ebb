// The replay of the journal when the data module opens (the input: one byte of options, then the bytes
// of data/zurnal.dat beside the tables of a small district). Either the module opens, and every table
// file then holds exactly its records with the journal's commits applied whole and in order, every file
// the journal carries stands written and the journal is empty; or the opening is refused with a storage
// error and no file of the folder has changed. Nothing outside the folder is ever touched.
//
// A mutated record almost never keeps its checksum: with the low bit of the first byte set, the target
// seals every record again (its checksum computed anew), so that damaged content reaches the decoder and
// the replay instead of being cut off at the checksum.
#include "fuzz/journaldistrict.h"
#include "store/disk.h"
#include "store/errors.h"
#include "store/tablefile.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtEndian>

#include <fcntl.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

namespace {

QString root() {
    static const QTemporaryDir dir;
    return dir.path();
}

QString baseData() {
    return QDir(root()).filePath(QStringLiteral("base"));
}

// The data folder of the current input.
QString g_folder;

// The real file system, ending the run at any change outside the data folder of the current input.
class Confined : public disk::FileSystem {
public:
    int open(const char *path, int flags, mode_t mode) override {
        if ((flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) && !inside(path))
            return refuse();
        return FileSystem::open(path, flags, mode);
    }
    int rename(const char *from, const char *to) override {
        return inside(from) && inside(to) ? FileSystem::rename(from, to) : refuse();
    }
    int unlink(const char *path) override { return inside(path) ? FileSystem::unlink(path) : refuse(); }
    int mkdir(const char *path, mode_t mode) override {
        return inside(path) ? FileSystem::mkdir(path, mode) : refuse();
    }
    int rmdir(const char *path) override { return inside(path) ? FileSystem::rmdir(path) : refuse(); }

private:
    static bool inside(const char *path) {
        return QDir::cleanPath(QFile::decodeName(path)).startsWith(g_folder + QLatin1Char('/'));
    }
    static int refuse() {
        std::fprintf(stderr, "the replay changes a file outside its data folder\n");
        std::abort();
    }
};

// Every file below a folder by its path within it, with its bytes.
std::map<QString, QByteArray> filesBelow(const QString &folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        FUZZ_REQUIRE(file.open(QIODevice::ReadOnly));
        files[QDir(folder).relativeFilePath(path)] = file.readAll();
    }
    return files;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// Each record's checksum computed anew over its sequence, length and payload, as far as records follow
// one another.
void seal(QByteArray &journal) {
    constexpr qsizetype header = journalformat::HEADER;
    for (qsizetype at = 0; journal.size() - at >= header && journal.mid(at, 4) == "VQZ1";) {
        const quint32 length = qFromLittleEndian<quint32>(journal.constData() + at + 4);
        if (length > quint64(journal.size() - at - header))
            break;
        const auto *bytes = reinterpret_cast<const Bytef *>(journal.constData() + at);
        const uLong crc = ::crc32(::crc32(0, bytes + 4, 12), bytes + header, uInt(length));
        qToLittleEndian<quint32>(quint32(crc), journal.data() + at + 16);
        at += header + length;
    }
}

// A table as rows of the file, and the records of its rows; a row no commit wrote holds none.
struct Rows {
    int count = 0;
    std::map<int, QByteArray> records;
    bool operator==(const Rows &) const = default;
};

Rows storedRows(const QString &folder, const TableSchema &schema) {
    std::vector<QByteArray> records;
    std::vector<int> rows;
    const TableFile file =
        TableFile::open(QDir(folder).filePath(schema.fileName), schema, records, rows, TableFile::Access::ReadOnly);
    Rows stored{file.rowCount(), {}};
    for (size_t i = 0; i < rows.size(); ++i)
        stored.records[rows[i]] = records[i];
    return stored;
}

// What the tables and files hold once the commits are applied as the journal records them.
struct Expected {
    std::map<QString, Rows> tables;
    std::map<QString, QByteArray> files;
};

Expected applied(const std::vector<Commit> &commits, const std::map<QString, Rows> &base) {
    Expected expected{base, {}};
    for (const Commit &commit : commits) {
        for (const TableChange &change : commit.tables) {
            Rows &rows = expected.tables[change.fileName];
            if (change.replace)
                rows.records.clear();
            for (const TableChange::Row &row : change.rows)
                rows.records[row.row] = row.bytes;
            rows.count = change.rowCount;
            rows.records.erase(rows.records.lower_bound(rows.count), rows.records.end());
        }
        for (const FileWrite &file : commit.files)
            expected.files[file.path] = file.content;
    }
    return expected;
}

void requireApplied(const QString &folder, const Expected &expected) {
    for (const TableSchema *schema : fuzz::journalSchemas()) {
        const auto table = expected.tables.find(schema->fileName);
        if (table == expected.tables.end()) { // laid out by its first commit, and none wrote it
            FUZZ_REQUIRE(!QFileInfo::exists(QDir(folder).filePath(schema->fileName)));
            continue;
        }
        FUZZ_REQUIRE(storedRows(folder, *schema) == table->second);
    }
    for (const auto &[path, content] : expected.files) {
        QFile file(QDir(folder).filePath(path));
        FUZZ_REQUIRE(file.open(QIODevice::ReadOnly) && file.readAll() == content);
    }
    FUZZ_REQUIRE(Journal(folder).pending().empty());
}

// After a refusal: every file as it was, the journal too, and no other file.
void requireUnchanged(const QString &folder, const std::map<QString, QByteArray> &before, const StorageError &refusal) {
    const std::map<QString, QByteArray> after = filesBelow(folder);
    if (after == before)
        return;
    std::fprintf(stderr, "refused (%s), and yet changed:\n", refusal.what());
    for (const auto &[name, content] : after)
        if (!before.contains(name) || before.at(name) != content)
            std::fprintf(stderr, "  %s\n", qPrintable(name));
    for (const auto &[name, content] : before)
        if (!after.contains(name))
            std::fprintf(stderr, "  %s (gone)\n", qPrintable(name));
    FUZZ_REQUIRE(after == before);
}

const std::map<QString, QByteArray> &baseFiles() {
    static const std::map<QString, QByteArray> files = filesBelow(baseData());
    return files;
}

const std::map<QString, Rows> &baseTables() {
    static const std::map<QString, Rows> tables = [] {
        std::map<QString, Rows> t;
        for (const TableSchema *schema : fuzz::journalSchemas())
            if (QFileInfo::exists(QDir(baseData()).filePath(schema->fileName)))
                t[schema->fileName] = storedRows(baseData(), *schema);
        return t;
    }();
    return tables;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::useMemoryTempFolder();
    fuzz::makeJournalBase(baseData());
    baseFiles();
    baseTables();
    static Confined confined;
    static disk::Replacement replacement(confined);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    if (size == 0)
        return 0;
    QByteArray journal(reinterpret_cast<const char *>(bytes) + 1, qsizetype(size - 1));
    if (bytes[0] & 1)
        seal(journal);

    const QTemporaryDir work(QDir(root()).filePath(QStringLiteral("run")));
    const QString folder = QDir(work.path()).filePath(QStringLiteral("data"));
    FUZZ_REQUIRE(QDir().mkpath(folder));
    g_folder = folder;
    std::map<QString, QByteArray> before = baseFiles();
    before[QString::fromLatin1(Journal::FILE_NAME)] = journal;
    for (const auto &[name, content] : before)
        writeFile(QDir(folder).filePath(name), content);

    const Expected expected = applied(Journal(folder).pending(), baseTables());
    try {
        DataModule data(folder);
    } catch (const StorageError &e) {
        requireUnchanged(folder, before, e);
        return 0;
    }
    requireApplied(folder, expected);
    return 0;
}
