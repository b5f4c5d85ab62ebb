#pragma once

#include "support/scriptedservices.h"
#include "ui/mainwindow.h"
#include "ui/windowservices.h"

#include <memory>

// The window's services with the script answering: every dialog, sound, sleep, busy-window call and
// general error box goes to the script, which records it; a focus request is recorded and still moves
// the focus on the real window through its router. Whether a control can take the focus is the window's.
class ScriptedWindowServices : public WindowServices {
public:
    ScriptedWindowServices(QWidget &window, FocusRouter &router, ScriptedServices &script)
        : WindowServices(window, router), m_script(script) {}

    void messageBox(const QString &text) override { m_script.messageBox(text); }
    int zobraz_spravu(const QString &text, int kind, Buttons buttons) override {
        return m_script.zobraz_spravu(text, kind, buttons);
    }
    void pracujem(const QString &text) override { m_script.pracujem(text); }
    void beep1() override { m_script.beep1(); }
    void focus(const QString &control) override {
        m_script.focus(control);
        WindowServices::focus(control);
    }
    void sleep(int milliseconds) override { m_script.sleep(milliseconds); }
    std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) override {
        return m_script.openFileName(title, folder, filter);
    }
    std::optional<QString> saveFileName(const QString &title, const QString &folder, const QString &proposedName,
                                        const QString &filter) override {
        return m_script.saveFileName(title, folder, proposedName, filter);
    }
    void outputReport(const QString &title, const QString &html) override { m_script.outputReport(title, html); }

protected:
    void showErrorBox(const QString &text) override { m_script.errorsShown.append(text); }

private:
    ScriptedServices &m_script;
};

// The maker that hands the window services answered by the script.
inline TUI::ServicesMaker scriptedServices(ScriptedServices &script) {
    return [&script](QWidget &window, FocusRouter &router) {
        return std::make_unique<ScriptedWindowServices>(window, router, script);
    };
}
