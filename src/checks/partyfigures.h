#pragma once

#include "checks/attachmentchecks.h"
#include "checks/report.h"

class District;

// K14 and K15 of one attachment with the district's flags of both, as the party change and the complete
// check run them: each flag stands set while its check reads the figures and is set from the result
// before the finding goes out. True when neither failed.
bool partyFigureChecks(District &district, const AttachmentRecord &p1, Wording wording, const Report &to);
