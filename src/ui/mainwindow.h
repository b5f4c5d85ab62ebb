#pragma once

#include <QMainWindow>

class DataModule;

// The main window of the program.
class TUI : public QMainWindow {
    Q_OBJECT
public:
    explicit TUI(QWidget *parent = nullptr);
    void setData(DataModule *data) { m_data = data; }

private:
    DataModule *m_data = nullptr;
};
