// Table files that are missing or ill-formed are refused with a storage error that names the file:
// never a crash, never a table that silently reads something else. Ill-formed files are made here with
// shapelib directly or by patching the bytes of a file the store wrote.
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/schema.h"
#include "store/table.h"
#include "store/tablefiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <shapefil.h>

#include <functional>
#include <memory>
#include <optional>

class TestTableFiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fileWrittenByShapelibOpens();
    void illFormedFileIsRefused_data();
    void illFormedFileIsRefused();
    void dataModuleNeedsEveryTable_data();
    void dataModuleNeedsEveryTable();
    void twinInOtherCaseIsNotRead_data();
    void twinInOtherCaseIsNotRead();
    void deletedRecordsAreNotPartOfTheTable_data();
    void deletedRecordsAreNotPartOfTheTable();

private:
    QString folder() const { return m_dir->path(); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QString pathIn(const QString &folder, const QString &name) {
    return QDir(folder).filePath(name);
}

const TableSchema &schemaOfFile(const QString &fileName) {
    for (const TableSchema *schema : schemas::all())
        if (schema->fileName == fileName)
            return *schema;
    qFatal("no table file %s", qPrintable(fileName));
}

struct FieldSpec {
    QByteArray name;
    char type;
    int width;
};
using Fields = QList<FieldSpec>;

Fields fieldsOf(const TableSchema &schema) {
    Fields fields;
    for (const FieldDef &f : schema.fields)
        fields.append({f.name.toLatin1(), 'C', f.width});
    return fields;
}

int indexOf(const Fields &fields, const char *name) {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name == name)
            return i;
    qFatal("no field %s", name);
}

// One record's field bytes (without the deletion flag): each value in Windows-1250, padded to its width.
QByteArray recordOf(const Fields &fields, const QStringList &values) {
    QStringEncoder encoder("windows-1250");
    QByteArray record;
    for (int i = 0; i < fields.size(); ++i) {
        const QByteArray value = encoder.encode(i < values.size() ? values[i] : QString());
        record += value.left(fields[i].width).leftJustified(fields[i].width, ' ');
    }
    return record;
}

// A dBase file written by shapelib, not by the store. `deleted` rows are marked with '*'.
void writeDbf(const QString &path, const Fields &fields, const QList<QByteArray> &records = {},
              const QList<int> &deleted = {}, const char *codePage = "LDID/200") {
    // shapelib names the files it creates *.dbf: create under another name and rename.
    const QString temporary = path + QStringLiteral("-new.dbf");
    DBFHandle h = codePage ? DBFCreateEx(QFile::encodeName(temporary).constData(), codePage)
                           : DBFCreate(QFile::encodeName(temporary).constData());
    QVERIFY(h);
    for (const FieldSpec &f : fields)
        QVERIFY(DBFAddNativeFieldType(h, f.name.constData(), f.type, f.width, 0) >= 0);
    for (int row = 0; row < records.size(); ++row) {
        QByteArray raw = ' ' + records[row];
        QVERIFY(DBFWriteTuple(h, row, raw.data()));
    }
    for (int row : deleted)
        QVERIFY(DBFMarkRecordDeleted(h, row, 1));
    DBFClose(h);
    QFile::remove(path);
    QVERIFY(QFile::rename(temporary, path));
}

void writeDbfOfSchema(const QString &path, const TableSchema &schema, const QList<QByteArray> &records,
                      const QList<int> &deleted = {}) {
    writeDbf(path, fieldsOf(schema), records, deleted);
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwrite(const QString &path, qint64 offset, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    QCOMPARE(file.write(bytes), bytes.size());
}

int headerLength(const QString &path) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(contents(path).constData()) + 8);
}

int recordLength(const TableSchema &schema) {
    int length = 1;
    for (const FieldDef &f : schema.fields)
        length += f.width;
    return length;
}

// Offset of a field of a record within the file.
qint64 fieldOffset(const QString &path, const TableSchema &schema, int row, int position) {
    qint64 offset = headerLength(path) + qint64(row) * recordLength(schema) + 1;
    for (int i = 0; i < position; ++i)
        offset += schema.fields[i].width;
    return offset;
}

// Appends records through the store, every field holding a digit string.
void addRecords(const QString &folder, const TableSchema &schema, int count) {
    Table table(schema, folder);
    table.open();
    for (int r = 0; r < count; ++r) {
        table.append();
        for (int i = 0; i < table.fieldCount(); ++i)
            table.setText(i, QString::number((r + 1) * 10 + i % 10));
        table.post();
    }
}

