#pragma once

// The faces of the window's font, Tahoma regular and bold (TUI::windowFont). The Tahoma-metric faces of Debian's
// fonts-wine lie in a folder that the system's font configuration does not list; registerWindowFonts()
// asks fontconfig for them and, where it lacks them, adds that folder to the fonts of this process, so
// that Qt finds both faces through fontconfig like any other font. fontconfig caches the folder's
// scan: after the first start the registration costs a fraction of a millisecond.

// Runs once per process, before Qt builds its font database (at the application's start).
void registerWindowFonts();

// Whether fontconfig offers the regular and the bold face of Tahoma.
bool windowFontsRegistered();
