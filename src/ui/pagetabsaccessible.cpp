#include "ui/pagetabsaccessible.h"

#include "ui/pagecontrol.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

// One shown tab: its caption, place and state, and the press that asks for its page, as a click does.
class PageTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PageTab(PageTabs *tabs, int index) : m_tabs(tabs), m_index(index) {}

    bool isValid() const override { return m_tabs && m_index < m_tabs->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_tabs->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_tabs); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? m_tabs->tabText(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override {
        const QRect r = m_tabs->tabRect(m_index);
        return QRect(m_tabs->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        s.selected = m_index == m_tabs->currentIndex();
        s.focusable = m_tabs->focusPolicy() != Qt::NoFocus;
        s.focused = s.selected && m_tabs->hasFocus();
        s.disabled = !m_tabs->isTabEnabled(m_index);
        s.invisible = !m_tabs->isVisible();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override {
        if (name == pressAction() && isValid())
            m_tabs->request(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<PageTabs> m_tabs;
    int m_index;
};

class PageTabsView : public QAccessibleWidget {
public:
    explicit PageTabsView(PageTabs *tabs) : QAccessibleWidget(tabs, QAccessible::PageTabList) {}
    ~PageTabsView() override {
        for (QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(shownTabs().size()); }
    QAccessibleInterface *child(int index) const override {
        const QList<int> shown = shownTabs();
        if (index < 0 || index >= shown.size())
            return nullptr;
        const int tab = shown[index];
        if (!m_tabs.contains(tab))
            m_tabs.insert(tab, QAccessible::registerAccessibleInterface(new PageTab(tabs(), tab)));
        return QAccessible::accessibleInterface(m_tabs.value(tab));
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }

private:
    PageTabs *tabs() const { return static_cast<PageTabs *>(widget()); }
    QList<int> shownTabs() const {
        QList<int> shown;
        for (int i = 0; i < tabs()->count(); ++i) {
            if (tabs()->isTabVisible(i))
                shown.append(i);
        }
        return shown;
    }

    mutable QHash<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface *pageTabsFactory(const QString &className, QObject *object) {
    if (className == QStringLiteral("PageTabs"))
        return new PageTabsView(static_cast<PageTabs *>(object));
    return nullptr;
}

} // namespace

void installPageTabsAccessible() {
    QAccessible::installFactory(pageTabsFactory);
}
