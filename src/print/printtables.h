#pragma once

#include <QString>

class DataModule;

// The print tables: copies of the protocol and the attachments in the form the report templates print
// them (a figure of 0 as a dash, the attachments split in two tables, the names looked up).

// A value copied under the dash rule: exactly "0" becomes "-", anything else (the empty text too) stays.
QString dashRule(const QString &value);

// S1_TLAC becomes one record: every field of the S1 record, position by position, under the dash rule.
void fillProtocolPrintTable(DataModule &data);

// P1_TALC_1-50 and P1_TLAC_51-150 become one row per attachment of P1, in table order: identification,
// VPH and the candidates under the dash rule, the control sums and KON unchanged, PRILOHAC "/n",
// NAZOVOBCE from TEMP_TLAC, MENOPSTR from KOAL06 ("-" for a party missing there).
// Each table is replaced as a whole; P1 and KOAL06 keep their current record.
void fillAttachmentPrintTables(DataModule &data);
