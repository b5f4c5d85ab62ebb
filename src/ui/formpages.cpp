#include "ui/formpages.h"

#include <QWidget>

FormPages::FormPages(std::initializer_list<QWidget *> pages) : QObject(*pages.begin()) {
    for (QWidget *page : pages)
        m_controls.insert(page->objectName(), page);
}

void FormPages::build(const std::vector<layouttable::Control> &rows, QWidget &page, const TableOf &tableOf) {
    buildControls(rows, page, m_controls, tableOf);
}
