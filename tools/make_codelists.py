#!/usr/bin/env python3
"""Writes the sample code lists that the installation ships.

    installation/OBCE06.TXT    municipalities (table OBCE06)
    installation/KOAL06.TXT    parties and coalitions on the ballot (table KOAL06)
    installation/STRANY06.TXT  the same parties for the table STRANY06

Everything is fictional: the municipalities' names are composed from invented
roots and the usual Slovak endings, the parties are made up by hand.

File format, as the code-list import reads it: one record per line, the values
in the table's field order, each one followed by "|", lines ended by CR LF,
text in Windows-1250.

The output is fully determined by the fixed seed below; running the script
again rewrites the same bytes.  Usage:

    python3 tools/make_codelists.py [OUTPUT-FOLDER]     (default: installation/)
"""

import os
import random
import sys
import unicodedata

SEED = 2006
ENCODING = "cp1250"
LINE_END = "\r\n"

OBCE06_FIELDS = [("OKR", 3), ("OBVOD", 3), ("OBEC", 6), ("NOBEC", 50),
                 ("KRAJ", 1), ("MESTO", 1), ("POCOKS", 3), ("KC", 15)]
KOAL06_FIELDS = [("F_KON", 2), ("KON", 2), ("KO", 2), ("KPS", 60), ("NKO", 200),
                 ("SNKO", 60), ("POCKAN", 3), ("PLATNOST", 1), ("KC", 15)]
STRANY06_FIELDS = [("PS", 3), ("NPS", 150), ("SKPS", 25), ("KC", 15)]

# Electoral districts per region: region r owns the districts r01, r02, ...
DISTRICTS_PER_REGION = [7, 6, 6, 6, 6, 6, 7, 6]          # 50 districts in 8 regions
COUNTIES = 79                                            # numbered 1..79, each inside one district
FIRST_MUNICIPALITY_CODE = 500011
EXTRA_TOWNS = 60                                         # towns besides the county seats
LARGE_TOWNS = [99, 94, 87, 78, 71, 64]                   # polling districts of the largest towns


class CodeListError(Exception):
    pass


# ---------------------------------------------------------------------------
# Writing and checking lines


def check_value(table, name, width, value):
    if not isinstance(value, str):
        raise CodeListError(f"{table}.{name}: {value!r} is not text")
    if "|" in value or "\r" in value or "\n" in value:
        raise CodeListError(f"{table}.{name}: {value!r} holds a separator")
    if value != value.strip():
        raise CodeListError(f"{table}.{name}: {value!r} has leading or trailing blanks")
    try:
        encoded = value.encode(ENCODING)
    except UnicodeEncodeError as e:
        raise CodeListError(f"{table}.{name}: {value!r} is not Windows-1250: {e}") from None
    if len(encoded) > width:
        raise CodeListError(f"{table}.{name}: {value!r} is {len(encoded)} long, the field holds {width}")


def check_decimal(table, name, value):
    if not value.isascii() or not value.isdigit() or (len(value) > 1 and value[0] == "0"):
        raise CodeListError(f"{table}.{name}: {value!r} is not decimal text without leading zeros")


def format_line(table, fields, values):
    if len(values) != len(fields):
        raise CodeListError(f"{table}: {len(values)} values for {len(fields)} fields: {values!r}")
    for (name, width), value in zip(fields, values):
        check_value(table, name, width, value)
    return "".join(value + "|" for value in values) + LINE_END


def write_list(path, table, fields, records):
    text = "".join(format_line(table, fields, values) for values in records)
    with open(path, "wb") as f:
        f.write(text.encode(ENCODING))


def control_number(numbers, texts):
    """KC of a code-list line: the numeric values plus the Windows-1250 bytes of the texts."""
    return str(sum(numbers) + sum(sum(t.encode(ENCODING)) for t in texts))


def cut(text, width):
    return text.encode(ENCODING)[:width].decode(ENCODING).rstrip()


# ---------------------------------------------------------------------------
# Municipality names

ONSETS = ["b", "br", "bl", "č", "čr", "d", "dr", "ď", "h", "hr", "hl", "ch", "chr", "j", "k", "kl",
          "kr", "kv", "ľ", "m", "ml", "n", "ň", "p", "pl", "pr", "r", "s", "sk", "sl", "sm", "st",
          "š", "šk", "št", "t", "tr", "ť", "v", "vl", "vr", "z", "zb", "zl", "ž", "žl", "žr"]
