#pragma once

#include "model/district.h"
#include "store/datamodule.h"
#include "support/installationcopy.h"
#include "ui/focusrouter.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"

#include "scriptedwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include <memory>

// The real main window on a copy of the installation, its dialogs answered by a script.
struct WindowFixture {
    InstallationCopy copy;
    std::unique_ptr<DataModule> data;
    std::unique_ptr<ScriptedServices> owned;
    ScriptedServices &script;
    std::unique_ptr<TUI> window;

    enum class Dialogs { Scripted, Real };

    // With a script of the test's own (one that records more), or a plain one; with Dialogs::Real the
    // real dialogs show and the sounds sound, and the script stays unasked.
    explicit WindowFixture(ScriptedServices *own = nullptr, Dialogs dialogs = Dialogs::Scripted)
        : owned(own ? nullptr : new ScriptedServices), script(own ? *own : *owned) {
        data = std::make_unique<DataModule>(copy.dataFolder());
        window = std::make_unique<TUI>(*data,
                                       dialogs == Dialogs::Scripted ? scriptedServices(script) : TUI::ServicesMaker());
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the main window did not become active");
    }
    ~WindowFixture() { window.reset(); }

    // A control of a page not built yet (built when first shown) has all pages built first.
    template <typename T = QWidget> T *control(const QString &name) const {
        if (!window->findChild<QWidget *>(name))
            window->buildAllPages();
        return window->findChild<T *>(name);
    }
    QLineEdit *box(const QString &name) const { return control<QLineEdit>(name); }
    QString focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    int currentPage() const { return window->pages().currentIndex(); }
    Table &s1() { return data->TS1(); }

    // The focus moved by the program, as a key handler or a check would.
    void focus(const QString &name) { window->services().focus(name); }
    // Types into the focused control: digits and other characters as key clicks.
    void type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Enters the box, replaces its figure by typing, and leaves it by the key.
    void enter(const QString &name, const QString &text, Qt::Key leaveBy = Qt::Key_Return) {
        focus(name);
        type(text);
        key(leaveBy);
    }
    void clickTab(int index) {
        QTabBar *tabs = window->pages().tabs();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
};
