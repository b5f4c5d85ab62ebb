#pragma once

// The boxes of the forms that the core names: the identification and count boxes of the protocol,
// whose exits run their checks and to which a failed check sends the user back, and the attachment's
// pVPH, where several operations put the focus. Only the window knows their controls
// (src/ui/formboxcontrols.h).
enum class FormBox { Obvod, Obec, Okrsok, Pozzv, Pvo, PooPosta, Poo, Pphs, Vph };
