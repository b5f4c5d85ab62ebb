#include "store/store.h"

#include "store/errors.h"
#include "store/table.h"
#include "store/tablefile.h"

#include <QDir>
#include <QFileInfo>

#include <climits>
#include <fcntl.h>
#include <map>
#include <set>

Store::Store(const QString &folder, Durability durability) : m_folder(folder), m_durability(durability) {
    if (durability == Durability::Journal)
        m_journal = std::make_unique<Journal>(folder);
}

Store::~Store() = default;

void Store::close() noexcept {
    if (!m_journal || !m_journal->written())
        return;
    try {
        checkpoint();
        m_journal->clear();
    } catch (const VolbyError &) {
        // The journal keeps every commit: the next start brings the tables up to date from it.
    }
}

namespace {

// A file a journal carries is a backup, in a folder of its own within the data folder one or two levels
// down, or a file of the data folder itself that is neither a table nor the journal (the export log);
// never with a file on its way where a folder must be (on disk or laid out by an earlier file of the
// journal).
bool placeable(const QString &folder, const QString &path, const std::vector<const TableSchema *> &schemas,
               std::set<QString> &files, std::set<QString> &folders) {
    const QStringList parts = path.split(QLatin1Char('/'));
    if (parts.size() > 3)
        return false;
    const auto named = [&](const QString &name) { return path.compare(name, Qt::CaseInsensitive) == 0; };
    if (parts.size() == 1 && (named(QString::fromLatin1(Journal::FILE_NAME)) ||
                              std::any_of(schemas.begin(), schemas.end(),
                                          [&](const TableSchema *schema) { return named(schema->fileName); })))
        return false;
    for (const QString &part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") || part.contains(QChar(0)) ||
            QFile::encodeName(part).size() > NAME_MAX)
            return false;
    QString at;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        at += (i ? QStringLiteral("/") : QString()) + parts[i];
        const QFileInfo info(QDir(folder).filePath(at));
        if (files.contains(at) || (info.exists() && !info.isDir()))
            return false;
        folders.insert(at);
    }
    if (folders.contains(path) || QFileInfo(QDir(folder).filePath(path)).isDir())
        return false;
    files.insert(path);
    return true;
}

} // namespace

void Store::recover(const std::vector<const TableSchema *> &schemas) {
    if (!m_journal)
        return;
    const std::vector<Commit> commits = m_journal->pending();
    if (commits.empty())
        return;
    const QString journal = disk::displayName(QDir(m_folder).filePath(QString::fromLatin1(Journal::FILE_NAME)));

    // Every commit is checked against the files before the first is written: a journal that does not fit
    // them is refused with every file as it was.
    std::map<QString, TableFile> files;
    std::map<QString, ChangeCheck> checks;
    std::set<QString> placedFiles;
    std::set<QString> placedFolders;
    for (const Commit &commit : commits) {
        for (const TableChange &change : commit.tables) {
            auto check = checks.find(change.fileName);
            if (check == checks.end()) {
                const auto schema = std::find_if(schemas.begin(), schemas.end(),
                                                 [&](const TableSchema *s) { return s->fileName == change.fileName; });
                if (schema == schemas.end())
                    throw StorageError(
                        QStringLiteral("Denník %1 zapisuje do neznámej tabuľky %2.").arg(journal, change.fileName));
                const QString path = QDir(m_folder).filePath(change.fileName);
                int rowCount = 0;
                if (!(*schema)->createdWhenFirstWritten || QFileInfo::exists(path))
                    rowCount = files.emplace(change.fileName, TableFile::openForRecovery(path, **schema))
                                   .first->second.rowCount();
                check = checks.emplace(change.fileName, ChangeCheck(path, **schema, rowCount)).first;
            }
            check->second.add(change);
        }
        for (const FileWrite &write : commit.files)
            if (!placeable(m_folder, write.path, schemas, placedFiles, placedFolders))
                throw StorageError(
                    QStringLiteral("Denník %1 zapisuje súbor %2 na nedovolené miesto.").arg(journal, write.path));
    }
    for (const auto &[name, check] : checks)
        check.finish();

    for (const Commit &commit : commits) {
        for (const TableChange &change : commit.tables) {
            auto file = files.find(change.fileName);
            if (file == files.end()) { // a table laid out by its first commit
                const auto schema = std::find_if(schemas.begin(), schemas.end(),
                                                 [&](const TableSchema *s) { return s->fileName == change.fileName; });
                const QString path = QDir(m_folder).filePath(change.fileName);
                TableFile::create(path, **schema);
                file = files.emplace(change.fileName, TableFile::openForRecovery(path, **schema)).first;
            }
            file->second.apply(change);
        }
        writeFiles(commit.files);
    }
    for (auto &[name, file] : files)
        file.sync();
    checkpoint();
    m_journal->clear();
}

void Store::touch(Table &table) {
    m_touched.push_back(&table);
}

void Store::writeFile(const QString &path, const QByteArray &content) {
    if (memoryOnly())
        return;
    if (!m_journal)
        throw StorageError(QStringLiteral("Súbor %1 sa zapisuje len s denníkom.").arg(path));
    m_files.push_back({path, content});
}

