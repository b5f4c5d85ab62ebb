// The storage operations of a table: the cursor, the edit state, reading and writing fields, durable
// posts, whole-table replacement, and the twelve tables of the data module. What reaches the disk is
// checked through a second table object and through the file's own bytes, read here without the store.
#include "store/table.h"

#include "store/codec.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/schema.h"
#include "store/tablefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>

class TestTable : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // navigation
    void navigation_data();
    void navigation();
    void navigationOnAnEmptyTable();
    void locate_data();
    void locate();

    // edit state
    void startingARecordOnAnEmptyTable_data();
    void startingARecordOnAnEmptyTable();
    void editInEditStateKeepsTypedValues_data();
    void editInEditStateKeepsTypedValues();
    void appendAddsABlankRecordAtTheEnd();
    void movingWhileEditingPostsFirst_data();
    void movingWhileEditingPostsFirst();
    void misuseRaisesStorageError_data();
    void misuseRaisesStorageError();
    void changedFollowsTheCurrentRecord();

    // reading
    void readingRemovesTrailingBlanksOnly_data();
    void readingRemovesTrailingBlanksOnly();
    void integer_data();
    void integer();

    // writing
    void writingCutsToTheWidth_data();
    void writingCutsToTheWidth();
    void slovakTextRoundTrips();
    void charactersOutsideTheCodePage_data();
    void charactersOutsideTheCodePage();
    void whateverIsPostedCanBeOpenedAgain_data();
    void whateverIsPostedCanBeOpenedAgain();
    void storedTextIsStoredAsItsText();
    void wholeRecordsPassBetweenTablesOfOneLayout();

    // durability and whole-table replacement
    void postIsOnDiskAtOnce();
    void rewriteIsInvisibleUntilCommit();
    void abandonedRewriteBringsTheOldContentBack_data();
    void abandonedRewriteBringsTheOldContentBack();
    void emptyLeavesAnEmptyTableWithAllFields();

    // the data module
    void dataModuleOpensTheTwelveTables_data();
    void dataModuleOpensTheTwelveTables();
    void fieldLayout_data();
    void fieldLayout();
    void copiesHaveTheLayoutOfTheirSource();
    void districtInMemoryTouchesNoFile();

private:
    QString folder() const { return m_dir->path(); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

// The bytes of a dBase file as they lie on disk, read without shapelib or the store.
struct DbfBytes {
    QByteArray data;
    int recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    struct Descriptor {
        QByteArray name;
        char type;
        int width;
    };
    QList<Descriptor> fields;

    // One record including its deletion flag.
    QByteArray record(int row) const { return data.mid(headerLength + qsizetype(row) * recordLength, recordLength); }
};

DbfBytes readDbf(const QString &path) {
    DbfBytes dbf;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return dbf;
    dbf.data = file.readAll();
    if (dbf.data.size() < 32)
        return dbf;
    const auto *bytes = reinterpret_cast<const uchar *>(dbf.data.constData());
    dbf.recordCount = int(qFromLittleEndian<quint32>(bytes + 4));
    dbf.headerLength = qFromLittleEndian<quint16>(bytes + 8);
    dbf.recordLength = qFromLittleEndian<quint16>(bytes + 10);
    for (int at = 32; at + 32 <= dbf.headerLength && dbf.data[at] != '\r'; at += 32) {
        const QByteArray name = dbf.data.mid(at, 11);
        dbf.fields.append(
            {name.left(name.indexOf('\0') < 0 ? 11 : name.indexOf('\0')), dbf.data[at + 11], int(bytes[at + 16])});
    }
    return dbf;
}

// Offset of a field within a record on disk, after the deletion flag.
int fileOffset(const TableSchema &schema, int position) {
    int offset = 1;
    for (int i = 0; i < position; ++i)
        offset += schema.fields[i].width;
    return offset;
}

QByteArray cp1250Bytes(const QString &text) {
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

std::unique_ptr<Table> opened(const TableSchema &schema, const QString &folder) {
    auto table = std::make_unique<Table>(schema, folder);
    table->open();
    return table;
}

// Appends one posted record per value, the value in `field`.
void appendRecords(Table &table, const QString &field, const QStringList &values) {
    for (const QString &value : values) {
        table.append();
        table.setText(field, value);
        table.post();
    }
}

template <typename E, typename F> std::optional<QString> messageOf(F &&action) {
    try {
        action();
    } catch (const E &e) {
        return e.message();
    }
    return std::nullopt;
}

QStringList column(Table &table, const QString &field) {
    QStringList values;
    table.first();
    for (int i = 0; i < table.recordCount(); ++i, table.next())
        values.append(table.text(field));
    return values;
}

const QString NOBEC = QStringLiteral("NOBEC");
const QString OBEC = QStringLiteral("OBEC");

} // namespace

void TestTable::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    createTableFiles(folder());
}

void TestTable::cleanup() {
    m_dir.reset();
}

// ---- navigation ---------------------------------------------------------------------------------------

void TestTable::navigation_data() {
    // Moves separated by blanks: f first, n next, p prior, m<n> move by n. Five records.
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("expected");
    QTest::newRow("open stands on the first") << "" << 1;
    QTest::newRow("prior on the first stays") << "p" << 1;
    QTest::newRow("prior twice on the first stays") << "p p" << 1;
    QTest::newRow("next") << "n" << 2;
    QTest::newRow("next up to the last") << "n n n n" << 5;
    QTest::newRow("next on the last stays") << "n n n n n n" << 5;
    QTest::newRow("prior from the last") << "n n n n n p" << 4;
    QTest::newRow("first from the middle") << "n n n f" << 1;
    QTest::newRow("move by 0") << "n m0" << 2;
    QTest::newRow("move by 2 from the first") << "f m2" << 3;
    QTest::newRow("move by 4 reaches the last") << "f m4" << 5;
    QTest::newRow("move past the end clamps") << "f m7" << 5;
    QTest::newRow("move by the largest int clamps") << "n m2147483647" << 5;
    QTest::newRow("move back") << "n n n m-2" << 2;
    QTest::newRow("move back from the first clamps") << "f m-1" << 1;
    QTest::newRow("move back past the start clamps") << "n n m-5" << 1;
    QTest::newRow("move by the smallest int clamps") << "n n m-2147483648" << 1;
}

