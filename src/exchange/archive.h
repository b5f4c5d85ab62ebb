#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

// The export archive: a ZIP archive whose members are encrypted with the traditional PKWARE method,
// built and read in memory by the ZIP module (src/archive), which the first call loads.
namespace archive {

struct Member {
    QString name;
    QByteArray content;
};

// The archive could not be built, or not be read: not a ZIP archive, a wrong password, a damaged or
// oversized member, or no ZIP module to be loaded. The text is libzip's or the loader's, for diagnosis; the
// user sees the import's own messages.
class ArchiveError : public std::runtime_error {
public:
    // What is wrong, for a reader that names it to the user; Damaged for everything else.
    enum class Fault { Damaged, NotZip, WrongPassword, NotEncrypted, DuplicateName, TooLarge };
    explicit ArchiveError(const std::string &what, Fault fault = Fault::Damaged)
        : std::runtime_error(what), m_fault(fault) {}
    Fault fault() const { return m_fault; }

private:
    Fault m_fault;
};

// No export comes near these; a larger archive file is refused before it is read, a larger member
// rather than inflated into memory.
constexpr qint64 MAX_ARCHIVE_SIZE = 16 * 1024 * 1024;
constexpr qint64 MAX_MEMBER_SIZE = 16 * 1024 * 1024;

// The archive holding the members in the given order, each deflated and encrypted with the password. At
// least one member: libzip writes no archive without one.
QByteArray pack(const QList<Member> &members, const QString &password);

// The content of each named member, found by its name without regard to letter case; nullopt for a
// name that the archive lacks. ArchiveError when the data is no ZIP archive, holds what pack() never
// writes (a member not encrypted by the traditional method, two members whose names differ at most in
// letter case), or when a member asked for cannot be decrypted with the password, fails its CRC or
// exceeds MAX_MEMBER_SIZE.
QList<std::optional<QByteArray>> unpack(const QByteArray &zip, const QString &password, const QStringList &names);

} // namespace archive