QByteArray randomBytes(quint32 seed, int size) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

template <typename E, typename F> std::optional<QString> messageOf(F &&action) {
    try {
        action();
    } catch (const E &e) {
        return e.message();
    }
    return std::nullopt;
}

QString s1Path(const QString &folder) {
    return pathIn(folder, QStringLiteral("S1.DBF"));
}

} // namespace

using Spoil = std::function<void(const QString &folder)>;
Q_DECLARE_METATYPE(Spoil)

void TestTableFiles::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    createTableFiles(folder());
}

void TestTableFiles::cleanup() {
    m_dir.reset();
}

void TestTableFiles::fileWrittenByShapelibOpens() {
    // The control for the cases below: a well-formed file from another writer opens and reads exactly.
    const TableSchema &s1 = schemas::S1();
    QStringList first(45, QStringLiteral("0"));
    first[1] = QStringLiteral("  5");
    first[44] = QStringLiteral("Žltá Ľubovňa č. 5");
    QStringList second(45, QStringLiteral("1"));
    for (const char *codePage : {"LDID/200", static_cast<const char *>(nullptr)}) {
        writeDbf(s1Path(folder()), fieldsOf(s1), {recordOf(fieldsOf(s1), first), recordOf(fieldsOf(s1), second)}, {},
                 codePage);
        if (QTest::currentTestFailed())
            return;
        Table table(s1, folder());
        table.open();
        QCOMPARE(table.recordCount(), 2);
        QCOMPARE(table.text(QStringLiteral("OBVOD")), QStringLiteral("  5"));
        QCOMPARE(table.integer(QStringLiteral("OBVOD")), 5);
        QCOMPARE(table.text(QStringLiteral("OKOLNOSTI")), QStringLiteral("Žltá Ľubovňa č. 5"));
        QCOMPARE(table.text(QStringLiteral("KCT")), QStringLiteral("0"));
        table.next();
        QCOMPARE(table.text(QStringLiteral("OKOLNOSTI")), QStringLiteral("1"));
    }
    DataModule data(folder());
    QCOMPARE(data.TS1().recordCount(), 2);
}

