#pragma once

#include "centre/figures.h"

#include <QHash>
#include <QString>

#include <array>
#include <vector>

class DataModule;

namespace centre {

struct Municipality {
    QString obvod;
    QString obec;
    QString name;
    int districts = 0; // POCOKS: its polling districts are numbered 1 to this
};

struct Party {
    QString name;       // NKO, the full name; "-" for a ballot number KOAL06 lacks
    int candidates = 0; // POCKAN
};

// What the summary names and lists from the code lists: the municipalities of OBCE06 in its order, with
// their polling districts, and the parties of KOAL06 (the first record of each ballot number counts).
struct CodeLists {
    std::vector<Municipality> municipalities;
    std::array<Party, PARTIES> parties;

    // The municipality of that code, or null.
    const Municipality *municipality(const QString &obec) const;

    // ConversionError when a count in them is no number.
    static CodeLists read(DataModule &data);

private:
    QHash<QString, qsizetype> m_index;
};

} // namespace centre
