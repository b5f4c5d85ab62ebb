#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class PageControl;
class QKeyEvent;
class VolbyError;

// The one place through which every focus change and page change of the main window passes.
//
// Qt tells a widget that it lost the focus only after the next widget holds it, and switches a tab
// page before anyone is asked. The forms need the opposite: the exit processing of the box being left
// runs first, it may put the focus back (checks K01..K03), and a page change it refuses does not
// happen. The router therefore watches the focus events of the whole window (an application event
// filter) and keeps its own notion of the box "entered": a box's exit handler runs exactly once after
// its enter handler, before the enter handler of whatever comes next, whatever the route (Tab, mouse,
// a key handler, a focus request of the core, a modal dialog in between). Page changes come from
// PageControl::pageRequested, Ctrl+Tab and the program (changePage), and run the exit processing of
// the entered box before the page moves.
//
// How a page registers its controls (once, after creating them):
//
//     router.setHandlers(box, {.enter = [..] { eOBVODEnter(district); },
//                              .exit = [..] { return services.presentExit(protocolBoxExit(district, ..)); },
//                              .keyDown = [..](int key) { ... }});
//
// - enter runs when the focus arrives; for a TDBEdit_VQRA01 the focus colour is applied after it, and
//   the text of an edit box is selected unless the mouse brought the focus.
// - exit runs when the focus leaves; for a TDBEdit_VQRA01 the typed text is written into the field
//   before it (commit()) and the remembered colour applied after it. It returns the control it sends
//   the focus back to (a failed check's box), or null; the router moves the focus there, or, when the
//   exit ran for a page change, refuses the change with it.
// - keyDown / keyUp get the Qt key of every key pressed / released while the control has the focus;
//   they do not consume it (the control then treats the key as usual).
// - store is what the exit stores without its checks: it runs instead of exit when the window closes
//   with the focus in the box (storeEntered()), so that the figure being typed is kept.
// - A page's enter / exit run when the focus moves from a control outside the page to one inside, or
//   the other way round (the page tabs count as outside every page).
// Every handler runs guarded: a VolbyError abandons it and reaches the error handler (the window's
// general error box). Focus requests go through focus(); a handler never calls QWidget::setFocus.
// Exit handlers that return nothing are wrapped by exitOnly().
class FocusRouter : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void()> enter = {};
        std::function<QWidget *()> exit = {};
        std::function<void(int key)> keyDown = {};
        std::function<void(int key)> keyUp = {};
        std::function<void()> store = {};
    };
    struct PageHandlers {
        std::function<void()> enter = {};
        std::function<void()> exit = {};
    };

    // An exit that sends the focus nowhere.
    static std::function<QWidget *()> exitOnly(std::function<void()> exit) {
        return [exit = std::move(exit)]() -> QWidget * {
            exit();
            return nullptr;
        };
    }

    FocusRouter(QWidget &window, PageControl &pages);
    ~FocusRouter() override;

    void setHandlers(QWidget *control, Handlers handlers);
    void setPageHandlers(QWidget *page, PageHandlers handlers);
    // Runs after every page change made by the user, with the index of the page current afterwards.
    void setPageChangeHandler(std::function<void(int index)> handler) { m_pageChange = std::move(handler); }
    void setErrorHandler(std::function<void(const VolbyError &)> handler) { m_onError = std::move(handler); }

    // Runs an operation of the window; a VolbyError abandons it and is shown. False when it was.
    bool run(const std::function<void()> &operation);

    // Puts the focus into the control, showing its page first when another page is current.
    void focus(QWidget *control);
    // Makes the page current: by the user (a tab, Ctrl+Tab, NaStranu2: the change handler runs) or by
    // the program. The entered box's exit processing runs first; when it puts the focus back into the
    // current page the change is refused.
    void changePage(int index, bool byUser);

    QWidget *entered() const { return m_entered; }
    // The window closes: the entered box's figure is stored as leaving it would, without its checks
    // and their messages; nothing runs for the box afterwards. An error is shown and goes no further.
    void storeEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void changePage(int index, bool byUser, QWidget *target);
    void arrive(QWidget *control, Qt::FocusReason reason);
    // Runs the exit processing of the entered control; returns the control it sends the focus back to,
    // which it focuses when sendBack is set.
    QWidget *leave(QWidget *control, bool sendBack = true);
    void pageMove(QWidget *control);
    bool keyEvent(QWidget *control, QKeyEvent *event, bool press);
    int pageOf(const QWidget *control) const;
    QWidget *firstControl(QWidget *page) const;
    bool inWindow(const QObject *object) const;

    QWidget &m_window;
    PageControl &m_pages;
    QHash<const QWidget *, Handlers> m_handlers;
    QHash<const QWidget *, PageHandlers> m_pageHandlers;
    std::function<void(int)> m_pageChange;
    std::function<void(const VolbyError &)> m_onError;
    QPointer<QWidget> m_entered; // the control whose enter ran and whose exit has not
    int m_focusPage = -1;        // page of the control that last received the focus, -1 the tabs
};
