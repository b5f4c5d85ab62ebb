#include "exchange/codelistimport.h"

#include "exchange/busyguard.h"
#include "exchange/codelist.h"
#include "exchange/dialogfolder.h"
#include "model/district.h"
#include "model/services.h"
#include "store/datamodule.h"

#include <QDir>

namespace {

void importCodeList(District &district, Table &table, const QString &list) {
    Services &services = district.services();
    // A file name after the folder is the dialog's proposed name.
    const std::optional<QString> chosen =
        services.openFileName(QStringLiteral("Import číselníka ") + list,
                              QDir(initialDialogFolder()).filePath(list + QStringLiteral(".TXT")), QString());
    if (!chosen)
        return;
    BusyOffOnError busyOff(services);
    services.pracujem(QStringLiteral("Importujem číselník ") + list);
    importCodeListFile(table, *chosen);
    services.pracujem(QStringLiteral("off"));
}

} // namespace

void import_ciselnikov_obecsr(District &district) {
    importCodeList(district, district.data().TVQ_OBCE(), QStringLiteral("OBCE06"));
}

void import_ciselnikov_koal06(District &district) {
    importCodeList(district, district.data().TVQ_KOAL(), QStringLiteral("KOAL06"));
}