SHORT_VOWELS = ["a"] * 4 + ["e"] * 3 + ["i"] * 2 + ["o"] * 3 + ["u"] * 2 + ["y", "ä"]
LONG_VOWELS = ["á"] * 3 + ["í"] * 2 + ["ie"] * 3 + ["ia"] * 2 + ["ô"] * 2 + ["é", "ú", "ý", "iu", "ó"]
SYLLABIC = ["ĺ", "ŕ"]             # the syllabic l and r, long, only after a consonant
MIDDLES = ["b", "č", "d", "ď", "h", "ch", "k", "l", "ľ", "m", "n", "ň", "p", "r", "s", "š", "t",
           "ť", "v", "z", "ž", "br", "dl", "hl", "kl", "kr", "sk", "st", "šk", "šť", "tr", "vl", "zn"]
FINALS = ["č", "d", "ď", "ch", "k", "l", "ľ", "m", "n", "ň", "r", "s", "š", "t", "ť", "v", "z", "ž"]
LONG_ENDINGS = {"ová", "ín", "ník", "ianka", "ie"}

# Endings by grammatical kind; the adjective of a two-word name agrees with the kind.
ENDINGS = {
    "plural": ["ovce", "ovce", "ovce", "any", "any", "ince", "iny", "ice", "ovany"],
    "feminine": ["ová", "ica", "ina", "ovka", "ava", "ianka"],
    "masculine": ["ov", "ín", "ec", "ník", "ovec"],
    "neuter": ["ovo", "no", "ie", "isko"],
}
KIND_WEIGHTS = [("plural", 45), ("feminine", 22), ("masculine", 20), ("neuter", 13)]
ADJECTIVES = {
    "plural": ["Horné", "Dolné", "Nové", "Veľké", "Malé", "Staré", "Vyšné", "Nižné"],
    "feminine": ["Horná", "Dolná", "Nová", "Veľká", "Malá", "Stará", "Vyšná", "Nižná"],
    "masculine": ["Horný", "Dolný", "Nový", "Veľký", "Malý", "Starý", "Vyšný", "Nižný"],
    "neuter": ["Horné", "Dolné", "Nové", "Veľké", "Malé", "Staré", "Vyšné", "Nižné"],
}
# Rivers for "... nad <river>", in the instrumental case.
RIVERS = ["icou", "avou", "ankou"]

# Roots that would make the name of an existing place or a person's name.  The generator
# composes roots of two invented syllables, so hits are rare; these are refused outright.
FORBIDDEN_ROOTS = {
    "michal", "tomas", "martin", "jakub", "pavol", "peter", "juraj", "ondrej", "matej", "lukas",
    "marek", "stefan", "ladislav", "imrich", "mikulas", "urban", "rados", "hanus",
    "jablon", "lipov", "brezov", "dubov", "hradis", "kolar", "rakov", "jasen", "kosic", "presov",
    "nitr", "trnav", "zilin", "zvolen", "levic", "senic", "skalic", "myjav", "puchov", "ilav",
    "bytc", "cadc", "poprad", "levoc", "bardej", "svidn", "stropk", "humen", "snin", "sobranc",
    "trebis", "roznav", "revuc", "rimav", "tornal", "krupin", "detv", "banov", "prievid",
    "topolc", "piestan", "hlohov", "galant", "sal", "senec", "pezin", "malack", "komarn",
    "sturov", "moravc", "lucen", "brezn", "kezmar", "ruzomb", "namest", "tvrdos", "sabinov",
    "vranov", "gelnic", "medzilab", "zarnov", "stiavn", "krems", "turc", "orav", "liptov",
    "spis", "zemplin", "novak", "horvat", "kovac", "varga", "toth", "nagy", "balaz", "molnar",
    "szabo", "lukac", "kral", "simon", "janos", "milan", "jozef", "jan", "anna",
    "maria", "elena", "eva", "katarin", "zuzan", "helen", "vladim", "miroslav", "stanislav",
    "bratislav", "jaroslav", "boris", "igor", "robert", "roman", "dusan", "marian", "viliam",
    "tibor", "karol", "rudolf", "emil", "ivan", "oto", "fero", "jano", "palo", "mato",
}


