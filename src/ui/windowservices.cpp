#include "ui/windowservices.h"

#include "model/pages.h"
#include "store/errors.h"
#include "ui/focusrouter.h"
#include "ui/formboxcontrols.h"
#include "ui/messagedialog.h"
#include "ui/reportoutput.h"
#include "ui/working.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

WindowServices::WindowServices(QWidget &window, FocusRouter &router) : m_window(window), m_router(router) {}

WindowServices::~WindowServices() = default;

TWorking &WindowServices::working() {
    // Made when first switched on: decoding its picture would delay the window's start.
    if (!m_working)
        m_working = std::make_unique<TWorking>();
    return *m_working;
}

void WindowServices::messageBox(const QString &text) {
    plainMessageBox(text, &m_window);
}

int WindowServices::zobraz_spravu(const QString &text, int kind, Buttons buttons) {
    MessageDialog dialog(text, kind, buttons, &m_window);
    return dialog.exec();
}

void WindowServices::pracujem(const QString &text) {
    // The operations that use it process no window messages: every change is painted at once.
    if (text == QStringLiteral("off")) {
        QThread::msleep(500);
        m_window.show();
        m_window.activateWindow();
        m_window.repaint();
        working().hide();
    } else {
        m_window.hide();
        working().setText(text == QStringLiteral("on") ? QStringLiteral("Pracujem ...") : text);
        working().show();
        working().raise();
        working().repaint();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowServices::beep1() {
    for (int i = 0; i < 2; ++i) {
        QApplication::beep();
        QThread::msleep(200);
    }
}

QWidget *WindowServices::control(const QString &name) const {
    QWidget *found = m_window.findChild<QWidget *>(name);
    if (!found && m_controlMissing) {
        m_controlMissing();
        found = m_window.findChild<QWidget *>(name);
    }
    return found;
}

void WindowServices::focus(const QString &name) {
    QWidget *target = control(name);
    if (!target)
        throw VolbyError(QStringLiteral("Prvok okna %1 neexistuje.").arg(name));
    m_router.focus(target);
}

void WindowServices::focusBox(FormBox box) {
    focus(formBoxControl(box));
}

QWidget *WindowServices::presentExit(const Outcome &outcome) {
    const std::optional<FormBox> back = ::presentExit(*this, outcome);
    return back ? control(formBoxControl(*back)) : nullptr;
}

bool WindowServices::canFocusBox(FormBox box) const {
    return canFocus(formBoxControl(box));
}

void WindowServices::display(const DisplayChange &change) {
    m_display.apply(change);
}

bool WindowServices::canFocus(const QString &name) const {
    // A control of a page not built yet is not shown either.
    const QWidget *target = m_window.findChild<QWidget *>(name);
    return target && target->isEnabled() && target->isVisible();
}

void WindowServices::sleep(int milliseconds) {
    QThread::msleep(milliseconds);
}

std::optional<QString> WindowServices::openFileName(const QString &title, const QString &folder,
                                                    const QString &filter) {
    // Qt's own dialog, which speaks Slovak with the program, not the desktop's.
    const QString path =
        QFileDialog::getOpenFileName(&m_window, title, folder, filter, nullptr, QFileDialog::DontUseNativeDialog);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> WindowServices::saveFileName(const QString &title, const QString &folder,
                                                    const QString &proposedName, const QString &filter) {
    const QString path = QFileDialog::getSaveFileName(&m_window, title, folder + u'/' + proposedName, filter, nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

void WindowServices::outputReport(const QString &title, const QString &html) {
    ::outputReport(&m_window, title, html);
}

void WindowServices::errorBox(const QString &text) {
    if (m_working && m_working->isVisible()) {
        m_window.show();
        m_working->hide();
    }
    showErrorBox(text);
}

void WindowServices::showErrorBox(const QString &text) {
    QMessageBox::critical(&m_window, programName(), text);
}