void TestTable::navigation() {
    QFETCH(QString, moves);
    QFETCH(int, expected);
    Table table(schemas::OBCE06(), folder());
    table.open();
    appendRecords(table, NOBEC, {"Obec 1", "Obec 2", "Obec 3", "Obec 4", "Obec 5"});
    table.close();
    table.open();
    for (const QString &move : moves.split(u' ', Qt::SkipEmptyParts)) {
        if (move == u"f")
            table.first();
        else if (move == u"n")
            table.next();
        else if (move == u"p")
            table.prior();
        else
            table.moveBy(move.mid(1).toInt());
    }
    QCOMPARE(table.recordNumber(), expected);
    QCOMPARE(table.text(NOBEC), QStringLiteral("Obec %1").arg(expected));
    QCOMPARE(table.recordCount(), 5);
}

void TestTable::navigationOnAnEmptyTable() {
    Table table(schemas::OBCE06(), folder());
    table.open();
    QCOMPARE(table.recordCount(), 0);
    QCOMPARE(table.recordNumber(), 0);
    table.next();
    table.prior();
    table.moveBy(3);
    table.moveBy(-3);
    table.first();
    QCOMPARE(table.recordNumber(), 0);
    QCOMPARE(table.recordCount(), 0);
    QCOMPARE(table.text(NOBEC), QString());
    QVERIFY(!table.locate(OBEC, QString()));
    QVERIFY(!table.inEditState());
}

void TestTable::locate_data() {
    QTest::addColumn<int>("start"); // record made current before the search
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected"); // record found, 0 when the search fails
    // The records' OBEC: ab, Abc, Ab, "  Ab", Ab, 12, x, blank
    QTest::newRow("exact") << 1 << "Ab" << 3;
    QTest::newRow("first of duplicates while standing on the later") << 5 << "Ab" << 3;
    QTest::newRow("from the first record while standing after all") << 8 << "ab" << 1;
    QTest::newRow("longer stored text") << 1 << "Abc" << 2;
    QTest::newRow("leading blanks are part of the text") << 1 << "  Ab" << 4;
    QTest::newRow("numeric text") << 1 << "12" << 6;
    QTest::newRow("blank field") << 1 << "" << 8;
    QTest::newRow("other case fails") << 6 << "AB" << 0;
    QTest::newRow("prefix fails") << 6 << "A" << 0;
    QTest::newRow("inner part fails") << 6 << "b" << 0;
    QTest::newRow("longer value fails") << 6 << "Abcd" << 0;
    QTest::newRow("trailing blank in the value fails") << 6 << "Ab " << 0;
    QTest::newRow("missing leading blanks fail") << 6 << " Ab" << 0;
    QTest::newRow("absent fails") << 7 << "zzz" << 0;
}

void TestTable::locate() {
    QFETCH(int, start);
    QFETCH(QString, value);
    QFETCH(int, expected);
    Table table(schemas::OBCE06(), folder());
    table.open();
    const QStringList obec = {"ab", "Abc", "Ab", "  Ab", "Ab", "12", "x", ""};
    for (int i = 0; i < obec.size(); ++i) {
        table.append();
        table.setText(OBEC, obec[i]);
        table.setText(NOBEC, QStringLiteral("Obec %1").arg(i + 1));
        table.post();
    }
    table.first();
    table.moveBy(start - 1);
    QCOMPARE(table.recordNumber(), start);

    const bool found = table.locate(OBEC, value);
    QCOMPARE(found, expected != 0);
    const int current = found ? expected : start;
    QCOMPARE(table.recordNumber(), current);
    QCOMPARE(table.text(NOBEC), QStringLiteral("Obec %1").arg(current));
    QVERIFY(!table.inEditState());
}

// ---- edit state ---------------------------------------------------------------------------------------

void TestTable::startingARecordOnAnEmptyTable_data() {
    QTest::addColumn<bool>("byEdit");
    QTest::newRow("edit") << true;
    QTest::newRow("append") << false;
}

void TestTable::startingARecordOnAnEmptyTable() {
    QFETCH(bool, byEdit);
    Table table(schemas::S1(), folder());
    table.open();
    if (byEdit)
        table.edit();
    else
        table.append();
    QVERIFY(table.inEditState());
    QCOMPARE(table.recordCount(), 0); // not stored before the post
    for (int i = 0; i < table.fieldCount(); ++i)
        QCOMPARE(table.text(i), QString());
    table.setText(QStringLiteral("OBVOD"), QStringLiteral("5"));
    table.post();
    QVERIFY(!table.inEditState());
    QCOMPARE(table.recordCount(), 1);
    QCOMPARE(table.recordNumber(), 1);
    QCOMPARE(table.text(QStringLiteral("OBVOD")), QStringLiteral("5"));

    const auto again = opened(schemas::S1(), folder());
    QCOMPARE(again->recordCount(), 1);
    QCOMPARE(again->text(QStringLiteral("OBVOD")), QStringLiteral("5"));
    QCOMPARE(again->text(QStringLiteral("OBEC")), QString());
}

