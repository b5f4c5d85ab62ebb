#pragma once

#include "ui/displaystate.h"

#include <QObject>

class District;

// The window's display state (DisplayState) with a change signal the pages follow. It is held here, not
// by the pages, because the later pages are built only when first shown.
class FormDisplay : public QObject, public DisplayState {
    Q_OBJECT
public:
    void apply(const DisplayChange &change);
    void selectQuickChoice(int index);
    void setQuickChoiceText(const QString &text);
    // The no-votes state follows the district's party count from now on.
    void followVotes(const District &district);

signals:
    void changed();
};
