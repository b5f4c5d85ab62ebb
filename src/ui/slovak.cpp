#include "ui/slovak.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstring>

namespace {

struct Word {
    const char *english;
    const char *slovak;
};

// The captions of the message dialog where it has the same answer (its Yes, No, Ignore, No to all).
const Word standardButtons[] = {
    {"OK", "OK"},
    {"Save", "Uložiť"},
    {"Save All", "Uložiť všetko"},
    {"Open", "Otvoriť"},
    {"&Yes", "&Áno"},
    {"Yes to &All", "Áno &všetkým"},
    {"&No", "&Nie"},
    {"N&o to All", "&Ani jeden"},
    {"Abort", "Prerušiť"},
    {"Retry", "Znova"},
    {"Ignore", "Ignorovať"},
    {"Close", "Zavrieť"},
    {"Cancel", "Zrušiť"},
    {"Discard", "Zahodiť"},
    {"Help", "Pomocník"},
    {"Apply", "Použiť"},
    {"Reset", "Obnoviť"},
    {"Restore Defaults", "Obnoviť predvolené"},
};

} // namespace

QString StandardButtonsSlovak::translate(const char *context, const char *sourceText, const char *, int) const {
    if (!context || !sourceText || std::strcmp(context, "QPlatformTheme") != 0)
        return {};
    for (const Word &word : standardButtons) {
        if (std::strcmp(word.english, sourceText) == 0)
            return QString::fromUtf8(word.slovak);
    }
    return {};
}

bool installSlovak() {
    auto *app = QCoreApplication::instance();
    auto *qt = new QTranslator(app);
    const bool loaded = qt->load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"),
                                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    // Installed last, so asked first.
    QCoreApplication::installTranslator(new StandardButtonsSlovak(app));
    return loaded;
}
