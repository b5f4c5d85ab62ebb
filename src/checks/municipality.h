#pragma once

#include <QString>

class District;

// The municipality checks of both forms look the code up the same way: the first OBCE06 record, in
// table order, whose OBEC equals the text exactly. True when found; OBCE06 then stands on that record.
bool locateMunicipality(District &district, const QString &obec);

// K02 of either form on the OBEC text of the form's record, with the refresh of TEMP_TLAC.NOBEC in
// every mode (the name found, or empty). When the message box was shown, the focus goes to
// focusControl (none when empty). True when the municipality was found.
bool checkMunicipality(District &district, int mode, const QString &obec, const QString &focusControl);

// The K03 message of either form.
QString k03Message(const QString &okrsok, const QString &pocoks);
