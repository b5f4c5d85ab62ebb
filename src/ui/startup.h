#pragma once

#include "store/datamodule.h"
#include "ui/mainwindow.h"

#include <QString>

#include <memory>
#include <optional>

// What the program runs on: the data module with the twelve tables and the main window on them.
struct Program {
    std::unique_ptr<DataModule> data;
    std::unique_ptr<TUI> window;
};

// The start-up: opens the tables of the folder and builds the main window (not yet shown). A table that
// cannot be opened shows its storage error in an error box captioned with the application title, and
// there is no program.
std::optional<Program> startProgram(const QString &dataFolder);
