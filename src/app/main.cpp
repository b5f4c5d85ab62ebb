#include "ui/mainwindow.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Volby do VQRA 2006"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/volby/volby.png")));
    QApplication::setFont(TUI::windowFont());
    // data/ and reporty/ lie beside the program, whatever folder it was started from.
    QDir::setCurrent(QApplication::applicationDirPath());

    std::optional<Program> program = startProgram(QStringLiteral("data"));
    if (!program)
        return 1;
    program->window->show();
    // Without a window manager nobody else gives the window the keyboard.
    program->window->activateWindow();
    return app.exec();
}
