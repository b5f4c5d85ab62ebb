#pragma once

#include "model/formbox.h"
#include "model/progress.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// What the pages show beside the tables' figures, as an operation leaves it: the window keeps it, the
// district does not, and it changes only where an operation says so (the emphasis, for one, stays as it
// was until an operation refreshes it).
struct DisplayChange {
    enum class Kind {
        PartyEmphasis,     // flags[n]: party-vote box n (1..21) in bold red
        CandidateEmphasis, // flags[n]: candidate box n (1..150) in bold red
        Party,             // the current attachment's party: texts {EPocKand, NazovKoal}; boxes 1..count enabled
        Counter,           // Label13 / Label13_2: texts {the current record's number}
        QuickChoiceItems,  // the quick-choice list: texts its items, none selected
        QuickChoiceIndex,  // the quick-choice item selected: count (-1: none)
        ProtocolWrap,      // the error protocols wrap their lines
    };
    Kind kind;
    QStringList texts = {};
    QList<bool> flags = {};
    int count = 0;
};

// What an operation leaves for the window once it returns: the messages to show, the focus moves to make
// and what the pages show, in the order the operation met them.
struct Step {
    enum class Kind {
        Message,      // the plain message box
        Error,        // the message dialog of an error, with "OK"
        Information,  // the message dialog of an information, with "OK"
        Beep,         // the double warning beep
        Focus,        // the focus into the box, its page shown first
        FocusIfShown, // the focus into the box when it can take it now
        Show,         // a change of what the pages show
        Busy,         // a change of the busy window (the text as the progress takes it)
        Pause,        // a pause of the busy window, so that its text can be read
    };
    Kind kind;
    QString text = {};
    FormBox box = FormBox::Obvod;
    DisplayChange display = {DisplayChange::Kind::Counter};
    int milliseconds = 0; // of a pause

    // A dialog the user answers: the plain message box, an error or an information.
    bool dialog() const { return kind == Kind::Message || kind == Kind::Error || kind == Kind::Information; }
};

// A file dialog an operation needs answered before it runs on: its title, the folder it opens in and the
// file name it proposes (empty: none).
struct FileQuestion {
    QString title;
    QString folder;
    QString proposedName = {};
};

class Outcome {
public:
    void message(const QString &text) { m_steps.append({Step::Kind::Message, text}); }
    void error(const QString &text) { m_steps.append({Step::Kind::Error, text}); }
    void information(const QString &text) { m_steps.append({Step::Kind::Information, text}); }
    void beep() { m_steps.append({Step::Kind::Beep}); }
    void focus(FormBox box) { m_steps.append({Step::Kind::Focus, QString(), box}); }
    void focusIfShown(FormBox box) { m_steps.append({Step::Kind::FocusIfShown, QString(), box}); }
    void show(const DisplayChange &display) { m_steps.append({Step::Kind::Show, QString(), FormBox::Obvod, display}); }
    void append(const Outcome &later) { m_steps.append(later.m_steps); }
    // The busy window's change and pause in their place among the steps: at once while no dialog waits
    // to be shown, after the dialogs otherwise, so that they show over the busy window as they would have
    // had the operation shown them itself.
    void busy(Progress &progress, const QString &text) {
        if (dialogWaits())
            m_steps.append({Step::Kind::Busy, text});
        else
            progress.pracujem(text);
    }
    void pause(Progress &progress, int milliseconds) {
        if (dialogWaits())
            m_steps.append({.kind = Step::Kind::Pause, .milliseconds = milliseconds});
        else
            progress.sleep(milliseconds);
    }

    const QList<Step> &steps() const { return m_steps; }

private:
    bool dialogWaits() const {
        // Once one change waits behind a dialog, every later one does: they keep their order.
        return std::any_of(m_steps.begin(), m_steps.end(), [](const Step &step) {
            return step.dialog() || step.kind == Step::Kind::Busy || step.kind == Step::Kind::Pause;
        });
    }

    QList<Step> m_steps;
};
