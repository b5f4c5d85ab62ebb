#pragma once

#include "ui/formdisplay.h"
#include "ui/services.h"
#include "ui/working.h"

#include <functional>
#include <memory>

class FocusRouter;
class QWidget;

// The window's implementation of the services: the real message dialogs, the busy window, the sounds,
// the file dialogs, and focus requests by object name through the focus router. The tests derive from
// it to answer the dialogs from a script, while the focus still moves on the real window.
class WindowServices : public Services {
public:
    WindowServices(QWidget &window, FocusRouter &router);
    ~WindowServices() override;

    void messageBox(const QString &text) override;
    int zobraz_spravu(const QString &text, int kind, Buttons buttons) override;
    void pracujem(const QString &text) override;
    void beep1() override;
    void focusBox(FormBox box) override;
    bool canFocusBox(FormBox box) const override;
    void display(const DisplayChange &change) override;
    void sleep(int milliseconds) override;
    std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> saveFileName(const QString &title, const QString &folder, const QString &proposedName,
                                        const QString &filter) override;
    // The report's output: the options dialog, then the preview or the printer.
    void outputReport(const QString &title, const QString &html) override;

    // The general error box, captioned with the application title; the busy window goes off first,
    // so that the main window is not left hidden.
    void errorBox(const QString &text);
    TWorking &working();
    // What the pages show beside the figures.
    FormDisplay &formDisplay() { return m_display; }
    // A box's exit outcome shown; the control it sends the focus back to, or null (presentExit()).
    QWidget *presentExit(const Outcome &outcome);
    // The window's own focus moves by object name (the key tables name their targets), through the router.
    virtual void focus(const QString &control);
    // Whether the control of that name can take the focus now (shown and enabled).
    bool canFocus(const QString &control) const;
    // Called when a control asked for by name is not there yet (its page not built), before looking again.
    void setControlMissing(std::function<void()> build) { m_controlMissing = std::move(build); }

protected:
    // The error box itself, once the busy window is off.
    virtual void showErrorBox(const QString &text);

private:
    QWidget *control(const QString &name) const;

    QWidget &m_window;
    FocusRouter &m_router;
    std::unique_ptr<TWorking> m_working;
    std::function<void()> m_controlMissing;
    FormDisplay m_display;
};
