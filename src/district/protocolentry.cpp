#include "district/protocolentry.h"

#include "checks/protocolchecks.h"
#include "checks/report.h"
#include "checks/sums.h"
#include "model/district.h"
#include "model/partydisplay.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/table.h"

#include <stdexcept>

namespace {

// The checks run when a box of TabSheet1 is left, after the sums; their findings are shown at once.
using BoxChecks = void (*)(District &, const ProtocolRecord &, const Report &);

template <std::optional<Finding> (*...checks)(const ProtocolRecord &)>
void plainChecks(District &, [[maybe_unused]] const ProtocolRecord &s1, [[maybe_unused]] const Report &show) {
    (report(show, checks(s1)), ...);
}

void municipalityChecks(District &district, const ProtocolRecord &s1, const Report &show) {
    if (const auto municipality = checkMunicipalityCode(district, s1.obec, FormBox::Obec, show))
        report(show, T12K01(s1, *municipality));
}

void pollingDistrictCheck(District &district, const ProtocolRecord &s1, const Report &show) {
    report(show, T12K03(s1, findMunicipality(district, s1.obec)));
}

struct BoxEntry {
    FormBox box;
    BoxChecks checks;
};

const BoxEntry kBoxChecks[] = {
    {FormBox::Obvod, plainChecks<>},
    {FormBox::Obec, municipalityChecks},
    {FormBox::Okrsok, pollingDistrictCheck},
    {FormBox::Pozzv, plainChecks<>},
    {FormBox::Pvo, plainChecks<T12K04, T12I10>},
    {FormBox::PooPosta, plainChecks<T12K05>},
    {FormBox::Poo, plainChecks<T12K06, T12K07>},
    {FormBox::Pphs, plainChecks<T12K08>},
};

const BoxEntry &checksOf(FormBox box) {
    for (const BoxEntry &entry : kBoxChecks)
        if (box == entry.box)
            return entry;
    throw std::invalid_argument("not a box of TabSheet1");
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

Outcome protocolBoxExit(District &district, FormBox box) {
    const BoxEntry &entry = checksOf(box);
    protocolBoxStore(district);
    Outcome outcome;
    entry.checks(district, protocolRecord(district.TS1()), showAtOnce(outcome));
    return outcome;
}

Outcome ePPHPS1Exit(District &district) {
    Table &s1 = district.TS1();
    Action action(district.data().store());
    s1.edit();
    normalizeFields(s1, schemas::S1_PPHPS1, schemas::S1_KC1);
    s1.post();
    sKC3(district);
    action.commit();
    Outcome outcome;
    boldnutT12(district, outcome);
    return outcome;
}
