#pragma once

#include "store/store.h"
#include "store/table.h"

#include <QString>

#include <memory>
#include <vector>

// Owns the twelve tables of data/ (and the attachments set aside) for the program's whole life and opens
// them all at creation, after bringing them up to the last commit of the journal when the program ended
// without closing them. A missing, unreadable or ill-formed file makes the creation fail with StorageError.
// Everything an operation writes is one action of the store (Action(data.store())).
class DataModule {
public:
    explicit DataModule(const QString &folder = QStringLiteral("data"));
    // A district held in memory alone, for checking and summing districts headless: the code lists
    // (OBCE06, STRANY06, KOAL06) read once from the folder and only read, every other table empty, and
    // actions that commit to no disk.
    static std::unique_ptr<DataModule> inMemory(const QString &codeListFolder);
    ~DataModule();

    Table &TS1() { return *m_tables[0]; }
    Table &TP1() { return *m_tables[1]; }
    Table &TVQ_OBCE() { return *m_tables[2]; }
    Table &TVQ_STRANY() { return *m_tables[3]; }
    Table &TVQ_KOAL() { return *m_tables[4]; }
    Table &TP1_TLAC1() { return *m_tables[5]; }
    Table &TP1_TLAC2() { return *m_tables[6]; }
    Table &TTEMPTLAC() { return *m_tables[7]; }
    Table &TProtokol1() { return *m_tables[8]; }
    Table &TProtokol2() { return *m_tables[9]; }
    Table &TS1_TLAC() { return *m_tables[10]; }
    Table &TP1_TEMP() { return *m_tables[11]; }
    Table &TP1_ODLOZ() { return *m_tables[12]; }

    Store &store() { return *m_store; }

    const QString &folder() const { return m_folder; }

private:
    DataModule(const QString &folder, Store::Durability durability);

    QString m_folder;
    std::unique_ptr<Store> m_store;
    std::vector<std::unique_ptr<Table>> m_tables; // in the order of schemas::all(), then the aside copy
};
