#pragma once

#include "model/outcome.h"

class District;

// TabSheet2Exit in the window's order: first the check shown at once (partyPageCheck: K09), then the
// regeneration (TabSheet2Exit: busy "Aktualizujem prílohy ...", GeneratingP1, busy "off"), whose message
// it returns.
[[nodiscard]] Outcome partyPageCheck(District &district);
[[nodiscard]] Outcome TabSheet2Exit(District &district);
// PageControl1Change after a page change made by the user, with the index of the page now current:
// boldnutT12; sKC3 unless it is 1; focus into pVPH for 2; KompletnaKontrola for 4.
[[nodiscard]] Outcome PageControl1Change(District &district, int pageIndex);
