#pragma once

#include "store/datamodule.h"
#include "store/folderlock.h"
#include "ui/mainwindow.h"

#include <QString>

#include <memory>
#include <optional>

// What the program runs on: the lock of the data folder, the data module with the twelve tables and the
// main window on them.
struct Program {
    std::unique_ptr<FolderLock> lock;
    std::unique_ptr<DataModule> data;
    std::unique_ptr<TUI> window;
};

// The start-up: locks the data folder, opens its tables and builds the main window (not yet shown). A
// folder another program holds ("Program už beží nad týmito údajmi.") or a table that cannot be opened
// shows its error in an error box captioned with the application title, and there is no program; no
// table has been touched.
std::optional<Program> startProgram(const QString &dataFolder);
