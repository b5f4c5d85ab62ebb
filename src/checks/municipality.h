#pragma once

#include "checks/finding.h"
#include "checks/report.h"

#include <QString>

#include <optional>

class District;

// The OBCE06 record of a municipality, as stored texts.
struct Municipality {
    QString obvod;
    QString name;   // NOBEC
    QString pocoks; // its number of polling districts
};

// The municipality checks of both forms look the code up the same way: the first OBCE06 record, in
// table order, whose OBEC equals the text exactly. OBCE06 then stands on that record.
std::optional<Municipality> findMunicipality(District &district, const QString &obec);

// K02 of either form: the code is not in the code list. The protocol sends the user back to its box.
std::optional<Finding> K02(const QString &obec, const std::optional<Municipality> &found, std::optional<FormBox> box);
// The K03 message of either form.
QString k03Message(const QString &okrsok, const QString &pocoks);

// The lookup with K02 and the refresh of TEMP_TLAC.NOBEC, in the forms' order: the name found is stored
// before the caller compares anything further, an unknown code is reported before the name is cleared.
std::optional<Municipality> checkMunicipalityCode(District &district, const QString &obec, std::optional<FormBox> box,
                                                  const Report &to);
