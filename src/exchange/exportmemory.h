#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

class District;

// What the export remembers: one line per successful export in data/exporty.log, so that the commission
// can write the archive's digest on the paper protocol and the counting centre can compare it with the
// archive it receives; and through it the folder its save dialog wrote to last.

// The folder the export's save dialog opens in: the one the log of that data folder records last while
// it still exists, else initialDialogFolder().
QString exportDialogFolder(const QString &dataFolder);

// A line of data/exporty.log (UTF-8, fields separated by tabs, in this order).
struct ExportRecord {
    QDateTime time; // local time with its offset from UTC
    QString name;   // the archive's name
    QString path;   // the full path of the copy handed on
    qint64 size = 0;
    QByteArray sha256;     // of the archive's bytes, 64 lower-case hex digits
    QString kc1, kc2, kc3; // the protocol's control sums

    QByteArray line() const;
    static std::optional<ExportRecord> parse(const QByteArray &line);
};

// Records the archive just placed at path (its bytes): appends its line to exporty.log in the
// district's data folder, as one action of the store. Empty when it succeeded, else the Slovak text of
// what failed (the archive itself stays exported).
QString recordExport(District &district, const QString &path, const QByteArray &archive);

// The last export the log of that data folder records; nothing when it records none. A log that cannot
// be read raises InputOutputError.
std::optional<ExportRecord> lastExport(const QString &dataFolder);
