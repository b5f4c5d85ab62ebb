#include "ui/fonts.h"

#include <QtGlobal>

#include <fontconfig/fontconfig.h>

namespace {

// The family TUI::windowFont asks for first.
const char *const family = "Tahoma";
// Where Debian's fonts-wine installs its faces.
const char *const wineFonts = "/usr/share/wine/fonts";

// The weights of the faces of the family that fontconfig lists.
bool hasRegularAndBold() {
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
    FcObjectSet *objects = FcObjectSetBuild(FC_WEIGHT, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    bool regular = false, bold = false;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        int weight = 0;
        if (FcPatternGetInteger(fonts->fonts[i], FC_WEIGHT, 0, &weight) != FcResultMatch)
            continue;
        regular = regular || weight == FC_WEIGHT_REGULAR;
        bold = bold || weight == FC_WEIGHT_BOLD;
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return regular && bold;
}

} // namespace

void registerWindowFonts() {
    static const bool once = [] {
        if (!FcInit())
            return false;
        if (!hasRegularAndBold())
            FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8 *>(wineFonts));
        return true;
    }();
    Q_UNUSED(once);
}

bool windowFontsRegistered() {
    return hasRegularAndBold();
}
