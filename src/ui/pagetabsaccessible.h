#pragma once

// What assistive technology sees of the page tabs (PageTabs): only the tabs that are shown. Qt's own
// view of a tab bar lists a hidden tab too ("CISELNIKY") as if it were there to choose.
// Installed once per application, before the window is built.
void installPageTabsAccessible();
