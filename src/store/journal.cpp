#include "store/journal.h"

#include "store/errors.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>

namespace {

// Room for a few hundred box exits between two checkpoints; a larger commit grows the file.
constexpr qint64 INITIAL_SIZE = 256 * 1024;
constexpr qint64 GROWTH = 64 * 1024;
// The start reads this much at once: the records of a clean end and of a few commits.
constexpr qint64 FIRST_READ = 16 * 1024;

} // namespace

Journal::Journal(const QString &folder)
    : m_path(QDir(folder).filePath(QString::fromLatin1(FILE_NAME))), m_folder(folder) {}

std::vector<Commit> Journal::pending() {
    std::vector<Commit> commits;
    int code = 0;
    m_file = disk::File::tryOpen(m_path, 0, code);
    if (!m_file.isOpen()) {
        if (code == ENOENT)
            return commits;                // laid out at the first commit
        m_file = disk::File::open(m_path); // raises the error
    }
    // Most of the file is zeros laid out ahead for later commits: it is read only as far as its records
    // reach, which after a clean end is the first read.
    m_size = m_file.size();
    m_position = 0;
    QByteArray bytes = m_file.read(0, qMin(m_size, FIRST_READ));
    const auto readUpTo = [&](qint64 end) {
        if (end > bytes.size() && bytes.size() < m_size)
            bytes += m_file.read(bytes.size(), qMin(qMax(end, bytes.size() + FIRST_READ), m_size) - bytes.size());
    };
    std::optional<quint64> last;
    for (;;) {
        readUpTo(m_position + journalformat::HEADER);
        const auto length = journalformat::recordLength(bytes.mid(m_position, journalformat::HEADER));
        if (!length)
            break;
        readUpTo(m_position + *length);
        const auto record = journalformat::decode(bytes, m_position);
        if (!record || (last && record->sequence != *last + 1))
            break;
        last = record->sequence;
        m_position += record->length;
        commits.push_back(std::move(record->commit));
    }
    if (last)
        m_sequence = *last + 1;
    // An empty marker record left by a clean end carries the sequence on, and nothing to apply.
    std::erase_if(commits, [](const Commit &commit) { return commit.isEmpty(); });
    return commits;
}

void Journal::prepare(qsizetype size) {
    if (!m_file.isOpen()) {
        m_file = disk::File::open(m_path, O_CREAT);
        m_size = m_file.size();
        m_position = 0;
    }
    if (m_position + size <= m_size)
        return;
    // Zeros written once: later commits overwrite allocated blocks and never wait for the file's size.
    const qint64 wanted = qMax(INITIAL_SIZE, (m_position + size + GROWTH - 1) / GROWTH * GROWTH);
    m_file.write(m_size, QByteArray(wanted - m_size, '\0'));
    m_file.sync();
    const bool created = m_size == 0;
    m_size = wanted;
    if (created)
        disk::syncFolder(m_folder);
}

void Journal::append(const QByteArray &record) {
    prepare(record.size());
    try {
        m_file.write(m_position, record);
        m_file.sync();
    } catch (...) {
        // Not committed: its bytes may still reach the disk later, so its header must not stay valid.
        try {
            m_file.write(m_position, QByteArray(journalformat::HEADER, '\0'));
        } catch (const StorageError &) {
        }
        throw;
    }
    m_position += record.size();
    ++m_sequence;
    m_written = true;
}

void Journal::clear() {
    restart();
    append(encode(Commit{}));
    m_written = false;
}
