#include "exchange/recordcheck.h"

#include "exchange/tkc.h"
#include "model/services.h"

bool kontrola_TKC(Services &services, QByteArrayView line) {
    const RecordCheck check = checkRecordLine(line);
    if (check.passed())
        return true;
    if (check.hasTkcField)
        services.zobraz_spravu(check.mismatchMessage(), Services::Information, Services::OK);
    return false;
}
