#include "checks/municipality.h"

#include "model/district.h"
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

std::optional<Municipality> findMunicipality(District &district, const QString &obec) {
    Table &obce = district.data().TVQ_OBCE();
    obce.first();
    if (!obce.locate(QStringLiteral("OBEC"), obec))
        return std::nullopt;
    return Municipality{obce.text(QStringLiteral("OBVOD")), obce.text(QStringLiteral("NOBEC")),
                        obce.text(QStringLiteral("POCOKS"))};
}

std::optional<Finding> K02(const QString &obec, const std::optional<Municipality> &found, std::optional<FormBox> box) {
    if (found)
        return std::nullopt;
    return Finding{QStringLiteral("K02"), QStringLiteral("K02 Chybný kód obce, zaz. = ") + obec, box};
}

QString k03Message(const QString &okrsok, const QString &pocoks) {
    return QStringLiteral("K03 Chybné číslo volebného okrsku, zaz. = ") + okrsok +
           QStringLiteral(" , počet vol. okrskov v obci = ") + pocoks;
}

std::optional<Municipality> checkMunicipalityCode(District &district, const QString &obec, std::optional<FormBox> box,
                                                  const Report &to) {
    const std::optional<Municipality> found = findMunicipality(district, obec);
    if (found) {
        setTempTlacName(district, found->name);
        return found;
    }
    report(to, K02(obec, found, box));
    setTempTlacName(district, QString());
    return std::nullopt;
}
