#pragma once

class TUI;

// The group "TLAČ" on the page "Tlač / Export" (TabSheet7): the four print buttons, each running its
// print through the window's error handling; and the window's output of reports through the output
// options, the status window and the preview.
void buildPrintGroup(TUI &window);