void TestTableFiles::illFormedFileIsRefused_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<Spoil>("spoil");
    const QString S1 = QStringLiteral("S1.DBF");
    const TableSchema &s1 = schemas::S1();

    // Where the file is not, or is not a file
    QTest::newRow("missing") << S1 << Spoil([](const QString &f) { QVERIFY(QFile::remove(s1Path(f))); });
    QTest::newRow("only a lower-case name")
        << S1
        << Spoil([](const QString &f) { QVERIFY(QFile::rename(s1Path(f), pathIn(f, QStringLiteral("s1.dbf")))); });
    QTest::newRow("only a lower-case extension")
        << S1
        << Spoil([](const QString &f) { QVERIFY(QFile::rename(s1Path(f), pathIn(f, QStringLiteral("S1.dbf")))); });
    QTest::newRow("only an upper-case extension") << QStringLiteral("STRANY06.dbf") << Spoil([](const QString &f) {
        QVERIFY(QFile::rename(pathIn(f, QStringLiteral("STRANY06.dbf")), pathIn(f, QStringLiteral("STRANY06.DBF"))));
    });
    QTest::newRow("a folder in its place") << S1 << Spoil([](const QString &f) {
        QVERIFY(QFile::remove(s1Path(f)));
        QVERIFY(QDir(f).mkdir(QStringLiteral("S1.DBF")));
    });

    // Cut short
    QTest::newRow("empty file") << S1 << Spoil([](const QString &f) { QVERIFY(QFile::resize(s1Path(f), 0)); });
    QTest::newRow("header cut short") << S1 << Spoil([](const QString &f) { QVERIFY(QFile::resize(s1Path(f), 20)); });
    QTest::newRow("field descriptors cut short")
        << S1 << Spoil([](const QString &f) { QVERIFY(QFile::resize(s1Path(f), 32 + 32 * 10)); });
    QTest::newRow("last record cut short") << S1 << Spoil([s1](const QString &f) {
        addRecords(f, s1, 3);
        QVERIFY(QFile::resize(s1Path(f), headerLength(s1Path(f)) + 3 * recordLength(s1) - 10));
    });
    QTest::newRow("last record missing") << S1 << Spoil([s1](const QString &f) {
        addRecords(f, s1, 3);
        QVERIFY(QFile::resize(s1Path(f), headerLength(s1Path(f)) + 2 * recordLength(s1)));
    });
    QTest::newRow("header claims one record more") << S1 << Spoil([s1](const QString &f) {
        addRecords(f, s1, 3);
        overwrite(s1Path(f), 4, QByteArray::fromHex("04000000"));
    });
    QTest::newRow("header claims a huge number of records") << S1 << Spoil([s1](const QString &f) {
        addRecords(f, s1, 1);
        overwrite(s1Path(f), 4, QByteArray::fromHex("ffffff7f"));
    });
    QTest::newRow("header claims a negative number of records") << S1 << Spoil([s1](const QString &f) {
        addRecords(f, s1, 1);
        overwrite(s1Path(f), 4, QByteArray::fromHex("ffffffff"));
    });

    // A damaged header
    QTest::newRow("record length disagrees with the fields") << S1 << Spoil([](const QString &f) {
        const QByteArray bytes = contents(s1Path(f));
        const auto length = qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(bytes.constData()) + 10);
        QByteArray patched(2, '\0');
        qToLittleEndian<quint16>(quint16(length + 1), patched.data());
        overwrite(s1Path(f), 10, patched);
    });
    QTest::newRow("header length beyond the file") << S1 << Spoil([](const QString &f) {
        QByteArray patched(2, '\0');
        qToLittleEndian<quint16>(quint16(headerLength(s1Path(f)) + 64), patched.data());
        overwrite(s1Path(f), 8, patched);
    });
    QTest::newRow("text instead of a header") << S1 << Spoil([](const QString &f) {
        QFile file(s1Path(f));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(2048, 'x'));
    });
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u}) {
        QTest::addRow("random bytes, seed %u", seed) << S1 << Spoil([seed](const QString &f) {
            QFile file(s1Path(f));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(randomBytes(seed, 4096));
        });
        QTest::addRow("valid first 32 bytes, random field descriptors, seed %u", seed)
            << S1 << Spoil([seed](const QString &f) {
                   const QByteArray start = contents(s1Path(f)).left(32);
                   QFile file(s1Path(f));
                   QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                   file.write(start + randomBytes(seed, 4096));
               });
    }

    // Fields other than declared, written by shapelib
    const auto changed = [S1](const char *tag, std::function<void(Fields &)> change) {
        QTest::newRow(tag) << S1 << Spoil([change](const QString &f) {
            Fields fields = fieldsOf(schemas::S1());
            change(fields);
            writeDbf(s1Path(f), fields);
        });
    };
    changed("OBVOD numeric", [](Fields &x) { x[indexOf(x, "OBVOD")].type = 'N'; });
    changed("STAV logical", [](Fields &x) { x[indexOf(x, "STAV")].type = 'L'; });
    changed("DATUM a date", [](Fields &x) { x[indexOf(x, "DATUM")].type = 'D'; });
    changed("OBVOD wider", [](Fields &x) { x[indexOf(x, "OBVOD")].width = 4; });
    changed("OBVOD narrower", [](Fields &x) { x[indexOf(x, "OBVOD")].width = 2; });
    changed("OKOLNOSTI wider", [](Fields &x) { x[indexOf(x, "OKOLNOSTI")].width = 254; });
    changed("OKOLNOSTI missing", [](Fields &x) { x.removeLast(); });
    changed("OBEC missing", [](Fields &x) { x.removeAt(indexOf(x, "OBEC")); });
    changed("no field at all", [](Fields &x) { x.clear(); });
    changed("OBVOD and OBEC swapped", [](Fields &x) { x.swapItemsAt(indexOf(x, "OBVOD"), indexOf(x, "OBEC")); });
    changed("KCT and OKOLNOSTI swapped", [](Fields &x) { x.swapItemsAt(43, 44); });
    changed("extra field at the end", [](Fields &x) { x.append({"NAVYSE", 'C', 5}); });
    changed("extra field in the middle", [](Fields &x) { x.insert(5, {"NAVYSE", 'C', 5}); });
    changed("OBVOD renamed", [](Fields &x) { x[indexOf(x, "OBVOD")].name = "OBVD"; });
    QTest::newRow("P1 with KON of width 2") << QStringLiteral("P1.DBF") << Spoil([](const QString &f) {
        Fields fields = fieldsOf(schemas::P1());
        fields[indexOf(fields, "KON")].width = 2;
        writeDbf(pathIn(f, QStringLiteral("P1.DBF")), fields);
    });
    QTest::newRow("P1_temp laid out like S1")
        << QStringLiteral("P1_temp.DBF")
        << Spoil([](const QString &f) { writeDbf(pathIn(f, QStringLiteral("P1_temp.DBF")), fieldsOf(schemas::S1())); });

    // A byte in a record that is no Windows-1250 text, patched into the second record of a valid file
    const auto badByte = [S1, s1](const char *tag, const char *field, char byte) {
        QTest::newRow(tag) << S1 << Spoil([s1, field, byte](const QString &f) {
            addRecords(f, s1, 2);
            const int position = s1.indexOf(QString::fromLatin1(field));
            overwrite(s1Path(f), fieldOffset(s1Path(f), s1, 1, position) + 1, QByteArray(1, byte));
        });
    };
    badByte("byte 0x81 in OBEC", "OBEC", '\x81');
    badByte("byte 0x98 in OKOLNOSTI", "OKOLNOSTI", '\x98');
    badByte("null byte in OBVOD", "OBVOD", '\0');
    badByte("end-of-file mark in KTO", "KTO", '\x1A');
    badByte("line feed in KC1", "KC1", '\n');
    badByte("delete character in OBEC", "OBEC", '\x7F');
    QTest::newRow("deletion flag neither blank nor star") << S1 << Spoil([s1](const QString &f) {
        addRecords(f, s1, 2);
        overwrite(s1Path(f), headerLength(s1Path(f)), QByteArray("X"));
    });
}

