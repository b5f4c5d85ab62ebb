#include "ui/pagecontrol.h"

#include <QKeyEvent>
#include <QMouseEvent>

PageControl::PageControl(QWidget *parent) : QTabWidget(parent) {
    setTabBar(new PageTabs(*this));
}

int PageControl::neighbourPage(bool forward) const {
    const int n = count();
    for (int step = 1; step < n; ++step) {
        const int index = (currentIndex() + (forward ? step : n - step)) % n;
        if (isTabVisible(index) && isTabEnabled(index))
            return index;
    }
    return currentIndex();
}

PageTabs::PageTabs(PageControl &pages) : QTabBar(&pages), m_pages(pages) {}

void PageTabs::request(int index) {
    if (index >= 0 && index != currentIndex() && isTabVisible(index) && m_pages.pageRequested)
        m_pages.pageRequested(index);
}

void PageTabs::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        request(tabAt(event->position().toPoint()));
    event->accept();
}

void PageTabs::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        request(m_pages.neighbourPage(event->key() == Qt::Key_Right));
        event->accept();
        return;
    }
    QTabBar::keyPressEvent(event);
}

// The wheel does not turn the pages: every change goes through pageRequested.
void PageTabs::wheelEvent(QWheelEvent *event) {
    event->accept();
}