def plain(text):
    """Lower case without diacritics, for the comparison with the forbidden roots."""
    decomposed = unicodedata.normalize("NFD", text.lower())
    return "".join(c for c in decomposed if not unicodedata.combining(c))


def pick_kind(rng):
    total = sum(w for _, w in KIND_WEIGHTS)
    n = rng.randrange(total)
    for kind, weight in KIND_WEIGHTS:
        if n < weight:
            return kind
        n -= weight
    raise AssertionError


def spelled(consonant, vowel):
    """Whether the vowel may follow the consonant in Slovak spelling."""
    last = consonant[-1:] if consonant[-2:] != "ch" else "ch"
    if not consonant:
        return vowel[0] not in "yýäĺŕ" and vowel not in ("ia", "ie", "iu")
    if last in "ďťňľ" and vowel[0] in "eéiíyý":
        return False                # soft before e and i is written without the caron, never with y
    if last in ("k", "h", "ch") and vowel in ("i", "í"):
        return False
    if last in "čšžjc" and vowel in ("y", "ý"):
        return False
    if vowel == "ä" and last not in "bpmv":
        return False
    if vowel in SYLLABIC and last in "lľr":
        return False
    return True


def syllable_vowel(rng, consonant, long):
    while True:
        if long:
            vowel = rng.choice(SYLLABIC) if consonant and rng.random() < 0.15 else rng.choice(LONG_VOWELS)
        else:
            vowel = rng.choice(SHORT_VOWELS)
        if spelled(consonant, vowel):
            return vowel


def make_root(rng):
    """Two invented syllables ending in a consonant, e.g. "kľunieš", "hroďav".

    Returns the root and whether its second syllable is long; two long syllables never
    follow each other, within the root or between the root and its ending.
    """
    while True:
        onset = rng.choice(ONSETS) if rng.random() > 0.03 else ""
        first_long = rng.random() < 0.3
        middle = rng.choice(MIDDLES)
        second_long = not first_long and rng.random() < 0.3
        root = (onset + syllable_vowel(rng, onset, first_long)
                + middle + syllable_vowel(rng, middle, second_long) + rng.choice(FINALS))
        if any(bad in plain(root) for bad in FORBIDDEN_ROOTS):
            continue
        return root, second_long


def join_ending(root, ending):
    if root[-1] in "ďťňľ" and ending[0] in "eéií":
        root = root[:-1] + {"ď": "d", "ť": "t", "ň": "n", "ľ": "l"}[root[-1]]
    return root + ending


def make_word(rng, endings):
    while True:
        root, long = make_root(rng)
        ending = rng.choice(endings)
        if long and ending in LONG_ENDINGS:
            continue
        if root.endswith(("k", "h", "ch")) and ending[0] in "ií":
            continue
        return join_ending(root, ending)


def capitalize(word):
    return word[0].upper() + word[1:]


def make_name(rng, town):
    kind = pick_kind(rng)
    name = capitalize(make_word(rng, ENDINGS[kind]))
    r = rng.random()
    if r < 0.22:
        name = rng.choice(ADJECTIVES[kind]) + " " + name
    elif r < (0.34 if town else 0.27):
        name = name + " nad " + capitalize(make_word(rng, RIVERS))
    return name


# ---------------------------------------------------------------------------
# Municipalities


def village_polling_districts(rng):
    r = rng.random()
    if r < 0.60:
        return 1
    if r < 0.88:
        return 2
    if r < 0.97:
        return 3
    return rng.randint(4, 6)


