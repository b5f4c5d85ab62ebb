#!/usr/bin/python3
"""Reads the installation's twelve tables with an independent dBase reader and checks their layout
(file names, field names, types, widths and order), the code lists against their text files, and the
district in the state a wipe leaves."""
import os
import sys

import dbf

data, lists = sys.argv[1], sys.argv[2]


def numbered(prefix, first, last, width):
    return [(f"{prefix}{n}", width) for n in range(first, last + 1)]


protocol = ([("TYPV", 1), ("OBVOD", 3), ("OBEC", 6), ("OKRSOK", 3), ("POZZV", 7), ("PVO", 7),
             ("POO_POSTA", 7), ("POO", 7), ("PPHS", 7)] + numbered("PPHPS", 1, 26, 7) + numbered("KC", 1, 3, 15)
            + [("KTO", 48), ("KEDY", 10), ("DATUM", 10), ("CAS", 8), ("STAV", 1), ("KCT", 15), ("OKOLNOSTI", 250)])
attachment = ([("TYPV", 1), ("OBVOD", 3), ("OBEC", 6), ("OKRSOK", 3), ("KON", 3), ("VPH", 7)]
              + numbered("K", 1, 150, 7) + numbered("KC", 1, 5, 15) + [("STAV", 1), ("KCT", 15)])
lines = [("KOD_CHYBY", 3), ("CH_OZNAM", 250)]
layouts = {
    "S1.DBF": protocol,
    "P1.DBF": attachment,
    "OBCE06.DBF": [("OKR", 3), ("OBVOD", 3), ("OBEC", 6), ("NOBEC", 50), ("KRAJ", 1), ("MESTO", 1),
                   ("POCOKS", 3), ("KC", 15)],
    "STRANY06.dbf": [("PS", 3), ("NPS", 150), ("SKPS", 25), ("KC", 15)],
    "KOAL06.DBF": [("F_KON", 2), ("KON", 2), ("KO", 2), ("KPS", 60), ("NKO", 200), ("SNKO", 60), ("POCKAN", 3),
                   ("PLATNOST", 1), ("KC", 15)],
    "P1_TALC_1-50.DBF": ([("TYPV", 1), ("OBVOD", 3), ("OBEC", 6), ("OKRSOK", 3), ("KON", 3), ("VPH", 7)]
                         + numbered("K", 1, 50, 7) + numbered("KC", 1, 3, 15)
                         + [("PRILOHAC", 4), ("NAZOVOBCE", 150), ("MENOPSTR", 150)]),
    "P1_TLAC_51-150.DBF": numbered("K", 51, 150, 7) + numbered("KC", 4, 5, 15) + [("KON", 2)],
    "TEMP_TLAC.DBF": [("NOBEC", 50)],
    "chyb_prot.DBF": lines,
    "chyb_prot_medzitab.dbf": lines,
    "S1_TLAC.DBF": protocol,
    "P1_temp.DBF": attachment,
}
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


present = sorted(f for f in os.listdir(data) if f.lower().endswith(".dbf"))
check(present == sorted(layouts), f"files in data/: {present}")

tables = {}
for name, fields in layouts.items():
    table = dbf.Table(os.path.join(data, name), codepage="cp1250")
    table.open(dbf.READ_ONLY)
    tables[name] = table
    found = [(f.upper(), table.field_info(f).length, chr(table.field_info(f).field_type)) for f in table.field_names]
    check(found == [(n, w, "C") for n, w in fields], f"{name}: layout differs")
    with open(os.path.join(data, name), "rb") as raw:
        check(raw.read(30)[29] == 0xC8, f"{name}: code page mark is not Windows-1250")


def read_list(file_name, width):
    with open(os.path.join(lists, file_name), "rb") as f:
        text = f.read().decode("cp1250")
    check(text.endswith("\r\n"), f"{file_name}: lines not ended by CR LF")
    return [line.split("|")[:width] for line in text.split("\r\n") if line]


for table_name, list_name in (("OBCE06.DBF", "OBCE06.TXT"), ("KOAL06.DBF", "KOAL06.TXT"),
                              ("STRANY06.dbf", "STRANY06.TXT")):
    expected = read_list(list_name, len(layouts[table_name]))
    records = [[str(v).rstrip() for v in record] for record in tables[table_name]]
    check(records == expected, f"{table_name}: content differs from {list_name}")
    check(any(any(ord(c) > 127 for c in "".join(r)) for r in records), f"{table_name}: no Slovak letter survived")

check(len(tables["OBCE06.DBF"]) >= 2500, "OBCE06 holds fewer than 2,500 municipalities")
check(len(tables["KOAL06.DBF"]) == 21, "KOAL06 does not hold 21 parties")
for name in ("S1.DBF", "P1.DBF"):
    records = list(tables[name])
    check(len(records) == 1 and all(str(v).strip() == "0" for v in records[0]), f"{name}: not in the wiped state")
check([str(r[0]).strip() for r in tables["TEMP_TLAC.DBF"]] == [""], "TEMP_TLAC: not one empty name")

for f in failures:
    print("FAIL:", f)
print(f"{len(layouts) - len({f.split(':')[0] for f in failures})} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
