#pragma once

#include <QTranslator>

// Qt's own dialogs in Slovak: Qt's catalogue qtbase_sk from the system's Qt translations, and the
// program's own words for what that catalogue lacks.

// The standard buttons of Qt's message boxes and button boxes ("Cancel", "Yes", "No" ...). Qt 6 asks
// for them in the context QPlatformTheme, which Qt's Slovak catalogue (6.4) does not have.
class StandardButtonsSlovak : public QTranslator {
    Q_OBJECT
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Installs both on the application, once. False when Qt's catalogue is missing (the dialogs then keep
// Qt's English texts apart from the standard buttons).
bool installSlovak();
