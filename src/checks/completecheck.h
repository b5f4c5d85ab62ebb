#pragma once

class District;

// The complete check: every check in protocol mode, the two error protocols (memos and tables),
// Bezchybnost, and the refresh of the attachment pages for the first attachment.
void KompletnaKontrola(District &district);
