#pragma once

#include "ui/controlfactory.h"

#include <QObject>

#include <initializer_list>

// The shape of every page of the window: an object that lives with its page (or pair of pages), builds
// their controls from a layout table through the control factory and finds them by name. What the
// controls do and what they show is each page's own.
class FormPages : public QObject {
    Q_OBJECT
public:
    QWidget *control(const QString &name) const { return m_controls.value(name); }

protected:
    // The pages it builds; the first one owns it.
    explicit FormPages(std::initializer_list<QWidget *> pages);

    // Builds the rows of the table that stand on the page; tableOf gives the table of its bound rows.
    void build(const std::vector<layouttable::Control> &rows, QWidget &page, const TableOf &tableOf = {});

private:
    ControlMap m_controls;
};
