#pragma once

#include <QTabBar>
#include <QTabWidget>

#include <functional>

// PageControl1: a tab widget whose tabs do not switch the page themselves. A click on a tab and the
// arrow keys on the focused tabs only ask for the change (pageRequested); the FocusRouter decides,
// because the exit processing of the box being left may refuse it.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);

    // The page reached from the current one by a step forward or back over the pages that have a tab.
    int neighbourPage(bool forward) const;
    QTabBar *tabs() const { return tabBar(); }

    std::function<void(int index)> pageRequested;
};

// The tab row of PageControl1.
class PageTabs : public QTabBar {
    Q_OBJECT
public:
    explicit PageTabs(PageControl &pages);
    // Asks for the page of a shown tab, as a click on it does.
    void request(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    PageControl &m_pages;
};
