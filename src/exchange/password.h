#pragma once

#include <QString>

// The 13-character password of the export archive, built anew at each use so that no place in the
// program or its files holds it whole.
QString heslo_zip();
