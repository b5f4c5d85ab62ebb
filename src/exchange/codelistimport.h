#pragma once

class District;

// The imports of the two code lists from their text files (page "CISELNIKY"): the open dialog with the
// list's title and proposed name, then the whole table replaced by the file's lines. Cancelling changes
// nothing; a file that cannot be read keeps the old table and switches the busy window off.

// Button4Click: "OBCE06.TXT" into OBCE06.
void import_ciselnikov_obecsr(District &district);
// Button5Click: "KOAL06.TXT" into KOAL06.
void import_ciselnikov_koal06(District &district);
