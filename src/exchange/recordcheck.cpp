#include "exchange/recordcheck.h"

#include "exchange/tkc.h"
#include "model/outcome.h"

bool kontrola_TKC(Outcome &outcome, QByteArrayView line) {
    const RecordCheck check = checkRecordLine(line);
    if (check.passed())
        return true;
    if (check.hasTkcField)
        outcome.information(check.mismatchMessage());
    return false;
}
