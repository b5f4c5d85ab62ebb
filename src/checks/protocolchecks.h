#pragma once

#include "checks/finding.h"
#include "checks/municipality.h"
#include "store/form.h"

#include <QString>

#include <array>
#include <optional>

class Table;

// The fields of the S1 record that the checks compare, as stored texts: a check converts a figure only
// when it compares it, so a field that is not a number stops (ConversionError) only the checks that read it.
struct ProtocolRecord {
    QString obvod;
    QString obec;
    QString okrsok;
    QString pozzv;
    QString pvo;
    QString pooPosta;
    QString poo;
    QString pphs;
    std::array<QString, form::partyFields> partyVotes; // PPHPS1..26
};

// The current record of S1, read once.
ProtocolRecord protocolRecord(const Table &s1);

// The checks of the protocol T/12, each on the values it compares. K02 of the protocol is
// checkMunicipalityCode with FormBox::Obec; K01 and K03 compare with the municipality it found.
std::optional<Finding> T12K01(const ProtocolRecord &s1, const Municipality &municipality);
std::optional<Finding> T12K03(const ProtocolRecord &s1, const std::optional<Municipality> &municipality);
std::optional<Finding> T12K04(const ProtocolRecord &s1);
std::optional<Finding> T12K05(const ProtocolRecord &s1);
std::optional<Finding> T12K06(const ProtocolRecord &s1);
std::optional<Finding> T12K07(const ProtocolRecord &s1);
std::optional<Finding> T12K08(const ProtocolRecord &s1);
std::optional<Finding> T12K09(const ProtocolRecord &s1);
std::optional<Finding> T12I10(const ProtocolRecord &s1);
