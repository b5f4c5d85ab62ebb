#pragma once

class District;
class Table;
struct Memo;

// The complete check: every check in protocol mode, the two error protocols (memos and tables),
// Bezchybnost, and the refresh of the attachment pages for the first attachment.
void KompletnaKontrola(District &district);

// Replaces the rows of an error-protocol table (chyb_prot, chyb_prot_medzitab) by the memo's lines, as
// one step: one row per line longer than its code, KOD_CHYBY the first three characters, CH_OZNAM the
// rest from the fifth character on, cut to the field's width. A failure leaves the previous rows.
void storeProtocolTable(Table &table, const Memo &memo);
