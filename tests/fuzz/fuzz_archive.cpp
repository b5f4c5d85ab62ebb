// The unpacking of an export archive: any bytes either give the two members or are refused with
// ArchiveError, within the size limit, without a leak; the members it gives pack again into an archive
// that gives the same members.
#include "exchange/archive.h"
#include "exchange/password.h"
#include "fuzz/fuzzcheck.h"

#include <cstddef>
#include <cstdint>

namespace {

const QStringList kNames{QStringLiteral("S500011.1"), QStringLiteral("P500011.1")};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString password = heslo_zip();
    const QByteArray zip(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<std::optional<QByteArray>> members;
    try {
        members = archive::unpack(zip, password, kNames);
    } catch (const archive::ArchiveError &) {
        return 0;
    }
    FUZZ_REQUIRE(members.size() == kNames.size());
    QList<archive::Member> found;
    for (qsizetype k = 0; k < members.size(); ++k) {
        if (members[k]) {
            FUZZ_REQUIRE(members[k]->size() <= archive::MAX_MEMBER_SIZE);
            found.append({kNames[k], *members[k]});
        }
    }
    if (!found.isEmpty()) // libzip writes no archive without a member
        FUZZ_REQUIRE(archive::unpack(archive::pack(found, password), password, kNames) == members);
    return 0;
}
