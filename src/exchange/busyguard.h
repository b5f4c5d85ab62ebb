#pragma once

#include "model/progress.h"

#include <exception>

// Switches the busy window off when an error leaves the operation that switched it on, so that the main
// window is not left hidden behind it. The error itself goes on to the window's general error box.
class BusyOffOnError {
public:
    explicit BusyOffOnError(Progress &progress) : m_progress(progress) {}
    ~BusyOffOnError() {
        if (std::uncaught_exceptions() <= m_exceptions)
            return;
        try {
            m_progress.pracujem(QStringLiteral("off"));
        } catch (...) {
            // A second failure while the first unwinds cannot be reported; the first one is.
        }
    }
    BusyOffOnError(const BusyOffOnError &) = delete;
    BusyOffOnError &operator=(const BusyOffOnError &) = delete;

private:
    Progress &m_progress;
    int m_exceptions = std::uncaught_exceptions();
};
