#include "ui/startup.h"

#include "model/pages.h"
#include "store/errors.h"

#include <QApplication>
#include <QMessageBox>

std::optional<Program> startProgram(const QString &dataFolder) {
    Program program;
    try {
        program.lock = std::make_unique<FolderLock>(dataFolder);
        program.data = std::make_unique<DataModule>(dataFolder);
    } catch (const VolbyError &e) {
        QMessageBox::critical(nullptr, programName(), e.message());
        return std::nullopt;
    }
    program.window = std::make_unique<TUI>(*program.data);
    return program;
}