void TestTable::editInEditStateKeepsTypedValues_data() {
    QTest::addColumn<int>("records"); // records in the table before
    QTest::addColumn<bool>("byAppend");
    QTest::newRow("editing a stored record") << 2 << false;
    QTest::newRow("editing an appended record") << 2 << true;
    QTest::newRow("editing the record started on an empty table") << 0 << false;
}

void TestTable::editInEditStateKeepsTypedValues() {
    QFETCH(int, records);
    QFETCH(bool, byAppend);
    Table table(schemas::OBCE06(), folder());
    table.open();
    for (int i = 0; i < records; ++i)
        appendRecords(table, NOBEC, {QStringLiteral("Stará %1").arg(i + 1)});
    table.first();
    if (byAppend)
        table.append();
    else
        table.edit();
    table.setText(NOBEC, QStringLiteral("Nová"));
    table.edit();
    QVERIFY(table.inEditState());
    QCOMPARE(table.text(NOBEC), QStringLiteral("Nová"));
    table.setText(OBEC, QStringLiteral("123"));
    table.post();

    const int count = records + (byAppend || records == 0 ? 1 : 0);
    QCOMPARE(table.recordCount(), count);
    const auto again = opened(schemas::OBCE06(), folder());
    QCOMPARE(again->recordCount(), count);
    again->moveBy(byAppend ? count - 1 : 0);
    QCOMPARE(again->text(NOBEC), QStringLiteral("Nová"));
    QCOMPARE(again->text(OBEC), QStringLiteral("123"));
}

void TestTable::appendAddsABlankRecordAtTheEnd() {
    Table table(schemas::OBCE06(), folder());
    table.open();
    appendRecords(table, NOBEC, {"Prvá", "Druhá", "Tretia"});
    table.first();
    table.append();
    // A new record is blank: nothing is taken over from the record that was current.
    QCOMPARE(table.text(NOBEC), QString());
    QCOMPARE(table.recordCount(), 3);
    table.setText(NOBEC, QStringLiteral("Štvrtá"));
    table.post();
    QCOMPARE(table.recordCount(), 4);
    QCOMPARE(table.recordNumber(), 4);
    QCOMPARE(table.text(NOBEC), QStringLiteral("Štvrtá"));

    const auto again = opened(schemas::OBCE06(), folder());
    QCOMPARE(column(*again, NOBEC), QStringList({"Prvá", "Druhá", "Tretia", "Štvrtá"}));
}

void TestTable::movingWhileEditingPostsFirst_data() {
    QTest::addColumn<bool>("byAppend"); // edit record 2, or append a fourth
    QTest::addColumn<QString>("move");
    for (bool byAppend : {false, true}) {
        const char *kind = byAppend ? "append" : "edit";
        for (const char *move : {"next", "prior", "first", "moveBy", "locate", "append"})
            QTest::addRow("%s, then %s", kind, move) << byAppend << QString::fromLatin1(move);
    }
}

void TestTable::movingWhileEditingPostsFirst() {
    QFETCH(bool, byAppend);
    QFETCH(QString, move);
    Table table(schemas::OBCE06(), folder());
    table.open();
    appendRecords(table, OBEC, {"1", "2", "3"});
    table.first();
    if (byAppend) {
        table.append();
        table.setText(OBEC, QStringLiteral("4"));
    } else {
        table.next();
        table.edit();
    }
    table.setText(NOBEC, QStringLiteral("Upravená"));

    if (move == u"next")
        table.next();
    else if (move == u"prior")
        table.prior();
    else if (move == u"first")
        table.first();
    else if (move == u"moveBy")
        table.moveBy(-1);
    else if (move == u"locate")
        QVERIFY(table.locate(OBEC, QStringLiteral("1")));
    else
        table.append();
    if (move == u"append")
        table.cancel(); // the second append is not wanted; the first record must already be stored
    QVERIFY(!table.inEditState());

    const int count = byAppend ? 4 : 3;
    const int edited = byAppend ? 4 : 2;
    QCOMPARE(table.recordCount(), count);
    QVERIFY(table.locate(NOBEC, QStringLiteral("Upravená")));
    QCOMPARE(table.recordNumber(), edited);

    const auto again = opened(schemas::OBCE06(), folder());
    QCOMPARE(again->recordCount(), count);
    again->moveBy(edited - 1);
    QCOMPARE(again->text(NOBEC), QStringLiteral("Upravená"));
    QCOMPARE(again->text(OBEC), QString::number(edited));
}

using Misuse = std::function<void(Table &)>;
Q_DECLARE_METATYPE(Misuse)

void TestTable::misuseRaisesStorageError_data() {
    QTest::addColumn<Misuse>("misuse");
    QTest::newRow("post while browsing") << Misuse([](Table &t) { t.post(); });
    QTest::newRow("post twice") << Misuse([](Table &t) {
        t.edit();
        t.post();
        t.post();
    });
    QTest::newRow("write while browsing") << Misuse([](Table &t) { t.setText(1, QStringLiteral("9")); });
    QTest::newRow("write by name while browsing")
        << Misuse([](Table &t) { t.setText(QStringLiteral("OBVOD"), QStringLiteral("9")); });
    QTest::newRow("write an integer while browsing") << Misuse([](Table &t) { t.setInteger(1, 9); });
    QTest::newRow("write after the post") << Misuse([](Table &t) {
        t.edit();
        t.post();
        t.setText(1, QStringLiteral("9"));
    });
    QTest::newRow("write after moving") << Misuse([](Table &t) {
        t.edit();
        t.first();
        t.setText(1, QStringLiteral("9"));
    });
    QTest::newRow("field that the table lacks")
        << Misuse([](Table &t) { t.locate(QStringLiteral("NEMA"), QStringLiteral("1")); });
}

