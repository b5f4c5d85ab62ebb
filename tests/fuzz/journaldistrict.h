#pragma once

#include "fuzz/fuzzcheck.h"
#include "store/backup.h"
#include "store/change.h"
#include "store/datamodule.h"
#include "store/journal.h"
#include "store/schema.h"
#include "store/table.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <vector>

// The district the journal target replays onto, and the real actions whose journals are its seeds. Both
// make_seeds and the target lay it out with the same code, so that a seed journal continues the tables
// the target starts from.
namespace fuzz {

// The tables of the data module (the twelve and the attachments set aside, whose file the first commit
// that writes it lays out).
inline std::vector<const TableSchema *> journalSchemas() {
    std::vector<const TableSchema *> all = schemas::all();
    all.push_back(&schemas::P1_odlozene());
    return all;
}

inline void setRecord(Table &table, int first, const QString &text) {
    for (int k = 0; k < table.fieldCount(); ++k)
        table.setText(k, QStringLiteral("%1%2").arg(text).arg(first + k));
}

// The installed tables with the code lists emptied (small enough to open for every input), a protocol
// record and two attachments, ended cleanly: the journal holds no commit.
inline void makeJournalBase(const QString &folder) {
    FUZZ_REQUIRE(QDir().mkpath(folder));
    for (const TableSchema *schema : schemas::all())
        FUZZ_REQUIRE(
            QFile::copy(QDir(installedData()).filePath(schema->fileName), QDir(folder).filePath(schema->fileName)));
    DataModule data(folder);
    for (Table *list : {&data.TVQ_OBCE(), &data.TVQ_STRANY(), &data.TVQ_KOAL(), &data.TS1(), &data.TP1()})
        list->empty();
    data.TS1().append();
    setRecord(data.TS1(), 0, QStringLiteral("s"));
    data.TS1().post();
    for (int i = 0; i < 2; ++i) {
        data.TP1().append();
        setRecord(data.TP1(), i, QStringLiteral("p"));
        data.TP1().post();
    }
}

// The actions of a session, one commit each: a post, appends to two tables, a replacement, a backup (files
// beside the tables), a table laid out by its first commit, a post into a code list.
inline std::vector<std::function<void(DataModule &)>> journalActions() {
    return {
        [](DataModule &data) {
            data.TS1().first();
            data.TS1().edit();
            data.TS1().setText(1, QStringLiteral("zmena"));
            data.TS1().post();
        },
        [](DataModule &data) {
            Action action(data.store());
            for (Table *table : {&data.TP1(), &data.TS1_TLAC()}) {
                table->append();
                setRecord(*table, 7, QStringLiteral("n"));
                table->post();
            }
            data.TP1().first();
            data.TP1().edit();
            data.TP1().setText(0, QStringLiteral("prvy"));
            data.TP1().post();
            action.commit();
        },
        [](DataModule &data) {
            TableRewrite rewrite(data.TP1_TLAC1());
            for (int i = 0; i < 3; ++i) {
                data.TP1_TLAC1().append();
                setRecord(data.TP1_TLAC1(), i, QStringLiteral("t"));
                data.TP1_TLAC1().post();
            }
            rewrite.commit();
        },
        [](DataModule &data) { backUpDistrict(data, QStringLiteral("skuska")); },
        [](DataModule &data) {
            data.TP1_ODLOZ().append();
            setRecord(data.TP1_ODLOZ(), 3, QStringLiteral("o"));
            data.TP1_ODLOZ().post();
        },
        [](DataModule &data) {
            data.TVQ_KOAL().append();
            setRecord(data.TVQ_KOAL(), 0, QStringLiteral("k"));
            data.TVQ_KOAL().post();
        },
    };
}

// The records of the journal in a data folder, without the zeros laid out behind them.
inline QByteArray writtenJournal(const QString &folder) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(Journal::FILE_NAME)));
    FUZZ_REQUIRE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    qsizetype end = 0;
    while (const auto record = journalformat::decode(bytes, end))
        end += record->length;
    return bytes.left(end);
}

} // namespace fuzz
