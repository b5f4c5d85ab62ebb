#pragma once

#include <QByteArrayView>

class Outcome;

// The reader's record check of one line: true when the stored TKC equals the TKC of the covered part.
// A mismatch goes into the outcome as "TKC najdene: " ... CR "TKC vypocitane: " ... (information). A line
// without a TKC field (no "|" before its last character) is false without that message: there is no
// stored value to show, and the caller reports the damaged record.
bool kontrola_TKC(Outcome &outcome, QByteArrayView line);
