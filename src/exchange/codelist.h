#pragma once

#include <QString>
#include <QStringList>

class Table;

// One line of a code-list or exchange file cut into its values: every "|" ends a value (an empty one
// too); text after the last "|" is dropped.
QStringList import_record(const QString &line);

// Replaces the whole content of a code-list table with the lines of a Windows-1250 text file: value k of
// a line goes to field k, missing values leave their fields empty, surplus values are ignored. The table
// changes in one step, only after the whole file was read. InputOutputError when the file cannot be read.
void importCodeListFile(Table &table, const QString &path);