void TestTable::misuseRaisesStorageError() {
    QFETCH(Misuse, misuse);
    Table table(schemas::S1(), folder());
    table.open();
    appendRecords(table, QStringLiteral("OBVOD"), {"1"});
    const auto message = messageOf<StorageError>([&] { misuse(table); });
    QVERIFY2(message, "no StorageError");
    QVERIFY2(message->contains(QStringLiteral("S1.DBF")), qPrintable(*message));
    QVERIFY(!table.inEditState());

    const auto again = opened(schemas::S1(), folder());
    QCOMPARE(again->recordCount(), 1);
    QCOMPARE(again->text(QStringLiteral("OBVOD")), QStringLiteral("1"));
}

void TestTable::changedFollowsTheCurrentRecord() {
    Table table(schemas::OBCE06(), folder());
    table.open();
    QSignalSpy changed(&table, &Table::changed);
    table.append();
    table.setText(OBEC, QStringLiteral("1"));
    const qsizetype beforePost = changed.count();
    table.post();
    QVERIFY(changed.count() > beforePost);
    appendRecords(table, OBEC, {"2"});

    qsizetype before = changed.count();
    table.first();
    QVERIFY(changed.count() > before);
    before = changed.count();
    table.next();
    QVERIFY(changed.count() > before);
    before = changed.count();
    QVERIFY(table.locate(OBEC, QStringLiteral("1")));
    QVERIFY(changed.count() > before);
    before = changed.count();
    table.empty();
    QVERIFY(changed.count() > before);
}

// ---- reading ------------------------------------------------------------------------------------------

void TestTable::readingRemovesTrailingBlanksOnly_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("blanks on both sides") << "  12  "
                                          << "  12";
    QTest::newRow("leading blank") << " x"
                                   << " x";
    QTest::newRow("inner blanks") << "a  b "
                                  << "a  b";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only blanks") << "   "
                                 << "";
}

void TestTable::readingRemovesTrailingBlanksOnly() {
    QFETCH(QString, stored);
    QFETCH(QString, read);
    const QString kto = QStringLiteral("KTO");
    Table table(schemas::S1(), folder());
    table.open();
    table.edit();
    table.setText(kto, stored);
    QCOMPARE(table.text(kto), read);
    table.post();
    QCOMPARE(table.text(kto), read);
    QCOMPARE(opened(schemas::S1(), folder())->text(kto), read);

    // On disk the field is the text padded with blanks to its width of 48.
    const DbfBytes dbf = readDbf(table.filePath());
    QCOMPARE(dbf.record(0).mid(fileOffset(schemas::S1(), 38), 48), stored.toLatin1().leftJustified(48, ' '));
}

void TestTable::integer_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("one digit") << "7" << true << 7;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("leading blank") << " 5" << true << 5;
    QTest::newRow("blanks around") << "  12  " << true << 12;
    QTest::newRow("largest") << "2147483647" << true << std::numeric_limits<qint32>::max();
    QTest::newRow("smallest") << "-2147483648" << true << std::numeric_limits<qint32>::min();
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank") << "   " << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("inner blank") << "1 2" << false << 0;
    QTest::newRow("trailing letter") << "12a" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("hexadecimal") << "0x1A" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("two signs") << "--1" << false << 0;
    QTest::newRow("one above the largest") << "2147483648" << false << 0;
    QTest::newRow("one below the smallest") << "-2147483649" << false << 0;
    QTest::newRow("twenty digits") << "99999999999999999999" << false << 0;
}

void TestTable::integer() {
    QFETCH(QString, stored);
    QFETCH(bool, valid);
    QFETCH(int, value);
    Table table(schemas::S1(), folder());
    table.open();
    table.edit();
    table.setText(QStringLiteral("KTO"), stored);
    table.post();

    const int kto = table.fieldIndex(QStringLiteral("KTO"));
    if (valid) {
        QCOMPARE(table.integer(kto), value);
        QCOMPARE(table.integer(QStringLiteral("KTO")), value);
        return;
    }
    const auto message = messageOf<ConversionError>([&] { table.integer(kto); });
    QVERIFY2(message, "no ConversionError");
    QVERIFY(!message->isEmpty());
    QVERIFY2(message->contains(stored.trimmed()), qPrintable(*message));
    QVERIFY(messageOf<ConversionError>([&] { table.integer(QStringLiteral("KTO")); }));
}

// ---- writing ------------------------------------------------------------------------------------------

void TestTable::writingCutsToTheWidth_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before"); // posted into the field first
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const QString mark = QStringLiteral("#");
    QTest::newRow("seven digits into width 3") << "OBVOD" << mark << "1234567"
                                               << "123";
    QTest::newRow("two digits into width 1") << "TYPV" << mark << "12"
                                             << "1";
    QTest::newRow("exactly the width") << "OBEC" << mark << "123456"
                                       << "123456";
    QTest::newRow("one over the width") << "OBEC" << mark << "1234567"
                                        << "123456";
    QTest::newRow("Slovak letters take one byte each") << "OBVOD" << mark << "ŽltáX"
                                                       << "Žlt";
    QTest::newRow("leading blanks count") << "OKRSOK" << mark << "  789"
                                          << "  7";
    QTest::newRow("cut ending in a blank reads without it") << "OBEC" << mark << "12345 7"
                                                            << "12345";
    QTest::newRow("last field of the record") << "OKOLNOSTI" << mark << QString(260, u'x') << QString(250, u'x');
    QTest::newRow("last field, Slovak letters") << "OKOLNOSTI" << mark << QString(300, u'ž') << QString(250, u'ž');
    QTest::newRow("shorter text over a longer one") << "POZZV"
                                                    << "1234567"
                                                    << "5"
                                                    << "5";
    QTest::newRow("empty text over a full one") << "KC1"
                                                << "123456789012345"
                                                << ""
                                                << "";
}

