#pragma once

// The boxes of the forms that a failed check sends the user back to. Only the window knows their
// controls (src/ui/formboxcontrols.h); the core names the box.
enum class FormBox { Obvod, Obec, Okrsok };
