#pragma once

#include <QString>

#include <vector>

// One character field of a table file: its name and width in bytes.
struct FieldDef {
    QString name;
    int width;
};

// The fixed layout of one table file: file name in data/, the table object's name and the fields in order.
struct TableSchema {
    QString fileName;
    QString objectName;
    std::vector<FieldDef> fields;
    // The file is laid out by the first commit that writes the table; until then the table is empty.
    bool createdWhenFirstWritten = false;

    int indexOf(const QString &field) const; // -1 when the table has no such field
};

// The twelve tables of the installation.
namespace schemas {
const TableSchema &S1();
const TableSchema &P1();
const TableSchema &OBCE06();
const TableSchema &STRANY06();
const TableSchema &KOAL06();
const TableSchema &P1_TALC_1_50();
const TableSchema &P1_TLAC_51_150();
const TableSchema &TEMP_TLAC();
const TableSchema &chyb_prot();
const TableSchema &chyb_prot_medzitab();
const TableSchema &S1_TLAC();
const TableSchema &P1_temp();

const std::vector<const TableSchema *> &all();

// Attachments set aside: the keyed attachment of a party whose votes went back to zero, kept until the
// party has votes again (P1's layout). Not one of the twelve: older installations lack its file.
const TableSchema &P1_odlozene();

// Positions used by the entry pages, the sums and the exchange files.
constexpr int S1_PPHPS1 = 9; // PPHPS<n> stands at n + 8
constexpr int S1_KC1 = 35;
constexpr int P1_KON = 4;
constexpr int P1_VPH = 5;
constexpr int P1_K1 = 6; // K<n> stands at n + 5
constexpr int P1_KC1 = 156;
} // namespace schemas