void TestTable::writingCutsToTheWidth() {
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    const QString mark = QStringLiteral("#");
    Table table(schemas::S1(), folder());
    table.open();
    // Two records with a mark in every field, so that a spill into a neighbour shows.
    for (int r = 0; r < 2; ++r) {
        table.append();
        for (int i = 0; i < table.fieldCount(); ++i)
            table.setText(i, mark);
        table.post();
    }
    table.first();
    table.edit();
    table.setText(field, before);
    table.post();
    table.edit();
    table.setText(field, value);
    QCOMPARE(table.text(field), expected);
    table.post();
    QCOMPARE(table.text(field), expected);

    const auto again = opened(schemas::S1(), folder());
    const int position = again->fieldIndex(field);
    QCOMPARE(again->recordCount(), 2);
    for (int r = 0; r < 2; ++r, again->next())
        for (int i = 0; i < again->fieldCount(); ++i)
            QCOMPARE(again->text(i), r == 0 && i == position ? expected : mark);

    // The bytes on disk: the cut text padded with blanks, the second record intact behind it.
    const DbfBytes dbf = readDbf(table.filePath());
    const int width = schemas::S1().fields[position].width;
    QCOMPARE(dbf.record(0).mid(fileOffset(schemas::S1(), position), width),
             cp1250Bytes(expected).leftJustified(width, ' '));
    QCOMPARE(dbf.record(1).left(2), QByteArray(" #"));
}

void TestTable::slovakTextRoundTrips() {
    const QString text = QStringLiteral("Žltá Ľubovňa č. 5 – „áäčďéíĺľňóôŕšťúýž ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ“ 10 €");
    const QString okolnosti = QStringLiteral("OKOLNOSTI");
    Table table(schemas::S1(), folder());
    table.open();
    table.edit();
    table.setText(okolnosti, text);
    table.post();
    QCOMPARE(opened(schemas::S1(), folder())->text(okolnosti), text);

    const DbfBytes dbf = readDbf(table.filePath());
    QCOMPARE(dbf.record(0).mid(fileOffset(schemas::S1(), 44), 250), cp1250Bytes(text).leftJustified(250, ' '));
}

void TestTable::charactersOutsideTheCodePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Greek") << "Ω"
                           << "?";
    QTest::newRow("Chinese") << "中"
                             << "?";
    QTest::newRow("among letters of the code page") << "aΩb€ž"
                                                    << "a?b€ž";
    QTest::newRow("outside the basic plane") << "x😀y"
                                             << "x?y";
    QTest::newRow("replacement character") << QString(QChar(0xFFFD)) << "?";
}

void TestTable::charactersOutsideTheCodePage() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString okolnosti = QStringLiteral("OKOLNOSTI");
    Table table(schemas::S1(), folder());
    table.open();
    table.edit();
    table.setText(okolnosti, text);
    table.post();
    QCOMPARE(opened(schemas::S1(), folder())->text(okolnosti), expected);
    const QByteArray record = readDbf(table.filePath()).record(0);
    QVERIFY(!record.contains('\x1A'));
    QCOMPARE(record.mid(fileOffset(schemas::S1(), 44), 250), cp1250Bytes(expected).leftJustified(250, ' '));
}

void TestTable::whateverIsPostedCanBeOpenedAgain_data() {
    // Text from outside (an imported line, a pasted note) may hold control characters.
    QTest::addColumn<QString>("text");
    QTest::newRow("tab") << "a\tb";
    QTest::newRow("line feed") << "a\nb";
    QTest::newRow("carriage return") << "a\rb";
    QTest::newRow("end-of-file mark") << "a\x1A"
                                         "b";
    QTest::newRow("delete") << "a\x7F"
                               "b";
    QTest::newRow("null") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
}

void TestTable::whateverIsPostedCanBeOpenedAgain() {
    QFETCH(QString, text);
    const QString okolnosti = QStringLiteral("OKOLNOSTI");
    Table table(schemas::S1(), folder());
    table.open();
    table.edit();
    table.setText(QStringLiteral("OBVOD"), QStringLiteral("5"));
    table.post();
    // The store may refuse the text; what it accepts and posts must not make the table unreadable.
    const bool refused = messageOf<StorageError>([&] {
                             table.edit();
                             table.setText(okolnosti, text);
                             table.post();
                         }).has_value();
    table.cancel();
    const auto message = messageOf<StorageError>([&] { opened(schemas::S1(), folder()); });
    QVERIFY2(!message,
             qPrintable(QStringLiteral("refused at write: %1; at open: %2")
                            .arg(refused ? QStringLiteral("yes") : QStringLiteral("no"), message.value_or(QString()))));
    const auto again = opened(schemas::S1(), folder());
    QCOMPARE(again->text(QStringLiteral("OBVOD")), QStringLiteral("5"));
}

void TestTable::storedTextIsStoredAsItsText() {
    // A value of an exchange file, in Windows-1250, is stored as its decoded text would be: every byte,
    // the undefined ones and the controls included, and cut to the width.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString okolnosti = QStringLiteral("OKOLNOSTI");
    Table table(schemas::S1(), folder());
    table.open();
    table.edit();
    for (const QByteArray &bytes : {all.left(128), all.mid(128), all + all, QByteArray()}) {
        table.setText(okolnosti, cp1250::decode(bytes));
        const QByteArray asText = table.record();
        table.setStoredText(table.fieldIndex(okolnosti), bytes);
        QCOMPARE(table.record(), asText);
    }
}

