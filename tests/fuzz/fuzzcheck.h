#pragma once

#include "store/codec.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: a failed property ends the run as a crash, so that libFuzzer keeps the
// input; the text a table gives back for a value written into it; a fast folder for the tables.

#define FUZZ_REQUIRE(condition)                                                                                        \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace fuzz {

// The text a field of that width reads after the Windows-1250 bytes of a value were written into it: a
// byte the code page leaves undefined becomes "?", a control character a blank, the value is cut to the
// width, and trailing blanks are not read back.
inline QString storedText(QByteArrayView value, int width) {
    QByteArray bytes = value.toByteArray().left(width);
    for (char &b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (!cp1250::isDefined(u))
            b = '?';
        else if (u < 0x20 || u == 0x7F)
            b = ' ';
    }
    while (bytes.endsWith(' '))
        bytes.chop(1);
    return cp1250::decode(bytes);
}

// Temporary folders on tmpfs where there is one: a sync there costs nothing, so a target that writes
// tables runs hundreds of times faster than on disk. Call before the first QTemporaryDir.
inline void useMemoryTempFolder() {
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
}

// The built installation's data folder (its path given by the build).
inline QString installedData() {
    return QDir(QStringLiteral(VOLBY_DIST)).filePath(QStringLiteral("data"));
}

} // namespace fuzz
