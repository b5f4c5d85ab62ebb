#pragma once

#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

// Names the controls of a page for assistive technology while the page is built from its layout table,
// so that the names come from the table and nowhere else: a box or counter takes the caption that
// stands just before it on the form (that label becomes its buddy), unless its row gives a name of its
// own; a control with a text of its own (a button, a titled group) keeps it.
class SpokenNames {
public:
    // A caption made from the text (without its dot leader); the next box may take it.
    void caption(QLabel *label, const QString &text);
    // A box or counter made: named by its row's name, or else by the caption before it.
    void box(QWidget *box, const QString &rowName);
    // Any other control: the caption before it belongs to none of the boxes after it.
    void other(QWidget *control, const QString &rowName);

    // A caption as a name: without blanks at the ends and the colon after it.
    static QString fromCaption(const QString &caption);

private:
    QPointer<QLabel> m_caption;
    QString m_text;
};
