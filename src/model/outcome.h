#pragma once

#include "model/formbox.h"

#include <QList>
#include <QString>

// What an operation leaves for the window once it returns: the messages to show and the focus moves to
// make, in the order the operation met them.
struct Step {
    enum class Kind {
        Message,      // the plain message box
        Error,        // the message dialog of an error, with "OK"
        Information,  // the message dialog of an information, with "OK"
        Beep,         // the double warning beep
        Focus,        // the focus into the box, its page shown first
        FocusIfShown, // the focus into the box when it can take it now
    };
    Kind kind;
    QString text = {};
    FormBox box = FormBox::Obvod;
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
    void append(const Outcome &later) { m_steps.append(later.m_steps); }

    const QList<Step> &steps() const { return m_steps; }

private:
    QList<Step> m_steps;
};
