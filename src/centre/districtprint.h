#pragma once

#include "centre/districtcheck.h"

#include <QList>
#include <QString>

namespace centre {

// Documents rendered from templates of their own, as one document for one file: the styles of each
// head, then each body beginning on a new page.
QString joinDocuments(const QList<DistrictCheck::Document> &documents);

} // namespace centre
