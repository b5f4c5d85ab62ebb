#pragma once

#include "model/district.h"
#include "store/datamodule.h"
#include "store/schema.h"
#include "store/table.h"
#include "support/installationcopy.h"
#include "support/scriptedservices.h"

#include <QMap>
#include <QString>

#include <map>
#include <memory>

// A district on a copy of the installation's tables (S1 and P1 as the wipe leaves them, the code lists
// filled): the data module, the scripted services and the model state, with helpers that write records
// directly, as data that did not pass the entry boxes would be.
class DistrictSetup {
public:
    using Values = QMap<QString, QString>; // field name to text

    DistrictSetup() : m_data(std::make_unique<DataModule>(m_copy.dataFolder())), m_district(*m_data, services) {
        // The no-votes state follows the party count, as the window's display does.
        QObject::connect(&m_district, &District::changed, [this] { services.shown.followVotes(m_district); });
        services.shown.followVotes(m_district);
    }

    bool isValid() const { return m_copy.isValid(); }
    DataModule &data() { return *m_data; }
    District &district() { return m_district; }
    Table &s1() { return m_data->TS1(); }
    Table &p1() { return m_data->TP1(); }
    QString dataFolder() const { return m_copy.dataFolder(); }

    // Writes the fields of the current record (edit state, so an empty table gets one) and posts it.
    static void set(Table &table, const Values &values) {
        table.edit();
        for (auto it = values.begin(); it != values.end(); ++it)
            table.setText(it.key(), it.value());
        table.post();
    }

    // S1 fields by name, posted.
    void setProtocol(Values values) {
        m_data->TS1().first();
        set(m_data->TS1(), values);
    }

    // The valid identification and counts of a district without findings (municipality 500011 of
    // district 101 has 30 polling districts), with the party votes given (all others 0, PPHS their sum).
    void setValidProtocol(const std::map<int, int> &partyVotes) {
        int total = 0;
        for (const auto &[party, votes] : partyVotes)
            total += votes;
        setProtocol({{"TYPV", "0"},
                     {"OBVOD", "101"},
                     {"OBEC", "500011"},
                     {"OKRSOK", "1"},
                     {"POZZV", "1000"},
                     {"PVO", "900"},
                     {"POO_POSTA", "0"},
                     {"POO", "900"},
                     {"PPHS", QString::number(total)}});
        setPartyVotes(partyVotes);
    }

    void setPartyVotes(const std::map<int, int> &partyVotes) {
        Table &s1 = m_data->TS1();
        s1.first();
        s1.edit();
        for (int party = 1; party <= 26; ++party) {
            const auto found = partyVotes.find(party);
            s1.setInteger(schemas::S1_PPHPS1 + party - 1, found == partyVotes.end() ? 0 : found->second);
        }
        s1.post();
    }

    // Fields of the current P1 record by name, posted.
    void setAttachment(Values values) { set(m_data->TP1(), values); }

    // Appends a P1 record of zeros with the fields given.
    void appendAttachment(Values values) {
        Table &p1 = m_data->TP1();
        p1.append();
        for (int i = 0; i < p1.fieldCount(); ++i)
            p1.setText(i, QStringLiteral("0"));
        for (auto it = values.begin(); it != values.end(); ++it)
            p1.setText(it.key(), it.value());
        p1.post();
    }

    // Makes the P1 record of that party current; false when there is none.
    bool goToParty(int party) { return m_data->TP1().locate(QStringLiteral("KON"), QString::number(party)); }

    // The tables as stored on disk, read by a data module of their own.
    std::unique_ptr<DataModule> reopen() const { return std::make_unique<DataModule>(m_copy.dataFolder()); }

    JournalServices services;

private:
    InstallationCopy m_copy;
    std::unique_ptr<DataModule> m_data;
    District m_district;
};
