#include "district/protocolentry.h"

#include "checks/protocolchecks.h"
#include "checks/sums.h"
#include "model/district.h"
#include "model/partydisplay.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/table.h"

#include <stdexcept>
#include <vector>

namespace {

using Check = void (*)(District &, int);

struct BoxChecks {
    const char *box;
    std::vector<Check> checks;
};

// The checks run in mode 1 when a box of TabSheet1 is left, after the sums.
const BoxChecks kBoxChecks[] = {
    {"eOBVOD", {}},
    {"eOBEC", {T12K02}},
    {"eOKRSOK", {T12K03}},
    {"ePOZZV", {}},
    {"ePVO", {T12K04, T12I10}},
    {"ePOO_POSTA", {T12K05}},
    {"ePOO", {T12K06, T12K07}},
    {"ePPHS", {T12K08}},
};

const BoxChecks &checksOf(const QString &box) {
    for (const BoxChecks &entry : kBoxChecks)
        if (box == QLatin1String(entry.box))
            return entry;
    throw std::invalid_argument("not a box of TabSheet1: " + box.toStdString());
}

} // namespace

void normalizeFields(Table &table, int from, int to) {
    for (int position = from; position <= to; ++position) {
        if (table.text(position).trimmed().isEmpty())
            table.setText(position, QStringLiteral("0"));
        table.setInteger(position, table.integer(position));
    }
}

void eOBVODEnter(District &district) {
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
}

void protocolBoxStore(District &district) {
    Table &s1 = district.TS1();
    // The record and its sums as one action, durable before any check shows a message.
    Action action(district.data().store());
    s1.edit();
    normalizeFields(s1, 0, schemas::S1_PPHPS1);
    s1.post();
    sKC1(district);
    sKC2(district);
    action.commit();
}

void protocolBoxExit(District &district, const QString &box) {
    const BoxChecks &entry = checksOf(box);
    protocolBoxStore(district);
    for (Check check : entry.checks)
        check(district, 1);
}

void ePPHPS1Exit(District &district) {
    Table &s1 = district.TS1();
    Action action(district.data().store());
    s1.edit();
    normalizeFields(s1, schemas::S1_PPHPS1, schemas::S1_KC1);
    s1.post();
    sKC3(district);
    action.commit();
    boldnutT12(district);
}
