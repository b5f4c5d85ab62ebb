#include "checks/report.h"

#include "model/services.h"

bool reportInMode(District &district, int mode, Memo District::*memo, const QString &text) {
    if (mode == 1) {
        district.services().messageBox(text);
        return true;
    }
    if (mode == 0) {
        district.appendLine(memo, text);
        district.appendLine(memo, QString());
    }
    return false;
}
