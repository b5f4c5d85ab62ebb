#include "datafolder.h"
#include "model/pages.h"
#include "store/errors.h"
#include "ui/fonts.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <thread>

int main(int argc, char **argv) {
    // fontconfig reads its configuration (5 to 8 ms) while Qt connects to the display; the application's
    // own call of registerWindowFonts waits for this one to finish.
    std::thread fonts(registerWindowFonts);
    QApplication app(argc, argv);
    fonts.join();
    QApplication::setApplicationName(programName());
    QApplication::setApplicationVersion(QStringLiteral(VOLBY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("volby"));
    QApplication::setFont(TUI::windowFont());

    // reporty/ is found relative to the working folder, whatever folder the program was started from.
    const Installation installation =
        findInstallation(QApplication::applicationDirPath(), QStringLiteral(VOLBY_INSTALLED));
    QDir::setCurrent(installation.folder);
    QString dataFolder;
    try {
        dataFolder = prepareDataFolder(installation, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    } catch (const VolbyError &e) {
        QMessageBox::critical(nullptr, programName(), e.message());
        return 1;
    }

    std::optional<Program> program = startProgram(dataFolder);
    if (!program)
        return 1;
    program->window->show();
    // The icon once the window is up: decoding it loads Qt's image plugins, which the start need not wait for.
    QTimer::singleShot(0, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/volby/volby.png"))); });
    // Without a window manager nobody else gives the window the keyboard.
    program->window->activateWindow();
    return app.exec();
}
