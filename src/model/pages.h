#pragma once

#include <QString>

// The program's name: the caption of its message boxes and the name its data folder is kept under.
inline QString programName() {
    return QStringLiteral("Volby do VQRA 2006");
}

// The program's title: the main window's caption, the first line of "O programe", the creator of its PDF
// files.
inline QString programTitle() {
    return QStringLiteral("Voľby do VQRA 2006");
}

// The window's pages by their index, which the page-change rules use; CodeLists has no tab.
namespace pages {
enum Index : int { Protocol, PartyVotes, AttachmentFirst, AttachmentSecond, CheckProtocols, PrintExport, CodeLists };
}
