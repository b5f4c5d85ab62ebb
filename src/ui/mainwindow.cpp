#include "ui/mainwindow.h"

TUI::TUI(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("UI"));
    setWindowTitle(QStringLiteral("Voľby do VQRA 2006"));
    setFixedSize(789, 530);
}
