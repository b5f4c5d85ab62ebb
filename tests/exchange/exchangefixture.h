#pragma once

#include "checks/completecheck.h"
#include "checks/sums.h"
#include "district/attachmentset.h"
#include "exchange/exchangelines.h"
#include "exchange/password.h"
#include "support/districtsetup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <map>
#include <vector>

// Shared by the export and import tests: an error-free district, the bytes of files and tables, and the
// Info-ZIP tools.
namespace fixture {

// Municipality 500011, district 1 of OBVOD 101: parties 1, 3 and 5 with votes, each attachment with
// preferential votes of three candidates (party 1 also of its 150th) and its control sums; the complete
// check finds nothing.
inline void makeCleanDistrict(District &district) {
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    const std::pair<const char *, const char *> protocol[] = {
        {"TYPV", "0"},           {"OBVOD", "101"},    {"OBEC", "500011"}, {"OKRSOK", "1"}, {"POZZV", "1000"},
        {"PVO", "900"},          {"POO_POSTA", "0"},  {"POO", "900"},     {"PPHS", "100"}, {"KEDY", "2006-06-17"},
        {"DATUM", "17.06.2006"}, {"CAS", "23:15:00"}, {"STAV", "1"}};
    for (const auto &[name, value] : protocol)
        s1.setText(QString::fromLatin1(name), QString::fromLatin1(value));
    const std::map<int, int> partyVotes{{1, 50}, {3, 30}, {5, 20}};
    for (int party = 1; party <= 26; ++party)
        s1.setInteger(schemas::S1_PPHPS1 + party - 1, partyVotes.contains(party) ? partyVotes.at(party) : 0);
    s1.post();
    sKC1(district);
    sKC2(district);
    sKC3(district);
    (void)GeneratingP1(district);
    const std::map<int, std::vector<int>> candidates{{1, {6, 3, 1}}, {3, {5, 5, 0}}, {5, {5, 4, 1}}};
    Table &p1 = district.TP1();
    for (const auto &[party, votes] : candidates) {
        p1.locate(QStringLiteral("KON"), QString::number(party));
        p1.edit();
        p1.setInteger(QStringLiteral("VPH"), 10);
        p1.setInteger(QStringLiteral("K1"), votes[0]);
        p1.setInteger(QStringLiteral("K2"), votes[1]);
        p1.setInteger(QStringLiteral("K3"), votes[2]);
        if (party == 1) // a party with the full 150 candidates: the last field of the line too
            p1.setInteger(QStringLiteral("K150"), 1);
        p1.post();
        pKC1to5(district);
    }
    p1.first();
}

inline void makeCleanDistrict(DistrictSetup &setup) {
    makeCleanDistrict(setup.district());
}

inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The files of S1 and P1 as stored, to show that a refused import left them byte for byte as they were.
struct StoredTables {
    QByteArray s1;
    QByteArray p1;
    bool operator==(const StoredTables &) const = default;
};
inline StoredTables storedTables(const DistrictSetup &setup) {
    return {fileBytes(QDir(setup.dataFolder()).filePath(QStringLiteral("S1.DBF"))),
            fileBytes(QDir(setup.dataFolder()).filePath(QStringLiteral("P1.DBF")))};
}

// Every field of every record, by position.
inline QList<QStringList> records(Table &table) {
    QList<QStringList> rows;
    table.first();
    for (int r = 0; r < table.recordCount(); ++r, table.next()) {
        QStringList row;
        for (int k = 0; k < table.fieldCount(); ++k)
            row.append(table.text(k));
        rows.append(row);
    }
    table.first();
    return rows;
}

// Runs an Info-ZIP tool in the folder; its exit code, -1 when it did not run.
inline int runTool(const QString &folder, const QString &program, const QStringList &arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

} // namespace fixture