def make_municipalities(rng):
    # Districts: region r owns r01..r0n.  Counties: numbered 1..COUNTIES in order, the first
    # districts of the list get two counties each until all are placed.
    districts = [(region, region * 100 + j)
                 for region, count in enumerate(DISTRICTS_PER_REGION, start=1)
                 for j in range(1, count + 1)]
    two_counties = COUNTIES - len(districts)
    if not 0 <= two_counties <= len(districts):
        raise CodeListError("the counties do not fit the districts")
    doubled = set(rng.sample(range(len(districts)), two_counties))
    counties = []                       # (county, district, region)
    for i, (region, district) in enumerate(districts):
        for _ in range(2 if i in doubled else 1):
            counties.append((len(counties) + 1, district, region))

    names = set()

    def new_name(town):
        while True:
            name = make_name(rng, town)
            if name not in names and len(name) <= 50:
                names.add(name)
                return name

    municipalities = []                 # dicts, in the order of their codes
    code = FIRST_MUNICIPALITY_CODE
    for county, district, region in counties:
        size = rng.randint(18, 56)
        for k in range(size):
            municipalities.append({"OKR": county, "OBVOD": district, "OBEC": code,
                                   "KRAJ": region, "seat": k == 0})
            code += rng.randint(7, 23)

    # Towns: every county seat, and some more at random.
    others = [m for m in municipalities if not m["seat"]]
    extra = set(id(m) for m in rng.sample(others, EXTRA_TOWNS))
    seats = [m for m in municipalities if m["seat"]]
    large = set(id(m) for m in rng.sample(seats, len(LARGE_TOWNS)))
    large_sizes = list(LARGE_TOWNS)
    for m in municipalities:
        if id(m) in large:
            m["MESTO"], m["POCOKS"] = 1, large_sizes.pop(0)
        elif m["seat"]:
            m["MESTO"], m["POCOKS"] = 1, rng.randint(8, 45)
        elif id(m) in extra:
            m["MESTO"], m["POCOKS"] = 1, rng.randint(4, 20)
        else:
            m["MESTO"], m["POCOKS"] = 0, village_polling_districts(rng)
        m["NOBEC"] = new_name(m["MESTO"] == 1)

    records = []
    for m in municipalities:
        numbers = [m["OKR"], m["OBVOD"], m["OBEC"], m["KRAJ"], m["MESTO"], m["POCOKS"]]
        kc = control_number(numbers, [m["NOBEC"]])
        records.append([str(m["OKR"]), str(m["OBVOD"]), str(m["OBEC"]), m["NOBEC"],
                        str(m["KRAJ"]), str(m["MESTO"]), str(m["POCOKS"]), kc])
    return records


# ---------------------------------------------------------------------------
# Parties and coalitions, in ballot order: full name, short name, number of candidates.
# A coalition's name joins its members' names with " - ".

PARTIES = [
    ("Hnutie za čisté potoky a kvitnúce lúky", "Čisté potoky", 150),
    ("Strana remeselníkov a drobných živností", "Remeselníci", 150),
    ("Únia pltníkov, včelárov a ovocinárov", "Únia pltníkov", 12),
    ("Spolok horských údolí a malých miest", "Horské údolia", 150),
    ("Občianske združenie Veterný mlyn", "Veterný mlyn", 150),
    ("Strana pokojného vidieka", "Pokojný vidiek", 97),
    ("Ľudové fórum pastierov - Strana mlynárov a pekárov", "Pastieri a mlynári", 51),
    ("Hnutie priateľov úzkokoľajných železníc a riečnej dopravy", "Úzkokoľajky", 150),
    ("Združenie strážcov studní a prameňov", "Strážcovia studní", 150),
    ("Strana jabloňových sadov", "Jabloňové sady", 50),
    ("Strana za obnovu drevených kostolíkov, vodných mlynov a valch - Hnutie za zachovanie "
     "ľudových krojov, piesní a remesiel v podhorských obciach",
     "Drevené kostolíky - Kroje a piesne", 150),
    ("Spolok hvezdárov a nočnej oblohy bez svetelného smogu", "Tmavá obloha", 33),
    ("Hnutie za kratší pracovný týždeň", "Kratší týždeň", 150),
    ("Strana tichých ulíc", "Tiché ulice", 150),
    ("Únia rybárov zo Žltého plesa - Strana čerstvého chleba", "Rybári - Chlieb", 149),
    ("Strana vlnených svetrov a teplých papúč", "Vlnené svetre", 78),
    ("Občianska iniciatíva Zelený ostrov", "Zelený ostrov", 150),
    ("Hnutie otvorených knižníc a čitární", "Otvorené knižnice", 120),
    ("Strana ôsmich krajov a ich tradícií", "Osem krajov", 150),
    ("Záhradkári z ľavého brehu - Záhradkári z pravého brehu - Spolok pestovateľov "
     "tekvíc, kalerábu a okrasných tráv pri Ďatľovom potoku v Dolnom Kľužanskom chotári",
     "Záhradkári z oboch brehov", 150),
    ("Nezávislí z Ďatľovej doliny", "Ďatľova dolina", 24),
]


