// Opening a table file (the input: one byte choosing the table, then the file): the table either opens
// with exactly the records of the file, as an independent dBase reader (shapelib) reads them, or is
// refused with a storage error naming the file.
#include "fuzz/fuzzcheck.h"
#include "store/errors.h"
#include "store/schema.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <shapefil.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

QString folder() {
    static const QTemporaryDir dir;
    return dir.path();
}

struct DbfClose {
    void operator()(DBFInfo *dbf) const { DBFClose(dbf); }
};

// The file as shapelib reads it: null when it does not open.
std::unique_ptr<DBFInfo, DbfClose> openWithShapelib(const QString &path) {
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.Error = [](const char *) {}; // a refusal is an answer here, not a message
    return std::unique_ptr<DBFInfo, DbfClose>(DBFOpenLL(QFile::encodeName(path).constData(), "rb", &hooks));
}

void requireSameFields(DBFInfo *dbf, const TableSchema &schema) {
    FUZZ_REQUIRE(DBFGetFieldCount(dbf) == int(schema.fields.size()));
    for (int k = 0; k < DBFGetFieldCount(dbf); ++k) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0;
        DBFGetFieldInfo(dbf, k, name, &width, nullptr);
        FUZZ_REQUIRE(DBFGetNativeFieldType(dbf, k) == 'C');
        FUZZ_REQUIRE(QString::fromLatin1(name).compare(schema.fields[size_t(k)].name, Qt::CaseInsensitive) == 0);
        FUZZ_REQUIRE(width == schema.fields[size_t(k)].width);
    }
}

// Every record shapelib does not count as deleted, in file order, against the table's records.
void requireSameRecords(DBFInfo *dbf, Table &table) {
    table.first();
    int shown = 0;
    for (int row = 0; row < DBFGetRecordCount(dbf); ++row) {
        const char *record = DBFReadTuple(dbf, row);
        FUZZ_REQUIRE(record != nullptr);
        if (DBFIsRecordDeleted(dbf, row))
            continue;
        FUZZ_REQUIRE(shown < table.recordCount());
        for (int k = 0; k < dbf->nFields; ++k) {
            QByteArray bytes(record + dbf->panFieldOffset[k], dbf->panFieldSize[k]);
            while (bytes.endsWith(' '))
                bytes.chop(1);
            FUZZ_REQUIRE(table.text(k) == cp1250::decode(bytes));
        }
        ++shown;
        table.next();
    }
    FUZZ_REQUIRE(shown == table.recordCount());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::useMemoryTempFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const std::vector<const TableSchema *> &all = schemas::all();
    const TableSchema &schema = *all[data[0] % all.size()];
    const QString path = QDir(folder()).filePath(schema.fileName);
    QFile file(path);
    FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_REQUIRE(file.write(reinterpret_cast<const char *>(data) + 1, qint64(size - 1)) == qint64(size - 1));
    file.close();

    Table table(schema, folder());
    try {
        table.open();
    } catch (const StorageError &e) {
        FUZZ_REQUIRE(e.message().contains(schema.fileName));
        return 0;
    }
    const auto dbf = openWithShapelib(path);
    FUZZ_REQUIRE(dbf != nullptr);
    requireSameFields(dbf.get(), schema);
    requireSameRecords(dbf.get(), table);
    return 0;
}
