#pragma once

class District;

// The export of an error-free district as the password-protected archive "VQ" + OBEC + "." + OKRSOK
// holding the S file and the P file, into a folder the user chooses.

// The EXPORT button: the complete check, then ExportOkrsok.
void Button16Click(District &district);

// Refuses a district with errors (Bezchybnost not ticked); otherwise marks KTO "0" and runs ExportVQ.
void ExportOkrsok(District &district);

// The consistency of protocol and attachments, the save dialog, then the archive built in memory and
// placed into the chosen folder under its own name: written, synced, read back and verified (members
// decrypted, every line's TKC checked) before it replaces a file of that name. A failure leaves no
// partial archive and is shown with the operating system's error code.
void ExportVQ(District &district);