void TestTableFiles::illFormedFileIsRefused() {
    QFETCH(QString, fileName);
    QFETCH(Spoil, spoil);
    spoil(folder());
    if (QTest::currentTestFailed())
        return;
    const QString path = pathIn(folder(), fileName);
    const QByteArray before = contents(path);

    Table table(schemaOfFile(fileName), folder());
    const auto message = messageOf<StorageError>([&] { table.open(); });
    QVERIFY2(message, "opened without an error");
    QVERIFY2(message->contains(fileName), qPrintable(*message));
    QVERIFY(!table.isOpen());
    QCOMPARE(table.recordCount(), 0);
    QVERIFY(messageOf<StorageError>([&] { table.edit(); }));

    const auto moduleMessage = messageOf<StorageError>([&] { DataModule data(folder()); });
    QVERIFY2(moduleMessage, "the data module was created");
    QVERIFY2(moduleMessage->contains(fileName), qPrintable(*moduleMessage));

    // Refused, not repaired.
    QCOMPARE(contents(path), before);
}

void TestTableFiles::dataModuleNeedsEveryTable_data() {
    QTest::addColumn<QString>("fileName");
    for (const TableSchema *schema : schemas::all())
        QTest::newRow(qPrintable(schema->fileName)) << schema->fileName;
}

void TestTableFiles::dataModuleNeedsEveryTable() {
    QFETCH(QString, fileName);
    QVERIFY(QFile::remove(pathIn(folder(), fileName)));
    const auto message = messageOf<StorageError>([&] { DataModule data(folder()); });
    QVERIFY2(message, "the data module was created");
    QVERIFY2(message->contains(fileName), qPrintable(*message));
    // No table file is made up in place of the missing one.
    QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), 11);
    QVERIFY(!QFile::exists(pathIn(folder(), fileName)));
}

void TestTableFiles::twinInOtherCaseIsNotRead_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("twin"); // another table file whose name differs only in letter case
    QTest::newRow("S1.dbf beside S1.DBF") << "S1.DBF"
                                          << "S1.dbf";
    QTest::newRow("s1.dbf beside S1.DBF") << "S1.DBF"
                                          << "s1.dbf";
    QTest::newRow("STRANY06.DBF beside STRANY06.dbf") << "STRANY06.dbf"
                                                      << "STRANY06.DBF";
}