void TestTable::wholeRecordsPassBetweenTablesOfOneLayout() {
    DataModule data(folder());
    Table &p1 = data.TP1();
    p1.edit();
    p1.setText(QStringLiteral("KON"), QStringLiteral("7"));
    p1.setText(QStringLiteral("K150"), QStringLiteral("1234567"));
    p1.post();
    Table &temp = data.TP1_TEMP();
    temp.append();
    temp.setRecord(p1.record());
    temp.post();
    QCOMPARE(opened(schemas::P1_temp(), folder())->text(QStringLiteral("K150")), QStringLiteral("1234567"));

    // A record of another layout would shift every field after the first difference.
    data.TS1().edit();
    const QByteArray protocol = data.TS1().record();
    data.TS1().cancel();
    QVERIFY(!protocol.isEmpty());
    temp.edit();
    const auto message = messageOf<StorageError>([&] { temp.setRecord(protocol); });
    QVERIFY2(message && message->contains(QStringLiteral("P1_temp.DBF")), qPrintable(message.value_or(QString())));
    QCOMPARE(temp.text(QStringLiteral("KON")), QStringLiteral("7"));
}

// ---- durability and whole-table replacement -----------------------------------------------------------

void TestTable::postIsOnDiskAtOnce() {
    Table table(schemas::OBCE06(), folder());
    table.open();
    appendRecords(table, NOBEC, {"Prvá", "Druhá", "Tretia"});

    // A second table object on the same file, while the first stays open.
    auto second = opened(schemas::OBCE06(), folder());
    QCOMPARE(column(*second, NOBEC), QStringList({"Prvá", "Druhá", "Tretia"}));
    QCOMPARE(readDbf(table.filePath()).recordCount, 3);

    // An edit in place: the record count stays, only the edited record changes.
    table.first();
    table.next();
    table.edit();
    table.setText(NOBEC, QStringLiteral("Druhá upravená"));
    table.post();
    second = opened(schemas::OBCE06(), folder());
    QCOMPARE(column(*second, NOBEC), QStringList({"Prvá", "Druhá upravená", "Tretia"}));
    QCOMPARE(readDbf(table.filePath()).recordCount, 3);

    // The same after the first object is closed and opened again.
    table.close();
    table.open();
    QCOMPARE(column(table, NOBEC), QStringList({"Prvá", "Druhá upravená", "Tretia"}));
}

void TestTable::rewriteIsInvisibleUntilCommit() {
    Table table(schemas::OBCE06(), folder());
    table.open();
    appendRecords(table, NOBEC, {"Stará 1", "Stará 2", "Stará 3"});
    table.moveBy(1);
    {
        TableRewrite rewrite(table);
        QCOMPARE(table.recordCount(), 0);
        appendRecords(table, NOBEC, {"Nová 1", "Nová 2"});
        table.append();
        table.setText(NOBEC, QStringLiteral("Nová 3"));
        QCOMPARE(table.recordCount(), 2);

        const auto during = opened(schemas::OBCE06(), folder());
        QCOMPARE(column(*during, NOBEC), QStringList({"Stará 1", "Stará 2", "Stará 3"}));
        QCOMPARE(readDbf(table.filePath()).recordCount, 3);
        rewrite.commit(); // posts the pending append
    }
    QVERIFY(!table.inEditState());
    QCOMPARE(table.recordCount(), 3);
    QCOMPARE(table.recordNumber(), 1);
    QCOMPARE(table.text(NOBEC), QStringLiteral("Nová 1"));
    QCOMPARE(column(*opened(schemas::OBCE06(), folder()), NOBEC), QStringList({"Nová 1", "Nová 2", "Nová 3"}));
    QCOMPARE(QDir(folder()).entryList({QStringLiteral("OBCE06*")}, QDir::Files),
             QStringList{QStringLiteral("OBCE06.DBF")});

    // Posts after the replacement land in the new file at the right place.
    table.moveBy(1);
    table.edit();
    table.setText(NOBEC, QStringLiteral("Nová 2 upravená"));
    table.post();
    appendRecords(table, NOBEC, {"Nová 4"});
    QCOMPARE(column(*opened(schemas::OBCE06(), folder()), NOBEC),
             QStringList({"Nová 1", "Nová 2 upravená", "Nová 3", "Nová 4"}));
}

void TestTable::abandonedRewriteBringsTheOldContentBack_data() {
    QTest::addColumn<int>("stage"); // how far the replacement got before the error
    QTest::newRow("at once") << 0;
    QTest::newRow("after posted appends") << 1;
    QTest::newRow("while a record is appended") << 2;
    QTest::newRow("after an empty inside the replacement") << 3;
}

