#include "ui/focusrouter.h"

#include "store/errors.h"
#include "ui/entrycontrols.h"
#include "ui/keys.h"
#include "ui/pagecontrol.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

FocusRouter::FocusRouter(QWidget &window, PageControl &pages) : QObject(&window), m_window(window), m_pages(pages) {
    qApp->installEventFilter(this);
    m_pages.pageRequested = [this](int index) { changePage(index, true); };
}

FocusRouter::~FocusRouter() {
    qApp->removeEventFilter(this);
    m_pages.pageRequested = nullptr;
}

void FocusRouter::setHandlers(QWidget *control, Handlers handlers) {
    m_handlers.insert(control, std::move(handlers));
}

void FocusRouter::setPageHandlers(QWidget *page, PageHandlers handlers) {
    m_pageHandlers.insert(page, std::move(handlers));
}

bool FocusRouter::run(const std::function<void()> &operation) {
    try {
        operation();
        return true;
    } catch (const VolbyError &error) {
        if (m_onError)
            m_onError(error);
        return false;
    }
}

bool FocusRouter::inWindow(const QObject *object) const {
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->window() == &m_window;
}

int FocusRouter::pageOf(const QWidget *control) const {
    for (int i = 0; i < m_pages.count(); ++i) {
        if (m_pages.widget(i)->isAncestorOf(control))
            return i;
    }
    return -1;
}

QWidget *FocusRouter::firstControl(QWidget *page) const {
    for (QWidget *w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus))
            return w;
        if (w == &m_window)
            break;
    }
    return nullptr;
}

bool FocusRouter::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    if (!inWindow(watched))
        return false;
    auto *control = static_cast<QWidget *>(watched);
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease)
        return keyEvent(control, static_cast<QKeyEvent *>(event), type == QEvent::KeyPress);

    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (type == QEvent::FocusIn) {
        arrive(control, reason);
        // A handler sent the focus on: the control never sees the focus it no longer has.
        return !control->hasFocus();
    }
    // A modal dialog or the busy window takes the window's activation, not the control's focus: the
    // forms count that as neither leaving nor entering.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    leave(control);
    // The exit processing put the focus back: the control keeps it.
    return control->hasFocus();
}

void FocusRouter::arrive(QWidget *control, Qt::FocusReason reason) {
    if (control == m_entered)
        return;
    // The box entered before is left first, whichever event came first.
    if (m_entered)
        leave(m_entered);
    if (!control->hasFocus())
        return;
    pageMove(control);
    if (!control->hasFocus() || control == m_entered)
        return;
    m_entered = control;
    const auto handlers = m_handlers.value(control);
    if (handlers.enter)
        run(handlers.enter);
    if (auto *box = qobject_cast<TDBEdit_VQRA01 *>(control))
        box->setBackground(box->focusColor().isValid() ? box->focusColor() : box->rememberedColor());
    // Entering by the keyboard or the program selects the whole figure, so that typing replaces it; a
    // mouse click places the cursor. Decided here, on the entry, not by the focus event's reason alone:
    // a focus request made while the window is inactive (the busy window closing) arrives as the
    // window's activation, and is an entry all the same.
    if (auto *edit = qobject_cast<QLineEdit *>(control); edit && reason != Qt::MouseFocusReason)
        edit->selectAll();
}

QWidget *FocusRouter::leave(QWidget *control, bool sendBack) {
    if (control != m_entered)
        return nullptr;
    m_entered = nullptr;
    auto *box = qobject_cast<TDBEdit_VQRA01 *>(control);
    const auto handlers = m_handlers.value(control);
    QPointer<QWidget> back;
    run([&] {
        if (box)
            box->commit();
        if (handlers.exit)
            back = handlers.exit();
    });
    if (back && sendBack)
        focus(back);
    // Unless the exit processing sent the focus straight back into the box.
    if (box && m_entered != box)
        box->setBackground(box->rememberedColor());
    return back;
}

