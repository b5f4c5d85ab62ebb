#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace centre {

struct ArchivePath {
    QString path;  // absolute
    QString shown; // as the user named it, or the folder named followed by the way down to it
};

// The archives that name one district: the district program names an archive "VQ" + OBEC + "." +
// OKRSOK, and reads it only under that name, so two archives of one district share the name after "VQ"
// (up to leading zeros of the numbers, which the same district could be written with).
struct ArchiveGroup {
    QString obec;   // the district the names give, as numbers without leading zeros; empty when the name
    QString okrsok; // after "VQ" is no "OBEC.OKRSOK" in digits (each such archive is a group of its own)
    std::vector<ArchivePath> archives;
};

// The archives named: files as they are, folders walked down for files named "VQ" + name + "." + one to
// three characters (in any letter case). Grouped by district, in the order of municipality and district
// number. InputOutputError, in Slovak, for a path that does not exist or a folder that cannot be read.
std::vector<ArchiveGroup> collectArchives(const QStringList &paths);

} // namespace centre
