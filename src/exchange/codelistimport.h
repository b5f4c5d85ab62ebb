#pragma once

#include "model/outcome.h"

#include <QString>

class District;

// The imports of the two code lists from their text files (page "CISELNIKY"): the window asks the open
// dialog (codeListQuestion: the list's title and proposed name), then the whole table is replaced by the
// chosen file's lines. Cancelling changes nothing; a file that cannot be read keeps the old table and
// switches the busy window off.

// The open dialog of the list "OBCE06" or "KOAL06".
FileQuestion codeListQuestion(const QString &list);

// Button4Click: "OBCE06.TXT" into OBCE06.
void import_ciselnikov_obecsr(District &district, const QString &chosen);
// Button5Click: "KOAL06.TXT" into KOAL06.
void import_ciselnikov_koal06(District &district, const QString &chosen);
