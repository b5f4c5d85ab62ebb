#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Places a file into a folder so that the name shows either its old content or the complete new one.
namespace durable {

// A step on the way failed; code is the operating system's error number.
struct WriteFailure {
    int code;
};

// The content was written and read back, but the copy on disk is not what was meant.
struct VerifyFailure {};

// Writes the bytes to a temporary file in the folder, syncs it, reads it back from the file and hands
// that to verify; only when verify accepts it is the file renamed over folder/name and the folder
// synced. On any failure the temporary file is removed and folder/name is left as it was. Throws
// WriteFailure or VerifyFailure. Every file call passes the store's file system seam.
void writeFile(const QString &folder, const QString &name, const QByteArray &bytes,
               const std::function<bool(const QByteArray &)> &verify);

} // namespace durable
