#include "ui/protocollayout.h"

#include "store/form.h"
#include "ui/keys.h"

#include <Qt>

#include <algorithm>
#include <map>

namespace protocollayout {

namespace {

// One row of the key table: the targets of Enter/Down, Up, Page Down, Page Up.
struct Moves {
    const char *enterDown, *up, *pageDown, *pageUp;
};

const std::map<QString, Moves> &identificationMoves() {
    static const std::map<QString, Moves> table = {
        {"eOBVOD", {"eOBEC", "", "ePOZZV", ""}},
        {"eOBEC", {"eOKRSOK", "eOBVOD", "ePOZZV", "eOBVOD"}},
        {"eOKRSOK", {"ePOZZV", "eOBEC", "ePOZZV", "eOBVOD"}},
        {"ePOZZV", {"ePVO", "eOKRSOK", "ePPHS", "eOBVOD"}},
        {"ePVO", {"ePOO_POSTA", "ePOZZV", "ePPHS", "eOBVOD"}},
        {"ePOO_POSTA", {"ePOO", "ePVO", "ePPHS", "eOBVOD"}},
        {"ePOO", {"ePPHS", "ePOO_POSTA", "ePPHS", "eOBVOD"}},
        {"ePPHS", {"NaStranu2", "ePOO", "", "eOBVOD"}},
    };
    return table;
}

QString party(int n) {
    return QStringLiteral("ePPHPS%1").arg(n);
}

// The party-vote boxes: n from the digits after "ePPHPS".
QString partyTarget(int n, int key) {
    switch (keys::keyOf(key)) {
    case keys::Key::Enter:
    case keys::Key::Down:
        return n < form::ballotParties ? party(n + 1) : QStringLiteral("NaStranu3");
    case keys::Key::Up:
        return n > 1 ? party(n - 1) : QString();
    case keys::Key::PageDown:
        return party(form::ballotParties);
    case keys::Key::PageUp:
        return party(1);
    default:
        return {};
    }
}

} // namespace

QString keyTarget(const QString &box, int key) {
    static const QString prefix = QStringLiteral("ePPHPS");
    if (box.startsWith(prefix)) {
        bool ok = false;
        const int n = box.mid(prefix.size()).toInt(&ok);
        return ok && n >= 1 && n <= form::ballotParties ? partyTarget(n, key) : QString();
    }
    const auto row = identificationMoves().find(box);
    if (row == identificationMoves().end())
        return {};
    const Moves &m = row->second;
    switch (keys::keyOf(key)) {
    case keys::Key::Enter:
    case keys::Key::Down:
        return QString::fromLatin1(m.enterDown);
    case keys::Key::Up:
        return QString::fromLatin1(m.up);
    case keys::Key::PageDown:
        return QString::fromLatin1(m.pageDown);
    case keys::Key::PageUp:
        return QString::fromLatin1(m.pageUp);
    default:
        return {};
    }
}

PartyRow partyRow(int n) {
    const bool right = n > 13;
    const int k = (n - 1) % 13;
    return {right ? 408 : 8, 24 + 24 * k, right ? 688 : 288, 22 + 24 * k};
}

const std::vector<Control> &controls() {
    using K = Kind;
    using namespace layouttable;
    const QString s1 = QStringLiteral("TabSheet1"), s2 = QStringLiteral("TabSheet2");
    const QString g1 = QStringLiteral("GroupBox1"), f = QStringLiteral("FormularT12"), g7 = QStringLiteral("GroupBox7");
    static const std::vector<Control> list = {
        // TabSheet1: the identification group first (tab order 0 on the page).
        {K::Group, g1, s1, "Identifikačná časť", {}, 8, 8, 737, 57},
        {K::Label, {}, g1, "OBVOD:", {}, 16, 24, 38, 13},
        {K::Entry, "eOBVOD", g1, {}, "OBVOD", 56, 22, 33, 19},
        {K::Label, {}, g1, "OBEC:", {}, 126, 24, 32, 13},
        {K::Entry, "eOBEC", g1, {}, "OBEC", 160, 22, 49, 19, 6},
        {K::Label, {}, g1, "OKRSOK:", {}, 248, 24, 46, 13},
        {K::Entry, "eOKRSOK", g1, {}, "OKRSOK", 296, 22, 33, 19},
        {K::Label, {}, g1, "KC1:", {}, 378, 24, 28, 13},
        {K::Sum, "eKC1", g1, {}, "KC1", 408, 22, 97, 19},
        {K::Display, "DBText4", g1, {}, "NOBEC", 520, 24, 209, 17},
        // The five counts, tab orders 1..5.
        {K::Leader, {}, s1, "Počet voličov zapísaných v zozname voličov vo volebnom okrsku", {}, 88, 144, 472, 13},
        {K::Entry, "ePOZZV", s1, {}, "POZZV", 568, 142, 49, 19, 4},
        {K::Leader, {}, s1, "Počet voličov, ktorí sa zúčastnili na hlasovaní", {}, 88, 184, 472, 13},
        {K::Entry, "ePVO", s1, {}, "PVO", 568, 182, 49, 19, 4},
        {K::Leader, {}, s1, "Počet voličov, ktorí zaslali návratnú obálku z cudziny", {}, 88, 224, 472, 13},
        {K::Entry, "ePOO_POSTA", s1, {}, "POO_POSTA", 568, 222, 49, 19, 4},
        {K::Leader, {}, s1, "Počet voličov, ktorí odovzdali obálku podľa § 30", {}, 88, 264, 472, 13},
        {K::Entry, "ePOO", s1, {}, "POO", 568, 262, 49, 19, 4},
        {K::Leader, {}, s1, "Počet platných odovzdaných hlasov", {}, 88, 304, 472, 13},
        {K::Entry, "ePPHS", s1, {}, "PPHS", 568, 302, 49, 19, 4},
        // NaStranu2 (6) comes before eKC2 (7) in the tab order, then Button11 (8).
        {K::Button, "NaStranu2", s1, "Ďalšia strana", {}, 696, 456, 75, 41},
        {K::Label, {}, s1, "KC2:", {}, 490, 352, 28, 13},
        {K::Sum, "eKC2", s1, {}, "KC2", 520, 350, 97, 19},
        {K::Button,
         "Button11",
         s1,
         "Kompletné vymazanie údajov (databázy)",
         {},
         16,
         448,
         137,
         49,
         0,
         -1,
         Bold | WordWrap},
        // TabSheet2: the party rows of FormularT12 are made by the loop, then KC3.
        {K::Group, f, s2, {}, {}, 8, 32, 761, 369, 0, -1, Plain, 0, "Platné hlasy politických strán"},
        {K::Label, {}, f, "KC3:", {}, 610, 344, 28, 13},
        {K::Sum, "eKC3", f, {}, "KC3", 640, 342, 97, 19},
        {K::Button, "NaStranu3", s2, "Ďalšia strana (Aktualizácia príloh)", {}, 656, 456, 113, 41, 0, -1, WordWrap},
        {K::Group, g7, s2, {}, {}, 8, 424, 313, 57, 0, -1, Plain, 0, "Strany s hlasmi"},
        {K::Label,
         {},
         g7,
         "Počet pol. strán, ktoré získali aspoň 1 hlas ",
         {},
         8,
         8,
         180,
         26,
         0,
         -1,
         WordWrap | Centred | Top},
        {K::Counter, "asponhlas", g7, "0", {}, 82, 34, 33, 19},
        {K::Label, {}, g7, "Počet hlasov ", {}, 200, 16, 100, 13, 0, -1, Centred | Top},
        {K::Counter, "ePocetHlasov", g7, "0", {}, 226, 34, 49, 19},
    };
    return list;
}

std::vector<Control> allControls() {
    std::vector<Control> rows;
    for (const Control &row : controls()) {
        rows.push_back(row);
        if (row.name != QStringLiteral("FormularT12"))
            continue;
        // The captions of the ballot's parties come from the code list (protocolpages.cpp); the rows
        // beyond the ballot are never shown.
        for (int n = 1; n <= form::partyFields; ++n) {
            const PartyRow place = partyRow(n);
            const QString caption =
                n <= form::ballotParties
                    ? QString()
                    : QStringLiteral("Počet platných hlasov odovzdaných pre . . . . . . . . . . . ");
            const int captionWidth = place.boxX - place.captionX - 8;
            const QString field = QStringLiteral("PPHPS%1").arg(n);
            rows.push_back(
                {Kind::Label, {}, row.name, caption, {}, place.captionX, place.captionY - 3, captionWidth, 19});
            rows.push_back({Kind::Entry, party(n), row.name, {}, field, place.boxX, place.boxY, 49, 19, 4});
        }
    }
    return rows;
}

} // namespace protocollayout