// Written in place without a sync: the journal holds them until the next checkpoint syncs them. Every
// file is tried; those that fail are tried again before the next checkpoint, and the first error raised.
void Store::writeFiles(const std::vector<FileWrite> &files) {
    std::exception_ptr first;
    for (const FileWrite &write : files) {
        try {
            placeFile(write);
        } catch (const StorageError &) {
            m_unwritten.push_back(write);
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

void Store::placeFile(const FileWrite &write) {
    const QString path = QDir(m_folder).filePath(write.path);
    const QString folder = QFileInfo(path).path();
    // The folders between the data folder and the file that are missing (a backup's, and the backups'
    // own), each made within the data folder and its entry synced with the rest; where the file's own
    // folder is there, so are those above it.
    if (!QFileInfo(folder).isDir()) {
        QString at = m_folder;
        const QStringList parts = write.path.split(QLatin1Char('/'));
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            at = QDir(at).filePath(parts[i]);
            if (!QFileInfo(at).isDir()) {
                disk::makeFolder(at);
                m_unsynced.push_back(QFileInfo(at).path());
            }
        }
    }
    // Overwritten in place and cut only where the old content was longer: a file emptied and written
    // again makes the file system write it out at its close (the export log is rewritten by every export).
    disk::File file = disk::File::open(path, O_CREAT);
    file.write(0, write.content);
    if (file.size() > write.content.size())
        file.truncate(write.content.size());
    file.close();
    m_unsynced.push_back(folder);
    m_unsynced.push_back(path);
}

// Every table and every file written since the last checkpoint is made durable, so that the journal can
// start again from its beginning.
void Store::checkpoint() {
    writeFiles(std::exchange(m_unwritten, {}));
    for (Table *table : m_tables) {
        table->bringFileUpToDate();
        table->syncFile();
    }
    std::sort(m_unsynced.begin(), m_unsynced.end());
    m_unsynced.erase(std::unique(m_unsynced.begin(), m_unsynced.end()), m_unsynced.end());
    // Files before the folders that hold them.
    std::stable_partition(m_unsynced.begin(), m_unsynced.end(),
                          [](const QString &path) { return !QFileInfo(path).isDir(); });
    for (const QString &path : m_unsynced) {
        if (QFileInfo(path).isDir()) {
            disk::syncFolder(path);
        } else {
            disk::File file = disk::File::open(path);
            file.sync();
            file.close();
        }
    }
    m_unsynced.clear();
    if (m_journal)
        m_journal->restart();
}

void Store::finish() {
    for (Table *table : m_tables)
        table->actionEnds();
    m_touched.clear();
    m_files.clear();
    m_depth = 0;
}

void Store::begin() {
    if (m_depth++ == 0)
        for (Table *table : m_tables)
            table->actionStarts();
}

// Every table goes back to where it stood when the action began, and to what it held.
void Store::restoreAll() {
    for (Table *table : m_tables)
        table->restore();
    m_touched.clear();
    m_files.clear();
}

void Store::rollback() {
    restoreAll();
    if (m_depth > 0 && --m_depth > 0)
        for (Table *table : m_tables) // the enclosing action goes on from here
            table->actionStarts();
}

void Store::commit() {
    if (m_depth == 0 || --m_depth > 0)
        return;
    Commit commit;
    std::vector<Table *> changed;
    for (Table *table : m_touched) {
        if (std::optional<TableChange> change = table->pendingChange()) {
            std::sort(change->rows.begin(), change->rows.end(),
                      [](const TableChange::Row &a, const TableChange::Row &b) { return a.row < b.row; });
            commit.tables.push_back(std::move(*change));
            changed.push_back(table);
        }
    }
    commit.files = std::move(m_files);
    if (commit.isEmpty() || memoryOnly()) {
        for (std::size_t i = 0; i < changed.size(); ++i)
            changed[i]->committed(commit.tables[i].replace);
        finish();
        return;
    }

    // Up to the commit point an error leaves every table as the action found it.
    try {
        for (Table *table : m_tables)
            table->bringFileUpToDate();
        for (std::size_t i = 0; i < changed.size(); ++i)
            changed[i]->prepareFile(commit.tables[i]);
        if (m_journal) {
            const QByteArray record = m_journal->encode(commit);
            if (!m_journal->fits(record.size()))
                checkpoint();
            m_journal->append(record);
        } else {
            for (std::size_t i = 0; i < changed.size(); ++i)
                changed[i]->writeChange(commit.tables[i]);
            for (Table *table : changed)
                table->syncFile();
        }
    } catch (...) {
        restoreAll();
        finish();
        throw;
    }

    for (std::size_t i = 0; i < changed.size(); ++i)
        changed[i]->committed(commit.tables[i].replace);
    finish();
    if (!m_journal)
        return;
    // Committed: a failing write from here on is reported, and the file is written anew by the next
    // commit, the next checkpoint or the next start. Every table is tried.
    std::exception_ptr first;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        try {
            changed[i]->writeChange(commit.tables[i]);
        } catch (const StorageError &) {
            if (!first)
                first = std::current_exception();
        }
    }
    writeFiles(commit.files);
    if (first)
        std::rethrow_exception(first);
}

Action::~Action() {
    if (!m_done)
        m_store.rollback();
}

void Action::commit() {
    m_done = true;
    m_store.commit();
}
