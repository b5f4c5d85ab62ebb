#pragma once

#include "model/formbox.h"

#include <QFlags>
#include <QString>

#include <optional>

// What the core needs from the window: messages, questions, the busy window, sounds, focus requests,
// sleeps and the file dialogs. The window implements it with real widgets; tests with a script.
class Services {
public:
    // Kinds of the message dialog zobraz_spravu; any other value has no caption, icon or sound.
    enum Kind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Message = 4 };
    // Buttons of the message dialog, shown left to right in this order.
    enum Button {
        Yes = 0x001,
        No = 0x002,
        OK = 0x004,
        Cancel = 0x008,
        Abort = 0x010,
        Retry = 0x020,
        Ignore = 0x040,
        All = 0x080,
        NoToAll = 0x100,
        YesToAll = 0x200,
        Help = 0x400,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    // Results of zobraz_spravu.
    enum Result {
        ResultOK = 1,
        ResultCancel = 2,
        ResultAbort = 3,
        ResultRetry = 4,
        ResultIgnore = 5,
        ResultYes = 6,
        ResultNo = 7,
        ResultAll = 8,
        ResultNoToAll = 9,
        ResultYesToAll = 10
    };

    virtual ~Services() = default;

    // The plain message box: captioned with programName(), the text, one "OK".
    virtual void messageBox(const QString &text) = 0;
    // The Slovak message dialog; returns the result of the button pressed.
    virtual int zobraz_spravu(const QString &text, int kind, Buttons buttons) = 0;
    // The busy window: "on", "off" (after a 500 ms pause) or a text to show.
    virtual void pracujem(const QString &text) = 0;
    // The double warning beep.
    virtual void beep1() = 0;
    // Puts the input focus into the control of that object name.
    virtual void focus(const QString &control) = 0;
    // Puts the input focus into the control of that box of the forms.
    virtual void focusBox(FormBox box) = 0;
    // Whether the control of that name can take the focus now (shown and enabled).
    virtual bool canFocus(const QString &control) const = 0;
    // Blocks for the given time, the window included.
    virtual void sleep(int milliseconds) = 0;
    // The common open and save dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual std::optional<QString> saveFileName(const QString &title, const QString &folder,
                                                const QString &proposedName, const QString &filter) = 0;
    // A rendered report (the HTML of its template filled with the data) to the output: the output
    // options, then the preview or the printer. title names the document, such as the print job.
    virtual void outputReport(const QString &title, const QString &html) = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Services::Buttons)
