#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace centre {

// The two files of an export archive, named as the district program's import names them: the archive's
// name without its first two characters ("VQ"), after "s" and "p".
struct ArchiveContent {
    QString sName;
    QString pName;
    QByteArray sFile;
    QByteArray pFile;
    QByteArray digest; // of both files' content: two archives of one district hold the same or not
};

// The archive file, opened with the program's password by the import's own rules (no member in the
// clear, no name twice, no file over 16 MiB). What is wrong with it is one Slovak line.
std::variant<ArchiveContent, QString> openArchive(const QString &path);

} // namespace centre
