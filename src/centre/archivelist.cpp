#include "centre/archivelist.h"

#include "store/disk.h"
#include "store/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <map>
#include <tuple>

using namespace Qt::StringLiterals;

namespace centre {

namespace {

bool isArchiveName(const QString &name) {
    static const QRegularExpression pattern(u"^VQ[^.]*\\.[^.]{1,3}$"_s, QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

[[noreturn]] void unreadable(const QString &shown, int code) {
    throw InputOutputError(u"Priečinok %1 sa nedá čítať: %2"_s.arg(shown, disk::errorText(code)));
}

// The entries of a folder; a folder that cannot be listed to its end is an error, not fewer archives.
QStringList entries(const QString &folder, const QString &shown) {
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        unreadable(shown, errno);
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        const QString name = QFile::decodeName(entry->d_name);
        if (name != u"."_s && name != u".."_s)
            names.append(name);
    }
    const int code = errno;
    ::closedir(dir);
    if (code != 0)
        unreadable(shown, code);
    return names;
}

// Folders reached through a link are not followed: a link back up would never end.
void walk(const QString &folder, const QString &shown, std::vector<ArchivePath> &found) {
    QStringList names = entries(folder, shown);
    names.sort();
    for (const QString &name : names) {
        const QFileInfo info(QDir(folder).filePath(name));
        const QString shownPath = QDir(shown).filePath(name);
        if (info.isDir() && !info.isSymLink())
            walk(info.filePath(), shownPath, found);
        else if (info.isFile() && isArchiveName(name))
            found.push_back({info.absoluteFilePath(), shownPath});
    }
}

// Groups in the order of municipality and district number; names that give none after them, by name.
using GroupKey = std::tuple<bool, qint64, qint64, QString>;

GroupKey keyOf(const QString &path) {
    const QString suffix = QFileInfo(path).fileName().mid(2);
    static const QRegularExpression district(u"^([0-9]{1,9})\\.([0-9]{1,9})$"_s);
    const QRegularExpressionMatch match = district.match(suffix);
    if (!match.hasMatch())
        return {true, 0, 0, path};
    return {false, match.captured(1).toLongLong(), match.captured(2).toLongLong(), QString()};
}

} // namespace

std::vector<ArchiveGroup> collectArchives(const QStringList &paths) {
    std::vector<ArchivePath> found;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            walk(info.absoluteFilePath(), path, found);
        else if (info.exists())
            found.push_back({info.absoluteFilePath(), path});
        else
            throw InputOutputError(u"Súbor ani priečinok %1 neexistuje."_s.arg(path));
    }

    std::map<GroupKey, ArchiveGroup> groups;
    for (ArchivePath &archive : found) {
        const GroupKey key = keyOf(archive.path);
        ArchiveGroup &group = groups[key];
        if (!std::get<0>(key)) {
            group.obec = QString::number(std::get<1>(key));
            group.okrsok = QString::number(std::get<2>(key));
        }
        // The same file named twice (a folder and a file in it) is one archive.
        const bool known = std::any_of(group.archives.begin(), group.archives.end(),
                                       [&](const ArchivePath &a) { return a.path == archive.path; });
        if (!known)
            group.archives.push_back(std::move(archive));
    }
    std::vector<ArchiveGroup> sorted;
    sorted.reserve(groups.size());
    for (auto &[key, group] : groups)
        sorted.push_back(std::move(group));
    return sorted;
}

} // namespace centre
