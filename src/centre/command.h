#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace centre {

struct ArchiveResult;

// Where the command runs.
struct Environment {
    QString installationFolder; // holds reporty/ and the shipped data/ with the code lists
    std::FILE *out = stdout;
    std::FILE *err = stderr;
    bool terminal = false; // out is a terminal: the progress of long runs is shown there
    // Hears every archive of overit and suhrn as its line is printed (the benchmark reads its times).
    std::function<void(const ArchiveResult &)> archiveDone;
};

// The command line of volby-centrum (its arguments without the program's name): overit, suhrn, tlac
// or obnov. Runs it and returns the exit code: 0 when everything asked succeeded, 1 when anything
// failed (an archive refused or with errors, a file not written), 2 for a command line it does not
// understand. The working folder becomes the installation folder, as for the district program, so that
// the report templates are found; paths on the command line are taken from the folder it started in.
int runCommand(const QStringList &arguments, const Environment &environment);

} // namespace centre
