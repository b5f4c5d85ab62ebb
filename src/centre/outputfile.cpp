#include "centre/outputfile.h"

#include "exchange/durablefile.h"
#include "store/disk.h"
#include "store/errors.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace centre {

void writeOutputFile(const QString &path, const QByteArray &bytes) {
    const QFileInfo file(path);
    int code = 0;
    try {
        durable::writeFile(file.absolutePath(), file.fileName(), bytes,
                           [&bytes](const QByteArray &written) { return written == bytes; });
    } catch (const durable::WriteFailure &f) {
        code = f.code;
    } catch (const durable::VerifyFailure &) {
        code = EIO; // read back other than written: the medium failed
    }
    if (code != 0)
        throw InputOutputError(
            u"Súbor %1 sa nepodarilo zapísať: %2"_s.arg(QDir::toNativeSeparators(path), disk::errorText(code)));
}

} // namespace centre