def make_parties(rng):
    koal, strany = [], []
    register = rng.sample(range(11, 400), 40)     # member parties' numbers in a fictional register
    for kon, (full, short, candidates) in enumerate(PARTIES, start=1):
        members = len(full.split(" - "))
        f_kon = 2 if members > 1 else 1
        kps = ",".join(str(register.pop()) for _ in range(members))
        koal.append([str(f_kon), str(kon), str(members), kps, full, short, str(candidates), "1",
                     control_number([f_kon, kon, members, candidates, 1], [kps, full, short])])
        nps, skps = cut(full, 150), cut(short, 25)
        strany.append([str(kon), nps, skps, control_number([kon], [nps, skps])])
    return koal, strany


# ---------------------------------------------------------------------------
# Checks of the whole lists


def check_lists(obce, koal, strany):
    for rec in obce:
        for i in (0, 1, 2, 4, 5, 6, 7):
            check_decimal("OBCE06", OBCE06_FIELDS[i][0], rec[i])
        if not 1 <= int(rec[6]) <= 99:
            raise CodeListError(f"OBCE06: POCOKS {rec[6]} of {rec[2]} outside 1..99")
        if len(rec[2]) != 6:
            raise CodeListError(f"OBCE06: OBEC {rec[2]} is not a six-digit code")
    for column, what in ((2, "OBEC"), (3, "NOBEC")):
        values = [rec[column] for rec in obce]
        if len(set(values)) != len(values):
            raise CodeListError(f"OBCE06: {what} not unique")
    region_of = {}
    for rec in obce:
        if region_of.setdefault(rec[1], rec[4]) != rec[4]:
            raise CodeListError(f"OBCE06: district {rec[1]} in two regions")
    if len(obce) < 2500:
        raise CodeListError(f"OBCE06: only {len(obce)} municipalities")

    for rec in koal:
        for i in (0, 1, 2, 6, 7, 8):
            check_decimal("KOAL06", KOAL06_FIELDS[i][0], rec[i])
        if not 12 <= int(rec[6]) <= 150:
            raise CodeListError(f"KOAL06: POCKAN {rec[6]} of party {rec[1]} outside 12..150")
    if [rec[1] for rec in koal] != [str(n) for n in range(1, 22)]:
        raise CodeListError("KOAL06: ballot numbers are not 1..21")
    counts = [int(rec[6]) for rec in koal]
    for needed in (12, 50, 51, 150):
        if needed not in counts:
            raise CodeListError(f"KOAL06: no party with {needed} candidates")
    if not any(len(rec[4]) > 100 for rec in koal):
        raise CodeListError("KOAL06: no full name longer than 100 characters")
    if len({rec[4] for rec in koal}) != len(koal) or len({rec[5] for rec in koal}) != len(koal):
        raise CodeListError("KOAL06: names not unique")
    if [rec[0] for rec in strany] != [rec[1] for rec in koal]:
        raise CodeListError("STRANY06: party numbers differ from KOAL06")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, os.pardir, "installation")
    rng = random.Random(SEED)
    obce = make_municipalities(rng)
    koal, strany = make_parties(rng)
    check_lists(obce, koal, strany)
    write_list(os.path.join(folder, "OBCE06.TXT"), "OBCE06", OBCE06_FIELDS, obce)
    write_list(os.path.join(folder, "KOAL06.TXT"), "KOAL06", KOAL06_FIELDS, koal)
    write_list(os.path.join(folder, "STRANY06.TXT"), "STRANY06", STRANY06_FIELDS, strany)
    print(f"{len(obce)} municipalities in {len({r[1] for r in obce})} districts and "
          f"{len({r[4] for r in obce})} regions, {len(koal)} parties")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except CodeListError as e:
        sys.stderr.write(f"make_codelists: {e}\n")
        sys.exit(1)
