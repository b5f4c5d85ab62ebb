#include "exchange/codelistimport.h"

#include "exchange/busyguard.h"
#include "exchange/codelist.h"
#include "exchange/dialogfolder.h"
#include "model/district.h"
#include "model/progress.h"
#include "store/datamodule.h"

namespace {

void importCodeList(District &district, Table &table, const QString &list, const QString &chosen) {
    Progress &progress = district.progress();
    BusyOffOnError busyOff(progress);
    progress.pracujem(QStringLiteral("Importujem číselník ") + list);
    importCodeListFile(table, chosen);
    progress.pracujem(QStringLiteral("off"));
}

} // namespace

FileQuestion codeListQuestion(const QString &list) {
    return {QStringLiteral("Import číselníka ") + list, initialDialogFolder(), list + QStringLiteral(".TXT")};
}

void import_ciselnikov_obecsr(District &district, const QString &chosen) {
    importCodeList(district, district.data().TVQ_OBCE(), QStringLiteral("OBCE06"), chosen);
}

void import_ciselnikov_koal06(District &district, const QString &chosen) {
    importCodeList(district, district.data().TVQ_KOAL(), QStringLiteral("KOAL06"), chosen);
}
