#include "checks/partyfigures.h"

#include "model/district.h"

bool partyFigureChecks(District &district, const AttachmentRecord &p1, Wording wording, const Report &to) {
    district.setK14_OK(true);
    const std::optional<Finding> k14 = T13K14(p1, wording);
    district.setK14_OK(!k14);
    report(to, k14);
    district.setK15_OK(true);
    const std::optional<Finding> k15 = T13K15(p1, wording);
    district.setK15_OK(!k15);
    report(to, k15);
    return !k14 && !k15;
}