void TestTable::abandonedRewriteBringsTheOldContentBack() {
    QFETCH(int, stage);
    const QStringList old = {"Stará 1", "Stará 2", "Stará 3"};
    Table table(schemas::OBCE06(), folder());
    table.open();
    appendRecords(table, NOBEC, old);
    try {
        TableRewrite rewrite(table);
        if (stage >= 1)
            appendRecords(table, NOBEC, {"Nová 1", "Nová 2"});
        if (stage == 2) {
            table.append();
            table.setText(NOBEC, QStringLiteral("Nová 3"));
        }
        if (stage == 3) {
            table.empty();
            appendRecords(table, NOBEC, {"Nová 3"});
        }
        throw std::runtime_error("stopped");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(table.isOpen());
    QVERIFY(!table.inEditState());
    QCOMPARE(table.recordNumber(), 1);
    QCOMPARE(column(table, NOBEC), old);
    QCOMPARE(column(*opened(schemas::OBCE06(), folder()), NOBEC), old);
    QCOMPARE(QDir(folder()).entryList({QStringLiteral("OBCE06*")}, QDir::Files),
             QStringList{QStringLiteral("OBCE06.DBF")});

    // The table works on as before.
    table.moveBy(2);
    table.edit();
    table.setText(NOBEC, QStringLiteral("Stará 3 upravená"));
    table.post();
    appendRecords(table, NOBEC, {"Stará 4"});
    QCOMPARE(column(*opened(schemas::OBCE06(), folder()), NOBEC),
             QStringList({"Stará 1", "Stará 2", "Stará 3 upravená", "Stará 4"}));
}

void TestTable::emptyLeavesAnEmptyTableWithAllFields() {
    Table table(schemas::S1(), folder());
    table.open();
    appendRecords(table, QStringLiteral("OKOLNOSTI"), {"a", "b", "c"});
    table.empty();
    QVERIFY(table.isOpen());
    QCOMPARE(table.recordCount(), 0);
    QCOMPARE(table.recordNumber(), 0);

    const auto again = opened(schemas::S1(), folder());
    QCOMPARE(again->recordCount(), 0);
    QCOMPARE(again->fieldCount(), 45);
    const DbfBytes dbf = readDbf(table.filePath());
    QCOMPARE(dbf.recordCount, 0);
    QCOMPARE(dbf.fields.size(), 45);
    for (int i = 0; i < 45; ++i) {
        QCOMPARE(QString::fromLatin1(dbf.fields[i].name), schemas::S1().fields[i].name);
        QCOMPARE(dbf.fields[i].type, 'C');
        QCOMPARE(dbf.fields[i].width, schemas::S1().fields[i].width);
    }
    QCOMPARE(dbf.recordLength, 1 + 617); // the deletion flag and the 45 widths

    // The emptied table takes new records, and they reach the file.
    table.edit();
    table.setText(QStringLiteral("OBVOD"), QStringLiteral("7"));
    table.post();
    const auto after = opened(schemas::S1(), folder());
    QCOMPARE(after->recordCount(), 1);
    QCOMPARE(after->text(QStringLiteral("OBVOD")), QStringLiteral("7"));
    QCOMPARE(after->text(QStringLiteral("OKOLNOSTI")), QString());
}

// ---- the data module ----------------------------------------------------------------------------------

namespace {
using Accessor = Table &(DataModule::*)();
const Accessor kAccessors[] = {&DataModule::TS1,        &DataModule::TP1,       &DataModule::TVQ_OBCE,
                               &DataModule::TVQ_STRANY, &DataModule::TVQ_KOAL,  &DataModule::TP1_TLAC1,
                               &DataModule::TP1_TLAC2,  &DataModule::TTEMPTLAC, &DataModule::TProtokol1,
                               &DataModule::TProtokol2, &DataModule::TS1_TLAC,  &DataModule::TP1_TEMP};
} // namespace

void TestTable::dataModuleOpensTheTwelveTables_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("fieldCount");
    QTest::newRow("TS1") << 0 << "S1.DBF" << 45;
    QTest::newRow("TP1") << 1 << "P1.DBF" << 163;
    QTest::newRow("TVQ_OBCE") << 2 << "OBCE06.DBF" << 8;
    QTest::newRow("TVQ_STRANY") << 3 << "STRANY06.dbf" << 4;
    QTest::newRow("TVQ_KOAL") << 4 << "KOAL06.DBF" << 9;
    QTest::newRow("TP1_TLAC1") << 5 << "P1_TALC_1-50.DBF" << 62;
    QTest::newRow("TP1_TLAC2") << 6 << "P1_TLAC_51-150.DBF" << 103;
    QTest::newRow("TTEMPTLAC") << 7 << "TEMP_TLAC.DBF" << 1;
    QTest::newRow("TProtokol1") << 8 << "chyb_prot.DBF" << 2;
    QTest::newRow("TProtokol2") << 9 << "chyb_prot_medzitab.dbf" << 2;
    QTest::newRow("TS1_TLAC") << 10 << "S1_TLAC.DBF" << 45;
    QTest::newRow("TP1_TEMP") << 11 << "P1_temp.DBF" << 163;
}

void TestTable::dataModuleOpensTheTwelveTables() {
    QFETCH(int, index);
    QFETCH(QString, fileName);
    QFETCH(int, fieldCount);
    // createTableFiles wrote exactly the twelve names, with their exact case.
    QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), 12);
    QVERIFY2(QDir(folder()).entryList(QDir::Files).contains(fileName), qPrintable(fileName));
    QCOMPARE(readDbf(QDir(folder()).filePath(fileName)).fields.size(), fieldCount);

    // Two records in the file: the module opens the table on the first.
    const TableSchema &schema = *schemas::all()[index];
    {
        Table table(schema, folder());
        table.open();
        appendRecords(table, schema.fields.front().name, {"1", "2"});
    }
    DataModule data(folder());
    Table &table = (data.*kAccessors[index])();
    QCOMPARE(table.schema().objectName, QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(table.isOpen());
    QCOMPARE(QFileInfo(table.filePath()).fileName(), fileName);
    QCOMPARE(table.fieldCount(), fieldCount);
    QCOMPARE(table.recordCount(), 2);
    QCOMPARE(table.recordNumber(), 1);
    QCOMPARE(table.text(0), QStringLiteral("1"));
}

