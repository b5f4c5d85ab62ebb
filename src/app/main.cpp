#include "store/datamodule.h"
#include "store/errors.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Volby do VQRA 2006"));
    // data/ and reporty/ lie beside the program, whatever folder it was started from.
    QDir::setCurrent(QApplication::applicationDirPath());

    TUI window;
    std::unique_ptr<DataModule> data;
    try {
        data = std::make_unique<DataModule>(QStringLiteral("data"));
    } catch (const VolbyError &e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), e.message());
        return 1;
    }
    window.setData(data.get());
    window.show();
    return app.exec();
}
