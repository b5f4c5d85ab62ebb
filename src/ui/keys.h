#pragma once

#include <QKeyCombination>
#include <QString>

#include <vector>

// The keys of the main window: one table that the key handlers of the pages and the focus router read
// (keyOf), and from which the key page shown by F1 is written (keyPageHtml).

namespace keys {

// What a key stands for; the pages decide where it leads from each box.
enum class Key {
    Enter,        // Enter, keypad Enter
    Down,         // Down arrow: as Enter
    Up,           // Up arrow
    PageDown,     // to the end of the block
    PageUp,       // to the start of the block or page
    QuickEntry,   // F10: between the candidate grid and the quick entry
    NextPage,     // Ctrl+Tab
    PreviousPage, // Ctrl+Shift+Tab
    Help,         // F1: the key page
    Other,        // left to the control (Tab, digits ...)
};

struct Row {
    std::vector<QKeyCombination> combinations;
    Key key;
    const char *name;    // as the key page shows it
    const char *meaning; // where it leads, in the words of the key page
};

// Every key the window gives a meaning, in the order of the key page.
const std::vector<Row> &table();

// The meaning of a key pressed with its modifiers (Shift is part of Ctrl+Shift+Tab only).
Key keyOf(QKeyCombination combination);
inline Key keyOf(int qtKey) {
    return keyOf(QKeyCombination(Qt::NoModifier, Qt::Key(qtKey)));
}

// The key page: a Slovak table of the keys and their meanings.
QString keyPageHtml();

} // namespace keys
