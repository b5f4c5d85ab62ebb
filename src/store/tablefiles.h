#pragma once

#include "store/schema.h"

#include <QString>

// Writes an empty table file for a schema into a folder, replacing one of the same name.
void createTableFile(const QString &folder, const TableSchema &schema);
// Writes the twelve tables, all empty.
void createTableFiles(const QString &folder);
