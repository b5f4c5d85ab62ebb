#include "store/schema.h"
#include "store/form.h"

namespace {

using Fields = std::vector<FieldDef>;

void addNumbered(Fields &fields, const QString &prefix, int from, int to, int width) {
    for (int n = from; n <= to; ++n)
        fields.push_back({prefix + QString::number(n), width});
}

Fields protocolFields() {
    Fields f = {{"TYPV", 1}, {"OBVOD", 3},     {"OBEC", 6}, {"OKRSOK", 3}, {"POZZV", 7},
                {"PVO", 7},  {"POO_POSTA", 7}, {"POO", 7},  {"PPHS", 7}};
    addNumbered(f, "PPHPS", 1, form::partyFields, 7);
    addNumbered(f, "KC", 1, 3, 15);
    f.insert(f.end(),
             {{"KTO", 48}, {"KEDY", 10}, {"DATUM", 10}, {"CAS", 8}, {"STAV", 1}, {"KCT", 15}, {"OKOLNOSTI", 250}});
    return f;
}

Fields attachmentFields() {
    Fields f = {{"TYPV", 1}, {"OBVOD", 3}, {"OBEC", 6}, {"OKRSOK", 3}, {"KON", 3}, {"VPH", 7}};
    addNumbered(f, "K", 1, form::candidates, 7);
    addNumbered(f, "KC", 1, 5, 15);
    f.insert(f.end(), {{"STAV", 1}, {"KCT", 15}});
    return f;
}

Fields printFirstFields() {
    Fields f = {{"TYPV", 1}, {"OBVOD", 3}, {"OBEC", 6}, {"OKRSOK", 3}, {"KON", 3}, {"VPH", 7}};
    addNumbered(f, "K", 1, form::candidatesOnFirstPage, 7);
    addNumbered(f, "KC", 1, 3, 15);
    f.insert(f.end(), {{"PRILOHAC", 4}, {"NAZOVOBCE", 150}, {"MENOPSTR", 150}});
    return f;
}

Fields printSecondFields() {
    Fields f;
    addNumbered(f, "K", form::candidatesOnFirstPage + 1, form::candidates, 7);
    addNumbered(f, "KC", 4, 5, 15);
    f.push_back({"KON", 2});
    return f;
}

Fields protocolLineFields() {
    return {{"KOD_CHYBY", 3}, {"CH_OZNAM", 250}};
}

} // namespace

int TableSchema::indexOf(const QString &field) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == field)
            return int(i);
    return -1;
}

namespace schemas {

#define VOLBY_SCHEMA(fn, file, object, fields)                                                                         \
    const TableSchema &fn() {                                                                                          \
        static const TableSchema s{file, object, fields};                                                              \
        return s;                                                                                                      \
    }

VOLBY_SCHEMA(S1, "S1.DBF", "TS1", protocolFields())
VOLBY_SCHEMA(P1, "P1.DBF", "TP1", attachmentFields())
VOLBY_SCHEMA(
    OBCE06, "OBCE06.DBF", "TVQ_OBCE",
    (Fields{
        {"OKR", 3}, {"OBVOD", 3}, {"OBEC", 6}, {"NOBEC", 50}, {"KRAJ", 1}, {"MESTO", 1}, {"POCOKS", 3}, {"KC", 15}}))
VOLBY_SCHEMA(STRANY06, "STRANY06.dbf", "TVQ_STRANY", (Fields{{"PS", 3}, {"NPS", 150}, {"SKPS", 25}, {"KC", 15}}))
VOLBY_SCHEMA(KOAL06, "KOAL06.DBF", "TVQ_KOAL",
             (Fields{{"F_KON", 2},
                     {"KON", 2},
                     {"KO", 2},
                     {"KPS", 60},
                     {"NKO", 200},
                     {"SNKO", 60},
                     {"POCKAN", 3},
                     {"PLATNOST", 1},
                     {"KC", 15}}))
VOLBY_SCHEMA(P1_TALC_1_50, "P1_TALC_1-50.DBF", "TP1_TLAC1", printFirstFields())
VOLBY_SCHEMA(P1_TLAC_51_150, "P1_TLAC_51-150.DBF", "TP1_TLAC2", printSecondFields())
VOLBY_SCHEMA(TEMP_TLAC, "TEMP_TLAC.DBF", "TTEMPTLAC", (Fields{{"NOBEC", 50}}))
VOLBY_SCHEMA(chyb_prot, "chyb_prot.DBF", "TProtokol1", protocolLineFields())
VOLBY_SCHEMA(chyb_prot_medzitab, "chyb_prot_medzitab.dbf", "TProtokol2", protocolLineFields())
VOLBY_SCHEMA(S1_TLAC, "S1_TLAC.DBF", "TS1_TLAC", protocolFields())
VOLBY_SCHEMA(P1_temp, "P1_temp.DBF", "TP1_TEMP", attachmentFields())

#undef VOLBY_SCHEMA

const TableSchema &P1_odlozene() {
    static const TableSchema s{"P1_odlozene.DBF", "TP1_ODLOZ", attachmentFields(), true};
    return s;
}

const std::vector<const TableSchema *> &all() {
    static const std::vector<const TableSchema *> list = {&S1(),
                                                          &P1(),
                                                          &OBCE06(),
                                                          &STRANY06(),
                                                          &KOAL06(),
                                                          &P1_TALC_1_50(),
                                                          &P1_TLAC_51_150(),
                                                          &TEMP_TLAC(),
                                                          &chyb_prot(),
                                                          &chyb_prot_medzitab(),
                                                          &S1_TLAC(),
                                                          &P1_temp()};
    return list;
}

} // namespace schemas
