#include "checks/municipality.h"

#include "checks/report.h"
#include "model/district.h"
#include "model/services.h"
#include "store/datamodule.h"
#include "store/table.h"

namespace {

// TEMP_TLAC holds one record: edit inserts it when the table is empty.
void setTempTlacName(District &district, const QString &name) {
    Table &temp = district.data().TTEMPTLAC();
    temp.edit();
    temp.setText(QStringLiteral("NOBEC"), name);
    temp.post();
}

} // namespace

bool locateMunicipality(District &district, const QString &obec) {
    Table &obce = district.data().TVQ_OBCE();
    obce.first();
    return obce.locate(QStringLiteral("OBEC"), obec);
}

bool checkMunicipality(District &district, int mode, const QString &obec, const QString &focusControl) {
    if (locateMunicipality(district, obec)) {
        setTempTlacName(district, district.data().TVQ_OBCE().text(QStringLiteral("NOBEC")));
        return true;
    }
    if (reportInMode(district, mode, District::protokol1(), QStringLiteral("K02 Chybný kód obce, zaz. = ") + obec) &&
        !focusControl.isEmpty())
        district.services().focus(focusControl);
    setTempTlacName(district, QString());
    return false;
}

QString k03Message(const QString &okrsok, const QString &pocoks) {
    return QStringLiteral("K03 Chybné číslo volebného okrsku, zaz. = ") + okrsok +
           QStringLiteral(" , počet vol. okrskov v obci = ") + pocoks;
}
