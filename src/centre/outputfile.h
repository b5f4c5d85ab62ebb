#pragma once

#include <QByteArray>
#include <QString>

namespace centre {

// Writes a file of the centre's output so that its name shows either the old content or the whole new
// one: a temporary file beside it, synced, read back and compared, renamed, the folder synced.
// InputOutputError, in Slovak, naming the file and the cause.
void writeOutputFile(const QString &path, const QByteArray &bytes);

} // namespace centre
