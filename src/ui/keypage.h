#pragma once

class QWidget;

// The key page that F1 opens anywhere in the main window: "Klávesy", the keys of the entry pages and
// what they do, written from the window's key table (keys.h). Modal; Escape or "Zavrieť" closes it.
void showKeyPage(QWidget *parent);
