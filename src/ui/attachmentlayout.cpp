#include "ui/attachmentlayout.h"
#include "store/form.h"

namespace attachmentlayout {

using enum layouttable::Style;

namespace {

constexpr int boxHeight = 19;
constexpr int sumWidth = 97;
constexpr int columnX[] = {64, 176, 288, 400, 504};
constexpr int rowsPerColumn = 10;
constexpr int rowStep = 20;
constexpr int upperBlockY = 62;
constexpr int lowerBlockY = 286;

const QString page1 = QStringLiteral("TabSheet4");
const QString page2 = QStringLiteral("TabSheet5");
const QString partyCaption = QStringLiteral("Prechod na inú politickú stranu");
const QString gridCaption =
    QStringLiteral("Počte platných prednostných hlasov odovzdaných pre jednotlivých kandidátov");

// The navigation group of a page: its buttons, the counter, the party number and name. Both pages
// carry the same group, with their own names.
void addNavigation(std::vector<Control> &rows, const QString &group, const QString &back, const QString &forward,
                   const QString &counter, const QString &number, const QString &name) {
    rows.push_back({Kind::Button,
                    back,
                    group,
                    QStringLiteral("< dozadu"),
                    {},
                    8,
                    16,
                    65,
                    33,
                    0,
                    1,
                    Plain,
                    0,
                    QStringLiteral("Predchádzajúca politická strana")});
    rows.push_back({Kind::Button,
                    forward,
                    group,
                    QStringLiteral("dopredu >"),
                    {},
                    112,
                    16,
                    65,
                    33,
                    0,
                    0,
                    Plain,
                    0,
                    QStringLiteral("Ďalšia politická strana")});
    rows.push_back({Kind::Label, {}, group, QStringLiteral("Príloha /"), {}, 24, 88, 80, 24, 0, -1, Bold, 19});
    rows.push_back(
        {Kind::StateLabel, counter, group, QStringLiteral("-"), {}, 104, 88, 56, 24, 0, -1, Bold | Centred, 19});
    rows.push_back({Kind::Label,
                    {},
                    group,
                    QStringLiteral("Číslo politickej strany"),
                    {},
                    8,
                    116,
                    169,
                    16,
                    0,
                    -1,
                    Bold | Centred});
    rows.push_back(
        {Kind::Display, number, group, {}, QStringLiteral("KON"), 8, 132, 169, 40, 0, -1, Bold | Centred, 32});
    rows.push_back({Kind::StateLabel, name, group, {}, {}, 8, 176, 169, 33, 0, -1, Bold | Centred | WordWrap, 24});
}

void addQuickEntry(std::vector<Control> &rows, const QString &group, const QString &order, const QString &votes) {
    rows.push_back({Kind::Quick,
                    order,
                    group,
                    {},
                    {},
                    24,
                    16,
                    41,
                    boxHeight,
                    3,
                    0,
                    Plain,
                    0,
                    QStringLiteral("Rýchle vkladanie – poradové číslo kandidáta")});
    rows.push_back({Kind::Quick,
                    votes,
                    group,
                    {},
                    {},
                    120,
                    16,
                    41,
                    boxHeight,
                    7,
                    1,
                    Plain,
                    0,
                    QStringLiteral("Rýchle vkladanie – počet prednostných hlasov")});
    rows.push_back(
        {Kind::Label, {}, group, QStringLiteral("Por. číslo kand."), {}, 4, 38, 84, 30, 0, -1, Centred | WordWrap});
    rows.push_back(
        {Kind::Label, {}, group, QStringLiteral("Počet predn. hlasov"), {}, 96, 38, 88, 30, 0, -1, Centred | WordWrap});
}

std::vector<Control> buildControls() {
    std::vector<Control> rows;
    const QString id = QStringLiteral("GroupBox2");
    const QString grid1 = QStringLiteral("GroupBox3");
    const QString nav1 = QStringLiteral("GroupBox8");
    const QString quick1 = QStringLiteral("GroupBox10");

    // Page 1: the identification with VPH.
    rows.push_back({Kind::Group, id, page1, QStringLiteral("Identifikačná časť"), {}, 8, 8, 761, 113, 0, 0});
    rows.push_back({Kind::Label, {}, id, QStringLiteral("OBVOD:"), {}, 44, 24, 42, 16});
    rows.push_back(
        {Kind::ReadOnly, QStringLiteral("pOBVOD"), id, {}, QStringLiteral("OBVOD"), 88, 22, 49, boxHeight, 0, 0});
    rows.push_back({Kind::Label, {}, id, QStringLiteral("OBEC:"), {}, 172, 24, 34, 16});
    rows.push_back(
        {Kind::ReadOnly, QStringLiteral("pOBEC"), id, {}, QStringLiteral("OBEC"), 208, 22, 49, boxHeight, 0, 1});
    rows.push_back({Kind::Label, {}, id, QStringLiteral("OKRSOK:"), {}, 284, 24, 50, 16});
    rows.push_back(
        {Kind::ReadOnly, QStringLiteral("pOKRSOK"), id, {}, QStringLiteral("OKRSOK"), 336, 22, 49, boxHeight, 0, 2});
    rows.push_back({Kind::Label, {}, id, QStringLiteral("Číslo politickej strany:"), {}, 392, 22, 118, 16});
    rows.push_back({Kind::Display,
                    QStringLiteral("DBText2"),
                    id,
                    {},
                    QStringLiteral("KON"),
                    512,
                    16,
                    41,
                    25,
                    0,
                    -1,
                    Bold | Centred,
                    21});
    rows.push_back({Kind::Label, {}, id, QStringLiteral("KC1:"), {}, 596, 24, 26, 16});
    rows.push_back(
        {Kind::Sum, QStringLiteral("ePKC1"), id, {}, QStringLiteral("KC1"), 624, 22, sumWidth, boxHeight, 0, 4});
    rows.push_back({Kind::Label,
                    {},
                    id,
                    QStringLiteral("Počet voličov, ktorí využili právo prednostného hlasu:"),
                    {},
                    224,
                    72,
                    286,
                    16});
    rows.push_back({Kind::Entry, QStringLiteral("pVPH"), id, {}, QStringLiteral("VPH"), 512, 70, 49, boxHeight, 7, 3});
    rows.push_back({Kind::Label, {}, id, QStringLiteral("KC2:"), {}, 596, 72, 26, 16});
    rows.push_back(
        {Kind::Sum, QStringLiteral("ePKC2"), id, {}, QStringLiteral("KC2"), 624, 70, sumWidth, boxHeight, 0, 5});
    rows.push_back({Kind::Hidden, QStringLiteral("pKON"), id, {}, QStringLiteral("KON"), 560, 22, 25, boxHeight});

    // Page 1: the grid group with the sums, the count, the buttons and the two inner groups.
    rows.push_back({Kind::Group, grid1, page1, gridCaption, {}, 8, 128, 761, 369, 0, 1});
    rows.push_back({Kind::Label, {}, grid1, QStringLiteral("KC3:"), {}, 428, 272, 26, 16});
    rows.push_back(
        {Kind::Sum, QStringLiteral("ePKC3"), grid1, {}, QStringLiteral("KC3"), 456, 270, sumWidth, boxHeight, 0, 51});
    rows.push_back({Kind::Label, {}, grid1, QStringLiteral("Počet kandidátov : "), {}, 12, 336, 98, 16});
    rows.push_back(
        {Kind::Counter, QStringLiteral("EPocKand"), grid1, QStringLiteral("1"), {}, 112, 334, 33, boxHeight, 0, 53});
    rows.push_back({Kind::Button,
                    QStringLiteral("dalsia_strana"),
                    grid1,
                    QStringLiteral("Ďalší kandidáti (51-150)"),
                    {},
                    568,
                    328,
                    185,
                    36,
                    0,
                    50});
    rows.push_back({Kind::Button,
                    QStringLiteral("Button2"),
                    grid1,
                    QStringLiteral("Vynulovať prílohu za celú politickú stranu"),
                    {},
                    176,
                    320,
                    129,
                    41,
                    0,
                    55,
                    WordWrap});
    rows.push_back({Kind::Group, nav1, grid1, partyCaption, {}, 568, 16, 185, 217, 0, 54});
    addNavigation(rows, nav1, QStringLiteral("DoZadu"), QStringLiteral("DoPredu"), QStringLiteral("Label13"),
                  QStringLiteral("DBText1"), QStringLiteral("NazovKoal"));
    rows.push_back({Kind::Combo,
                    QStringLiteral("Combo_RychlaVolba"),
                    nav1,
                    partyCaption,
                    {},
                    8,
                    56,
                    169,
                    21,
                    0,
                    2,
                    Plain,
                    0,
                    QStringLiteral("Rýchla voľba politickej strany")});
    rows.push_back(
        {Kind::Group, quick1, grid1, QStringLiteral("Rýchle vkladanie údajov"), {}, 568, 248, 185, 73, 0, 52});
    addQuickEntry(rows, quick1, QStringLiteral("RVUPor"), QStringLiteral("RVUPoc"));
    // The outcomes carried between operations: never shown.
    rows.push_back({Kind::Flag, QStringLiteral("K14_OK"), grid1, QStringLiteral("K14"), {}, 320, 336, 48, 16});
    rows.push_back({Kind::Flag, QStringLiteral("K15_OK"), grid1, QStringLiteral("K15"), {}, 372, 336, 48, 16});
    rows.push_back({Kind::Hidden, QStringLiteral("pknumber"), grid1, {}, {}, 424, 334, 33, boxHeight});

    // Page 2: one group for the grid, the sums, the button and the two inner groups.
    const QString grid2 = QStringLiteral("GroupBox4");
    const QString nav2 = QStringLiteral("GroupBox9");
    const QString quick2 = QStringLiteral("GroupBox11");
    rows.push_back({Kind::Group, grid2, page2, gridCaption, {}, 8, 0, 769, 497, 0, 0});
    rows.push_back({Kind::Label, {}, grid2, QStringLiteral("KC4:"), {}, 588, 260, 26, 16});
    rows.push_back(
        {Kind::Sum, QStringLiteral("ePKC4"), grid2, {}, QStringLiteral("KC4"), 616, 258, sumWidth, boxHeight, 0, 102});
    rows.push_back({Kind::Label, {}, grid2, QStringLiteral("KC5:"), {}, 588, 348, 26, 16});
    rows.push_back(
        {Kind::Sum, QStringLiteral("ePKC5"), grid2, {}, QStringLiteral("KC5"), 616, 346, sumWidth, boxHeight, 0, 103});
    rows.push_back({Kind::Button,
                    QStringLiteral("Button12"),
                    grid2,
                    QStringLiteral("Kandidáti (1-50)"),
                    {},
                    568,
                    456,
                    186,
                    36,
                    0,
                    100});
    rows.push_back({Kind::Group, nav2, grid2, partyCaption, {}, 568, 16, 185, 233, 0, 101});
    addNavigation(rows, nav2, QStringLiteral("Button8"), QStringLiteral("Button15"), QStringLiteral("Label13_2"),
                  QStringLiteral("DBText3"), QStringLiteral("NazovKoal_2"));
    rows.push_back(
        {Kind::Group, quick2, grid2, QStringLiteral("Rýchle vkladanie údajov"), {}, 568, 376, 185, 73, 0, 104});
    addQuickEntry(rows, quick2, QStringLiteral("RVUPor2"), QStringLiteral("RVUPoc2"));
    return rows;
}

} // namespace

const std::vector<Control> &controls() {
    static const std::vector<Control> rows = buildControls();
    return rows;
}

GridPlace gridPlace(int n) {
    // Page 1 holds 1..50; page 2 an upper block 51..100 and a lower block 101..150. Within a block the
    // columns run down by candidate number and the Tab key runs across the rows.
    const bool onPage1 = n <= form::candidatesOnFirstPage;
    const int first = onPage1 ? 1 : n <= 100 ? 51 : 101;
    const int i = n - first;
    const int row = i % rowsPerColumn;
    const int column = i / rowsPerColumn;
    const int blockTab = first == 101 ? 50 : 0;
    return {onPage1 ? QStringLiteral("GroupBox3") : QStringLiteral("GroupBox4"), columnX[column],
            (first == 101 ? lowerBlockY : upperBlockY) + rowStep * row, blockTab + row * 5 + column};
}

std::vector<Control> candidateGrid() {
    std::vector<Control> rows;
    for (int n = 1; n <= form::candidates; ++n) {
        const GridPlace place = gridPlace(n);
        rows.push_back({Kind::Label,
                        {},
                        place.parent,
                        QString::number(n) + QLatin1Char('.'),
                        {},
                        place.x - 36,
                        place.y + 2,
                        32,
                        16,
                        0,
                        -1,
                        Centred});
        rows.push_back({Kind::Entry,
                        QStringLiteral("pK") + QString::number(n),
                        place.parent,
                        {},
                        QStringLiteral("K") + QString::number(n),
                        place.x,
                        place.y,
                        49,
                        boxHeight,
                        7,
                        place.tabOrder,
                        Plain,
                        0,
                        QStringLiteral("Kandidát %1 – prednostné hlasy").arg(n)});
    }
    // The headings stand over the columns of the upper blocks (page 1, and 51..100 on page 2).
    for (const QString &group : {QStringLiteral("GroupBox3"), QStringLiteral("GroupBox4")}) {
        for (const int x : columnX) {
            rows.push_back({Kind::Label,
                            {},
                            group,
                            QStringLiteral("Por. číslo kand."),
                            {},
                            x - 44,
                            24,
                            44,
                            34,
                            0,
                            -1,
                            Centred | WordWrap});
            rows.push_back({Kind::Label,
                            {},
                            group,
                            QStringLiteral("Počet predn. hlasov"),
                            {},
                            x,
                            24,
                            52,
                            34,
                            0,
                            -1,
                            Centred | WordWrap});
        }
    }
    return rows;
}

std::vector<Control> allControls() {
    std::vector<Control> rows = controls();
    const std::vector<Control> grid = candidateGrid();
    rows.insert(rows.end(), grid.begin(), grid.end());
    return rows;
}

} // namespace attachmentlayout
