#include "ui/formdisplay.h"

#include "model/district.h"

void FormDisplay::apply(const DisplayChange &change) {
    if (DisplayState::apply(change))
        emit changed();
}

void FormDisplay::selectQuickChoice(int index) {
    if (DisplayState::selectQuickChoice(index))
        emit changed();
}

void FormDisplay::setQuickChoiceText(const QString &text) {
    if (DisplayState::setQuickChoiceText(text))
        emit changed();
}

void FormDisplay::followVotes(const District &district) {
    const auto follow = [this, &district] {
        if (DisplayState::followVotes(district))
            emit changed();
    };
    connect(&district, &District::changed, this, follow);
    follow();
}
