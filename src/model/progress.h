#pragma once

#include <QString>

// The busy window, the one thing of the window an operation drives while it runs.
class Progress {
public:
    virtual ~Progress() = default;
    // "on", "off" (after a 500 ms pause) or a text to show.
    virtual void pracujem(const QString &text) = 0;
    // A pause, so that the text shown can be read.
    virtual void sleep(int milliseconds) = 0;
};
