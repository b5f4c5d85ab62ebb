#pragma once

#include "ui/services.h"

#include <QDialog>

class QPushButton;

// The Slovak message dialog of zobraz_spravu: the kind's caption, icon and sound, one button per answer
// with its Slovak caption, Enter on the default answer and Escape on the cancelling one, and no close
// button: only an answer ends it. exec() returns the answer's result (Services::Result).
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    MessageDialog(const QString &text, int kind, Services::Buttons buttons, QWidget *parent = nullptr);

    // The caption of a kind ("Pozor..." ...), empty for an unknown kind.
    static QString caption(int kind);
    // Whether showing the kind sounds (every kind with a sound has the default beep here).
    static bool sounds(int kind);
    int exec() override;

protected:
    void reject() override;

private:
    QPushButton *m_escape = nullptr;
    bool m_sound = false;
};

// The plain message box: captioned with the application title, no icon, no sound, one "OK" that Enter
// and Escape both press.
void plainMessageBox(const QString &text, QWidget *parent = nullptr);
