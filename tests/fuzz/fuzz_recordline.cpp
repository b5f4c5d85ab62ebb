// The record line of the exchange files and its TKC: the check takes any bytes, shows the mismatch
// message exactly when a line with a TKC field fails, and a line it accepts cuts into values that,
// written again, give the same covered part with the canonical TKC, which the check accepts with the same
// values.
#include "exchange/exchangelines.h"
#include "exchange/recordcheck.h"
#include "exchange/tkc.h"
#include "fuzz/fuzzcheck.h"
#include "model/outcome.h"
#include "support/recordline.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray line(reinterpret_cast<const char *>(data), qsizetype(size));
    const RecordCheck check = checkRecordLine(line);
    Outcome shown;
    const bool accepted = kontrola_TKC(shown, line);
    FUZZ_REQUIRE(accepted == check.passed());
    FUZZ_REQUIRE(shown.steps().size() == (!accepted && check.hasTkcField ? 1 : 0));
    if (!accepted)
        return 0;

    const QList<QByteArrayView> values = exchange::cutRecordLine(line);
    QByteArray covered;
    QStringList texts;
    bool carriedByTheCodec = true;
    for (const QByteArrayView value : values) {
        FUZZ_REQUIRE(!value.contains('|'));
        covered += value;
        covered += '|';
        texts.append(cp1250::decode(value.toByteArray()));
        carriedByTheCodec = carriedByTheCodec && cp1250::encode(texts.last()) == value;
    }
    FUZZ_REQUIRE(covered == line.first(check.coveredLength));
    if (!carriedByTheCodec) // an undefined byte cannot be written again as it was
        return 0;
    const QByteArray again = recordLine(texts);
    FUZZ_REQUIRE(again == covered + QByteArray::number(check.computed) + '|');
    FUZZ_REQUIRE(checkRecordLine(again).passed());
    FUZZ_REQUIRE(exchange::cutRecordLine(again) == values);
    return 0;
}
