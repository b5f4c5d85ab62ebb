#pragma once

class District;

// TabSheet2Exit: K09 shown at once, busy "Aktualizujem prílohy ...", GeneratingP1, busy "off".
void TabSheet2Exit(District &district);
// PageControl1Change after a page change made by the user, with the index of the page now current:
// boldnutT12; sKC3 unless it is 1; focus into pVPH for 2; KompletnaKontrola for 4.
void PageControl1Change(District &district, int pageIndex);
