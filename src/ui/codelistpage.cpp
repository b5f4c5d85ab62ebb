#include "ui/codelistpage.h"

#include "model/district.h"
#include "store/datamodule.h"
#include "ui/exchangeactions.h"
#include "ui/focusrouter.h"
#include "ui/windowservices.h"

#include <QPushButton>

using layouttable::Control;
using layouttable::Kind;

namespace {

const std::vector<Control> &rows() {
    using enum layouttable::Style;
    const QString page = QStringLiteral("TabSheet8");
    static const std::vector<Control> list = {
        {Kind::Label, {}, page, "OBCE06", {}, 8, 4, 0, 0, 0, -1, Bold},
        {Kind::Grid, "DSVQ_OBCE", page, {}, "OKR OBVOD OBEC NOBEC KRAJ MESTO POCOKS KC", 8, 20, 761, 201},
        {Kind::Button, "Button4", page, "Import OBCE06", {}, 8, 228, 121, 25},
        {Kind::Memo, "impmemo", page, {}, {}, 144, 228, 625, 41},
        {Kind::Label, {}, page, "KOAL06", {}, 8, 276, 0, 0, 0, -1, Bold},
        {Kind::Grid, "DSVQ_KOAL", page, {}, "F_KON KON KO KPS NKO SNKO POCKAN PLATNOST KC", 8, 292, 761, 161},
        {Kind::Button, "Button5", page, "Import KOAL06", {}, 8, 460, 121, 25},
    };
    return list;
}

} // namespace

CodeListPage::CodeListPage(District &district, WindowServices &services, FocusRouter &router, QWidget &tabSheet8)
    : FormPages({&tabSheet8}) {
    DataModule &data = district.data();
    build(rows(), tabSheet8, [&data](const Control &row) -> Table & {
        return row.name == QStringLiteral("DSVQ_OBCE") ? data.TVQ_OBCE() : data.TVQ_KOAL();
    });
    const auto onClick = [this, &router](const char *name, std::function<void()> operation) {
        connect(static_cast<QPushButton *>(control(QString::fromLatin1(name))), &QPushButton::clicked, this,
                [&router, operation] { router.run(operation); });
    };
    onClick("Button4", [&district, &services] { importCodeList(district, services, CodeList::Municipalities); });
    onClick("Button5", [&district, &services] { importCodeList(district, services, CodeList::Parties); });
}