void TestTableFiles::twinInOtherCaseIsNotRead() {
    QFETCH(QString, fileName);
    QFETCH(QString, twin);
    const TableSchema &schema = schemaOfFile(fileName);
    int position = 0;
    while (schema.fields[position].width < 3)
        ++position;
    const QString first = schema.fields[position].name;
    {
        Table table(schema, folder());
        table.open();
        table.append();
        table.setText(first, QStringLiteral("111"));
        table.post();
    }
    QTemporaryDir other;
    QVERIFY(other.isValid());
    createTableFile(other.path(), schema);
    {
        Table table(schema, other.path());
        table.open();
        table.append();
        table.setText(first, QStringLiteral("999"));
        table.post();
    }
    QVERIFY(QFile::copy(pathIn(other.path(), fileName), pathIn(folder(), twin)));
    const QByteArray twinBefore = contents(pathIn(folder(), twin));

    Table table(schema, folder());
    table.open();
    QCOMPARE(table.text(first), QStringLiteral("111"));
    table.edit();
    table.setText(first, QStringLiteral("222"));
    table.post();

    // The post went into the table's own file, and the twin is untouched.
    const QString path = pathIn(folder(), fileName);
    QCOMPARE(contents(path).mid(fieldOffset(path, schema, 0, position), 3), QByteArray("222"));
    QCOMPARE(contents(pathIn(folder(), twin)), twinBefore);
}

void TestTableFiles::deletedRecordsAreNotPartOfTheTable_data() {
    QTest::addColumn<QList<int>>("deleted"); // of four rows
    QTest::newRow("none") << QList<int>{};
    QTest::newRow("the second") << QList<int>{1};
    QTest::newRow("the first") << QList<int>{0};
    QTest::newRow("the last") << QList<int>{3};
    QTest::newRow("first and third") << QList<int>{0, 2};
    QTest::newRow("all") << QList<int>{0, 1, 2, 3};
}

void TestTableFiles::deletedRecordsAreNotPartOfTheTable() {
    QFETCH(QList<int>, deleted);
    const TableSchema &obce = schemas::OBCE06();
    const Fields fields = fieldsOf(obce);
    const QString path = pathIn(folder(), obce.fileName);
    QList<QByteArray> records;
    QStringList live;
    for (int row = 0; row < 4; ++row) {
        const QString name = QStringLiteral("Obec %1").arg(row + 1);
        records.append(recordOf(fields, {"101", "1", QString::number(row + 1), name}));
        if (!deleted.contains(row))
            live.append(name);
    }
    writeDbfOfSchema(path, obce, records, deleted);
    if (QTest::currentTestFailed())
        return;

    const QString NOBEC = QStringLiteral("NOBEC");
    Table table(obce, folder());
    table.open();
    QCOMPARE(table.recordCount(), live.size());
    QCOMPARE(table.recordNumber(), live.isEmpty() ? 0 : 1);
    QStringList seen;
    for (int i = 0; i < table.recordCount(); ++i, table.next())
        seen.append(table.text(NOBEC));
    QCOMPARE(seen, live);
    for (int row : deleted)
        QVERIFY(!table.locate(QStringLiteral("OBEC"), QString::number(row + 1)));

    // Edit the last live record and append one: each lands in its own row; the deleted rows stay as they were.
    int editedRow = -1;
    if (!live.isEmpty()) {
        table.first();
        table.moveBy(live.size() - 1);
        table.edit();
        table.setText(NOBEC, QStringLiteral("Upravená"));
        table.post();
        editedRow = 3;
        while (deleted.contains(editedRow))
            --editedRow;
    }
    table.append();
    table.setText(NOBEC, QStringLiteral("Nová"));
    table.post();

    DBFHandle h = DBFOpen(QFile::encodeName(path).constData(), "rb");
    QVERIFY(h);
    const auto guard = qScopeGuard([h] { DBFClose(h); });
    QCOMPARE(DBFGetRecordCount(h), 5);
    QStringDecoder decoder("windows-1250");
    for (int row = 0; row < 5; ++row) {
        const QByteArray raw(DBFReadTuple(h, row), recordLength(obce));
        const QString name = QString(decoder.decode(raw.mid(1 + 3 + 3 + 6, 50))).trimmed();
        QCOMPARE(raw.at(0), deleted.contains(row) ? '*' : ' ');
        if (row == 4)
            QCOMPARE(name, QStringLiteral("Nová"));
        else if (row == editedRow)
            QCOMPARE(name, QStringLiteral("Upravená"));
        else
            QCOMPARE(name, QStringLiteral("Obec %1").arg(row + 1));
    }

    Table again(obce, folder());
    again.open();
    QStringList expected = live;
    if (!expected.isEmpty())
        expected.last() = QStringLiteral("Upravená");
    expected.append(QStringLiteral("Nová"));
    seen.clear();
    for (int i = 0; i < again.recordCount(); ++i, again.next())
        seen.append(again.text(NOBEC));
    QCOMPARE(seen, expected);
}

QTEST_GUILESS_MAIN(TestTableFiles)
#include "test_tablefiles.moc"