void FocusRouter::storeEntered() {
    QWidget *control = m_entered;
    m_entered = nullptr;
    const auto handlers = m_handlers.value(control);
    if (!control || !handlers.store)
        return;
    auto *box = qobject_cast<TDBEdit_VQRA01 *>(control);
    run([&] {
        if (box)
            box->commit();
        handlers.store();
    });
}

void FocusRouter::pageMove(QWidget *control) {
    const int page = pageOf(control);
    if (page == m_focusPage)
        return;
    const int old = m_focusPage;
    m_focusPage = page;
    if (old >= 0) {
        const auto handlers = m_pageHandlers.value(m_pages.widget(old));
        if (handlers.exit)
            run(handlers.exit);
    }
    if (page >= 0) {
        const auto handlers = m_pageHandlers.value(m_pages.widget(page));
        if (handlers.enter)
            run(handlers.enter);
    }
}

bool FocusRouter::keyEvent(QWidget *control, QKeyEvent *event, bool press) {
    // A key refused by a control travels on to its parents; the handlers hear it once, from the control.
    if (control != QApplication::focusWidget())
        return false;
    const keys::Key key = keys::keyOf(event->keyCombination());
    if (key == keys::Key::NextPage || key == keys::Key::PreviousPage) {
        if (press)
            changePage(m_pages.neighbourPage(key == keys::Key::NextPage), true);
        return true;
    }
    const auto handlers = m_handlers.value(control);
    const auto &handler = press ? handlers.keyDown : handlers.keyUp;
    if (handler)
        run([&] { handler(event->key()); });
    // Enter presses a focused button, as Space does.
    auto *button = qobject_cast<QAbstractButton *>(control);
    if (press && button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (button->hasFocus() && button->isEnabled() && !event->isAutoRepeat())
            button->click();
        return true;
    }
    return false;
}

void FocusRouter::focus(QWidget *control) {
    const int page = pageOf(control);
    if (page >= 0 && page != m_pages.currentIndex()) {
        changePage(page, false, control);
        return;
    }
    control->setFocus(Qt::OtherFocusReason);
}

void FocusRouter::changePage(int index, bool byUser) {
    changePage(index, byUser, nullptr);
}

void FocusRouter::changePage(int index, bool byUser, QWidget *target) {
    if (index < 0 || index >= m_pages.count() || index == m_pages.currentIndex())
        return;
    QWidget *old = m_pages.currentWidget();
    const QWidget *focused = QApplication::focusWidget();
    const bool inPage = focused && old->isAncestorOf(focused);
    if (m_entered && old->isAncestorOf(m_entered)) {
        // The exit processing runs while the box still holds the focus, so that it can keep it.
        QPointer<QWidget> back = leave(m_entered, false);
        if (back && old->isAncestorOf(back)) {
            // Refused: the page stays, the change steps run on it, and the box the focus went back to is
            // entered again. Entered after the steps, because they post S1 (KC3): entered before, the
            // box would stay closed to typing until the user left it and came back.
            back->setFocus(Qt::OtherFocusReason);
            if (byUser && m_pageChange)
                run([&] { m_pageChange(m_pages.currentIndex()); });
            // As any entry by the program, it selects the whole figure.
            if (back && back->hasFocus())
                arrive(back, Qt::OtherFocusReason);
            return;
        }
    }
    // The tabs hold the focus while the pages swap, so the leave handler of the old page runs now.
    if (inPage || target)
        m_pages.tabs()->setFocus(Qt::OtherFocusReason);
    m_pages.setCurrentIndex(index);
    QWidget *next = target ? target : (inPage ? firstControl(m_pages.widget(index)) : nullptr);
    if (next)
        next->setFocus(target ? Qt::OtherFocusReason : Qt::TabFocusReason);
    if (byUser && m_pageChange)
        run([&] { m_pageChange(m_pages.currentIndex()); });
}
