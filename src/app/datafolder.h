#pragma once

#include <QString>

// Where the program finds what it ships (reporty/ and the tables of data/) and where it keeps the tables
// it writes.
struct Installation {
    QString folder; // holds reporty/ and the shipped data/
    bool beside;    // the program's own folder (a folder copied as it is, such as build/dist)
};

// The program's own folder when reporty/ lies beside the program; otherwise the folder an installed
// package lays out (relative to the program's folder: ../share/volby under the usual prefix).
Installation findInstallation(const QString &programFolder, const QString &installedRelative);

// The folder of the tables to open. The shipped tables themselves when they lie beside the program and
// can be written; otherwise the user's own copy, userFolder/data, which the first start copies from the
// shipped ones: file by file into a folder of its own, each file synced, then renamed into place, so
// that an interrupted copy is never taken for a complete one. A copy that exists is kept as it is.
// InputOutputError when the copy cannot be made.
QString prepareDataFolder(const Installation &installation, const QString &userFolder);