void TestTable::fieldLayout_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    const struct {
        int index;
        int position;
        const char *name;
        int width;
    } rows[] = {
        {0, 0, "TYPV", 1},          {0, 1, "OBVOD", 3},        {0, 2, "OBEC", 6},       {0, 3, "OKRSOK", 3},
        {0, 6, "POO_POSTA", 7},     {0, 8, "PPHS", 7},         {0, 9, "PPHPS1", 7},     {0, 29, "PPHPS21", 7},
        {0, 34, "PPHPS26", 7},      {0, 35, "KC1", 15},        {0, 37, "KC3", 15},      {0, 38, "KTO", 48},
        {0, 39, "KEDY", 10},        {0, 40, "DATUM", 10},      {0, 41, "CAS", 8},       {0, 42, "STAV", 1},
        {0, 43, "KCT", 15},         {0, 44, "OKOLNOSTI", 250}, {1, 0, "TYPV", 1},       {1, 4, "KON", 3},
        {1, 5, "VPH", 7},           {1, 6, "K1", 7},           {1, 105, "K100", 7},     {1, 155, "K150", 7},
        {1, 156, "KC1", 15},        {1, 160, "KC5", 15},       {1, 161, "STAV", 1},     {1, 162, "KCT", 15},
        {2, 0, "OKR", 3},           {2, 2, "OBEC", 6},         {2, 3, "NOBEC", 50},     {2, 6, "POCOKS", 3},
        {2, 7, "KC", 15},           {3, 0, "PS", 3},           {3, 1, "NPS", 150},      {3, 2, "SKPS", 25},
        {3, 3, "KC", 15},           {4, 0, "F_KON", 2},        {4, 1, "KON", 2},        {4, 3, "KPS", 60},
        {4, 4, "NKO", 200},         {4, 5, "SNKO", 60},        {4, 6, "POCKAN", 3},     {4, 7, "PLATNOST", 1},
        {4, 8, "KC", 15},           {5, 4, "KON", 3},          {5, 6, "K1", 7},         {5, 55, "K50", 7},
        {5, 56, "KC1", 15},         {5, 58, "KC3", 15},        {5, 59, "PRILOHAC", 4},  {5, 60, "NAZOVOBCE", 150},
        {5, 61, "MENOPSTR", 150},   {6, 0, "K51", 7},          {6, 99, "K150", 7},      {6, 100, "KC4", 15},
        {6, 101, "KC5", 15},        {6, 102, "KON", 2},        {7, 0, "NOBEC", 50},     {8, 0, "KOD_CHYBY", 3},
        {8, 1, "CH_OZNAM", 250},    {9, 0, "KOD_CHYBY", 3},    {9, 1, "CH_OZNAM", 250}, {10, 9, "PPHPS1", 7},
        {10, 44, "OKOLNOSTI", 250}, {11, 6, "K1", 7},          {11, 162, "KCT", 15},
    };
    for (const auto &row : rows)
        QTest::addRow("%s %s", qPrintable(schemas::all()[row.index]->fileName), row.name)
            << row.index << row.position << QString::fromLatin1(row.name) << row.width;
}

void TestTable::fieldLayout() {
    QFETCH(int, index);
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(int, width);
    DataModule data(folder());
    Table &table = (data.*kAccessors[index])();
    QCOMPARE(table.schema().fields[position].name, name);
    QCOMPARE(table.schema().fields[position].width, width);
    QCOMPARE(table.fieldIndex(name), position);

    // The file's header says the same.
    const DbfBytes dbf = readDbf(table.filePath());
    QVERIFY(position < dbf.fields.size());
    QCOMPARE(QString::fromLatin1(dbf.fields[position].name), name);
    QCOMPARE(dbf.fields[position].type, 'C');
    QCOMPARE(dbf.fields[position].width, width);
}

void TestTable::copiesHaveTheLayoutOfTheirSource() {
    // The print copy and the scratch table are copied position by position from their source.
    DataModule data(folder());
    const auto layout = [](Table &table) {
        QStringList fields;
        for (const FieldDef &field : table.schema().fields)
            fields << field.name + u':' + QString::number(field.width);
        return fields;
    };
    QCOMPARE(layout(data.TS1_TLAC()), layout(data.TS1()));
    QCOMPARE(layout(data.TP1_TEMP()), layout(data.TP1()));
    QCOMPARE(layout(data.TP1_ODLOZ()), layout(data.TP1()));
}

void TestTable::districtInMemoryTouchesNoFile() {
    {
        Table obce(schemas::OBCE06(), folder());
        obce.open();
        appendRecords(obce, NOBEC, {"Prvá", "Druhá"});
    }
    const auto before = QDir(folder()).entryInfoList(QDir::Files);
    const auto data = DataModule::inMemory(folder());
    QCOMPARE(column(data->TVQ_OBCE(), NOBEC), QStringList({"Prvá", "Druhá"}));
    QCOMPARE(data->TS1().recordCount(), 0);
    Action action(data->store());
    data->TS1().edit();
    data->TS1().setText(QStringLiteral("OBVOD"), QStringLiteral("101"));
    data->TS1().post();
    TableRewrite rewrite(data->TP1());
    data->TP1().append();
    data->TP1().post();
    rewrite.commit();
    action.commit();
    QCOMPARE(data->TS1().text(QStringLiteral("OBVOD")), QStringLiteral("101"));
    QCOMPARE(data->TP1().recordCount(), 1);
    const auto after = QDir(folder()).entryInfoList(QDir::Files); // no journal either
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(after[i].lastModified(), before[i].lastModified());
}

QTEST_GUILESS_MAIN(TestTable)
#include "test_table.moc"
