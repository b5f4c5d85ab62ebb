#pragma once

#include "print/printing.h"
#include "ui/displaystate.h"
#include "ui/formboxcontrols.h"
#include "ui/services.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

// The window's services for tests: answers queued in advance, everything the core asked for recorded,
// sleeps counted but not slept.
class ScriptedServices : public Services {
public:
    struct Dialog {
        QString text;
        int kind;
        Buttons buttons;
    };

    // What was shown and asked, in order.
    QStringList messageBoxes;    // texts of the plain message box
    std::vector<Dialog> dialogs; // zobraz_spravu calls
    QStringList busy;            // pracujem arguments
    QStringList focusRequests;   // control names
    // What the window would show after the display changes, which stay when the records are forgotten.
    DisplayState shown;
    int beeps = 0;
    int sleptMilliseconds = 0;
    QStringList fileDialogTitles;
    struct Report {
        QString title;
        QString html;
    };
    std::vector<Report> reports; // outputReport calls
    // Texts of the window's general error box (tests/ui/scriptedwindow.h); forget() keeps them, so that a
    // test's check that none was shown covers its whole run.
    QStringList errorsShown;

    // Answers, taken from the front; an unscripted question fails the test by an exception.
    std::deque<int> answers;
    std::deque<std::optional<QString>> fileAnswers;
    // Controls that can take the focus; canFocus() is true for every name when acceptAllFocus is set.
    QSet<QString> focusable;
    bool acceptAllFocus = true;

    void messageBox(const QString &text) override { messageBoxes.append(text); }
    int zobraz_spravu(const QString &text, int kind, Buttons buttons) override {
        dialogs.push_back({text, kind, buttons});
        if (answers.empty()) {
            // Information and errors with OK alone need no script.
            if (buttons == Buttons(OK))
                return ResultOK;
            throw std::logic_error("unscripted question: " + text.toStdString());
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void pracujem(const QString &text) override {
        busy.append(text);
        if (text == QStringLiteral("off"))
            sleptMilliseconds += 500;
    }
    void beep1() override {
        ++beeps;
        sleptMilliseconds += 400;
    }
    virtual void focus(const QString &control) { focusRequests.append(control); }
    // Recorded by the control's name, as the window moves the focus.
    void focusBox(FormBox box) override { focus(formBoxControl(box)); }
    bool canFocusBox(FormBox box) const override { return acceptAllFocus || focusable.contains(formBoxControl(box)); }
    void display(const DisplayChange &change) override { shown.apply(change); }
    void sleep(int milliseconds) override { sleptMilliseconds += milliseconds; }
    std::optional<QString> openFileName(const QString &title, const QString &, const QString &) override {
        return nextFile(title);
    }
    std::optional<QString> saveFileName(const QString &title, const QString &, const QString &,
                                        const QString &) override {
        return nextFile(title);
    }
    void outputReport(const QString &title, const QString &html) override { reports.push_back({title, html}); }

    // An operation's outcome shown as the window shows it; a report handed to the output.
    void show(const Outcome &outcome) { present(*this, outcome); }
    void output(const RenderedReport &report) { outputReport(report.title, report.html); }

    // Every record dropped, the answers kept.
    void forget() {
        messageBoxes.clear();
        dialogs.clear();
        busy.clear();
        focusRequests.clear();
        beeps = 0;
        sleptMilliseconds = 0;
        fileDialogTitles.clear();
        reports.clear();
    }

private:
    std::optional<QString> nextFile(const QString &title) {
        fileDialogTitles.append(title);
        if (fileAnswers.empty())
            throw std::logic_error("unscripted file dialog: " + title.toStdString());
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

// Scripted services that also keep one journal of what was shown and asked, in order across kinds:
// "box:<text>", "busy:<text>", "focus:<control>", "beep". onMessage, when set, runs at each plain
// message box, so that a test can look at the tables at the moment the message appears.
class JournalServices : public ScriptedServices {
public:
    QStringList journal;
    std::function<void(const QString &)> onMessage;

    void messageBox(const QString &text) override {
        journal.append(QStringLiteral("box:") + text);
        ScriptedServices::messageBox(text);
        if (onMessage)
            onMessage(text);
    }
    int zobraz_spravu(const QString &text, int kind, Buttons buttons) override {
        journal.append(QStringLiteral("dialog:") + text);
        return ScriptedServices::zobraz_spravu(text, kind, buttons);
    }
    void pracujem(const QString &text) override {
        journal.append(QStringLiteral("busy:") + text);
        ScriptedServices::pracujem(text);
    }
    void focus(const QString &control) override {
        journal.append(QStringLiteral("focus:") + control);
        ScriptedServices::focus(control);
    }
    void beep1() override {
        journal.append(QStringLiteral("beep"));
        ScriptedServices::beep1();
    }
    void forget() {
        ScriptedServices::forget();
        journal.clear();
    }
};
