#pragma once

class District;
class Services;

// The exchange operations as the window runs them: the file dialog each one asks, the operation with
// the answer, and its messages shown. Cancelling a dialog changes nothing.

// The EXPORT button: the complete check up to the save dialog, then the archive placed where chosen.
void exportDistrict(District &district, Services &services);
// The IMPORT button: the open dialog, then the archive's import.
void importArchive(District &district, Services &services);

enum class CodeList { Municipalities, Parties };
// Button4 (OBCE06) and Button5 (KOAL06): the open dialog, then the list's import.
void importCodeList(District &district, Services &services, CodeList list);
