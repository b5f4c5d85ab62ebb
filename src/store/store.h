#pragma once

#include "store/change.h"
#include "store/journal.h"
#include "store/schema.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class Table;

// The tables of one folder and the actions on them. Everything one action writes (its posts, whole-table
// replacements and backup files) becomes durable together, with one synchronous commit, or not at all:
// an action that stops with an error brings every table it changed back to where it stood, in memory
// and on disk. A post or replacement outside any action is an action of its own.
//
// With a journal (the data module) an action is written to the journal and synced, which is its commit
// point, and then into the table files in place without a sync; the journal brings the tables up to
// date after a crash. Without one (a table opened on its own) the table files are written and synced.
// In memory alone (a district checked headless) nothing reaches any disk.
class Store {
public:
    enum class Durability { Journal, Direct, MemoryOnly };
    Store(const QString &folder, Durability durability);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    const QString &folder() const { return m_folder; }
    bool memoryOnly() const { return m_durability == Durability::MemoryOnly; }
    void add(Table &table) { m_tables.push_back(&table); }

    // Before the tables are opened: brings their files to the last commit in the journal (after a
    // crash), syncs them and empties the journal. Writes nothing when the journal holds no commit.
    void recover(const std::vector<const TableSchema *> &schemas);

    // A clean end, before the tables go: they are synced and the journal is left empty. A failure
    // loses nothing: the journal keeps every commit for the next start.
    void close() noexcept;

    // Actions nest: only the outermost one commits or rolls back.
    void begin();
    void commit();
    void rollback();
    bool inAction() const { return m_depth > 0; }

    // A table is about to change its records within the current action.
    void touch(Table &table);
    // A whole file, by its path within the folder, written together with the current action.
    void writeFile(const QString &path, const QByteArray &content);

private:
    void checkpoint();
    void writeFiles(const std::vector<FileWrite> &files);
    void placeFile(const FileWrite &write);
    void restoreAll();
    void finish();

    QString m_folder;
    Durability m_durability;
    std::unique_ptr<Journal> m_journal;
    std::vector<Table *> m_tables;
    std::vector<Table *> m_touched;
    std::vector<FileWrite> m_files;
    std::vector<QString> m_unsynced;    // files and folders written since the last checkpoint
    std::vector<FileWrite> m_unwritten; // committed files whose writing failed, written again first
    int m_depth = 0;
};

// One action on a store: commit() makes it durable; leaving the scope without it rolls the action back.
class Action {
public:
    explicit Action(Store &store) : m_store(store) { m_store.begin(); }
    ~Action();
    Action(const Action &) = delete;
    Action &operator=(const Action &) = delete;
    void commit();

private:
    Store &m_store;
    bool m_done = false;
};
