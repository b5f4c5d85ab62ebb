#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <functional>

class DataModule;
class Table;

// What a report template sees: named connections, each a list of rows, each row the fields of one
// record as name and value pairs in the table's field order.
using ReportRow = QList<QPair<QString, QString>>;
using ReportConnection = QList<ReportRow>;
using ReportData = QMap<QString, ReportConnection>;

// The connections to the print and protocol tables:
//   RvTS1         S1_TLAC
//   RvTP1_TLAC1   P1_TALC_1-50
//   RvTP1_TLAC2   P1_TLAC_51-150
//   RvTEMPTLAC    TEMP_TLAC
//   RvTProtokol1  chyb_prot
//   RvProtokol2   chyb_prot_medzitab
// and one of our own:
//   PartyVotes    one row per ballot number in use (1 .. 21): KON, NKO (the full name from KOAL06, "-"
//                 when KOAL06 has none) and PPHPS (the party's votes in S1_TLAC), so that the protocol
//                 prints every party with its name and votes
// Every row carries one more value, RECNO: the record's number from 1, for numbered lists.
ReportData readReportConnections(DataModule &data);

// Full party names by ballot number (KON text): the first KOAL06 record of each number counts.
QHash<QString, QString> partyNamesByNumber(Table &koal);

// Visits every record of a table in file order with its number from 1, then puts the current
// record back where it stood, so that controls bound to the table keep showing the same record.
void forEachRecord(Table &table, const std::function<void(int number)> &visit);
