// The code-list import: any file becomes the table line for line, value k of a line in field k as the
// table stores text, the table stands on its first record, and the table as stored holds what the
// program shows. Each input goes into both lists.
#include "exchange/codelist.h"
#include "exchange/exchangefixture.h"
#include "exchange/exchangelines.h"
#include "fuzz/fuzzcheck.h"
#include "store/schema.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

QString folder() {
    static const QTemporaryDir dir;
    return dir.path();
}

std::vector<std::unique_ptr<Table>> &codeLists() {
    static std::vector<std::unique_ptr<Table>> tables = [] {
        std::vector<std::unique_ptr<Table>> t;
        for (const TableSchema *schema : {&schemas::OBCE06(), &schemas::KOAL06()}) {
            FUZZ_REQUIRE(QFile::copy(QDir(fuzz::installedData()).filePath(schema->fileName),
                                     QDir(folder()).filePath(schema->fileName)));
            t.push_back(std::make_unique<Table>(*schema, folder()));
            t.back()->open();
        }
        return t;
    }();
    return tables;
}

void requireImported(Table &table, const QByteArray &content) {
    const QList<QByteArray> lines = exchange::textLines(content);
    FUZZ_REQUIRE(table.recordNumber() == (lines.isEmpty() ? 0 : 1));
    const QList<QStringList> shown = fixture::records(table);
    FUZZ_REQUIRE(shown.size() == lines.size());
    const std::vector<FieldDef> &fields = table.schema().fields;
    for (qsizetype r = 0; r < lines.size(); ++r) {
        QList<QByteArray> values = lines[r].split('|');
        values.removeLast(); // what follows the last "|"
        for (size_t k = 0; k < fields.size(); ++k) {
            const qsizetype i = qsizetype(k);
            FUZZ_REQUIRE(shown[r][i] == (i < values.size() ? fuzz::storedText(values[i], fields[k].width) : QString()));
        }
    }
    Table stored(table.schema(), folder());
    stored.open();
    FUZZ_REQUIRE(fixture::records(stored) == shown);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::useMemoryTempFolder();
    codeLists();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = QDir(folder()).filePath(QStringLiteral("list.txt"));
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size());
    file.close();
    for (const std::unique_ptr<Table> &table : codeLists()) {
        importCodeListFile(*table, path);
        requireImported(*table, content);
    }
    return 0;
}
