// volby-centrum: the counting centre's command line (see centre/command.h).
#include "centre/command.h"
#include "datafolder.h"

#include <QGuiApplication>

#include <unistd.h>

namespace {

QtMessageHandler qtHandler = nullptr;

// Run from a job or over ssh there is no session's runtime folder, and Qt says so in English on every
// start; the command takes none of its files from there, so that line is left out.
void messages(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, text);
}

} // namespace

int main(int argc, char **argv) {
    // The PDFs are laid out by Qt's text engine, which needs a GUI application but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(messages);
    QGuiApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    centre::Environment environment;
    environment.installationFolder =
        findInstallation(QCoreApplication::applicationDirPath(), QStringLiteral(VOLBY_INSTALLED)).folder;
    environment.terminal = ::isatty(STDOUT_FILENO) == 1;
    return centre::runCommand(arguments, environment);
}
