#pragma once

#include "model/formbox.h"
#include "model/outcome.h"
#include "model/progress.h"

#include <QFlags>
#include <QString>

#include <optional>

// What the window does for the operations: the busy window while they run, then the messages, sounds,
// focus moves and display changes of their outcome, the questions asked before or between them, the file dialogs and
// the output of a report. The window implements it with real widgets; tests with a script.
class Services : public Progress {
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

    // The plain message box: captioned with programName(), the text, one "OK".
    virtual void messageBox(const QString &text) = 0;
    // The Slovak message dialog; returns the result of the button pressed.
    virtual int zobraz_spravu(const QString &text, int kind, Buttons buttons) = 0;
    // The double warning beep.
    virtual void beep1() = 0;
    // Puts the input focus into the control of that box of the forms, its page shown first.
    virtual void focusBox(FormBox box) = 0;
    // Whether the control of that box can take the focus now (shown and enabled).
    virtual bool canFocusBox(FormBox box) const = 0;
    // A change of what the pages show.
    virtual void display(const DisplayChange &change) = 0;
    // The common open and save dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual std::optional<QString> saveFileName(const QString &title, const QString &folder,
                                                const QString &proposedName, const QString &filter) = 0;
    // A rendered report (the HTML of its template filled with the data) to the output: the output
    // options, then the preview or the printer. title names the document, such as the print job.
    virtual void outputReport(const QString &title, const QString &html) = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Services::Buttons)

// Shows an operation's outcome step by step.
void present(Services &services, const Outcome &outcome);
// Shows the outcome of a box's exit but its focus moves, and returns the box the last of them sends the
// focus to (nothing when none does, or when its box cannot take the focus now): the focus router moves
// it there, or refuses the page change the exit ran for.
std::optional<FormBox> presentExit(Services &services, const Outcome &outcome);
