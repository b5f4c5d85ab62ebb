#pragma once

#include "centre/command.h"
#include "checks/completecheck.h"
#include "checks/sums.h"
#include "district/attachmentset.h"
#include "exchange/export.h"
#include "store/schema.h"
#include "support/districtsetup.h"
#include "ui/exchangeactions.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <vector>

// What the centre's tests share: districts exported by the district program's own export, and the
// command run in this process with its output caught.
namespace centre_fixture {

// One district's figures, chosen by the test: the sums the summary must give are computed from these,
// not from anything the program wrote.
struct DistrictPlan {
    QString obvod;
    QString obec;
    int okrsok = 1;
    std::map<int, int> votes; // party: valid votes
    struct Preferences {
        int vph = 0;
        std::map<int, int> candidates; // candidate number: preferential votes
    };
    std::map<int, Preferences> preferences; // party: its attachment
    int registered = 1000;                  // POZZV; equal to PVO (900) it gives I10
};

// A district free of errors whose figures differ with seed: parties 1, 3 (12 candidates), 7 and 21, each
// with an attachment; party 1 also with a vote for its 150th candidate, the last value of the line.
inline DistrictPlan cleanSpec(const QString &obvod, const QString &obec, int okrsok, int seed) {
    DistrictPlan plan{obvod, obec, okrsok, {}, {}};
    for (const int party : {1, 3, 7, 21}) {
        plan.votes[party] = 40 + 13 * seed + party;
        const int vph = 5 + seed + party % 3;
        plan.preferences[party] = {vph, {{1, vph}, {2, seed % 3}, {4, 1 + party % 2}}};
    }
    plan.preferences[1].candidates[150] = 1;
    return plan;
}

// Writes the plan into the district's S1 and P1 with the control sums, as the entry boxes would.
inline void fill(District &district, const DistrictPlan &plan) {
    Table &s1 = district.TS1();
    s1.first();
    s1.edit();
    int valid = 0;
    for (int party = 1; party <= 26; ++party) {
        const auto found = plan.votes.find(party);
        const int votes = found == plan.votes.end() ? 0 : found->second;
        valid += votes;
        s1.setInteger(schemas::S1_PPHPS1 + party - 1, votes);
    }
    const std::pair<const char *, QString> protocol[] = {{"TYPV", "0"},
                                                         {"OBVOD", plan.obvod},
                                                         {"OBEC", plan.obec},
                                                         {"OKRSOK", QString::number(plan.okrsok)},
                                                         {"POZZV", QString::number(plan.registered)},
                                                         {"PVO", "900"},
                                                         {"POO_POSTA", "0"},
                                                         {"POO", "900"},
                                                         {"PPHS", QString::number(valid)}};
    for (const auto &[name, value] : protocol)
        s1.setText(QString::fromLatin1(name), value);
    s1.post();
    sKC1(district);
    sKC2(district);
    sKC3(district);
    (void)GeneratingP1(district);
    Table &p1 = district.TP1();
    for (const auto &[party, attachment] : plan.preferences) {
        p1.locate(QStringLiteral("KON"), QString::number(party));
        p1.edit();
        p1.setInteger(schemas::P1_VPH, attachment.vph);
        for (int n = 1; n <= 150; ++n)
            p1.setInteger(schemas::P1_K1 + n - 1, attachment.candidates.contains(n) ? attachment.candidates.at(n) : 0);
        p1.post();
        pKC1to5(district);
    }
    p1.first();
}

// A data folder of the district program on which districts are keyed in and exported.
class Exporter {
public:
    bool isValid() const { return m_setup.isValid(); }
    DistrictSetup &setup() { return m_setup; }

    // The district exported by the EXPORT button (complete check, refused with errors) into the folder;
    // the archive's path, empty when the export refused it.
    QString exportClean(const DistrictPlan &plan, const QString &folder) {
        fill(m_setup.district(), plan);
        m_setup.services.fileAnswers.push_back(QDir(folder).filePath(QStringLiteral("zvolene")));
        exportDistrict(m_setup.district(), m_setup.services);
        return archiveIn(folder);
    }

    // The district exported whatever the complete check finds, as an altered program could.
    QString exportAsItIs(const DistrictPlan &plan, const QString &folder) {
        fill(m_setup.district(), plan);
        (void)KompletnaKontrola(m_setup.district());
        if (ExportVQ(m_setup.district()).question)
            (void)placeExport(m_setup.district(), QDir(folder).filePath(QStringLiteral("zvolene")));
        return archiveIn(folder);
    }

private:
    QString archiveIn(const QString &folder) {
        Table &s1 = m_setup.s1();
        s1.first();
        const QString path = QDir(folder).filePath(
            QStringLiteral("VQ%1.%2").arg(s1.text(QStringLiteral("OBEC")), s1.text(QStringLiteral("OKRSOK"))));
        return QFile::exists(path) ? path : QString();
    }

    DistrictSetup m_setup;
};

// The command as the program runs it, its output caught.
struct Run {
    int code = -1;
    QString out;
    QString err;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
    // The line of the archive whose shown name ends with name.
    QString lineOf(const QString &name) const {
        for (const QString &line : lines())
            if (line.section(QStringLiteral("  "), 0, 0).endsWith(name))
                return line;
        return {};
    }
};

inline QString readAll(std::FILE *file) {
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, qsizetype(n));
    std::fclose(file);
    return QString::fromUtf8(bytes);
}

inline Run run(const QStringList &arguments, int threads = 2) {
    centre::Environment environment;
    environment.installationFolder = qEnvironmentVariable("VOLBY_DIST");
    environment.out = std::tmpfile();
    environment.err = std::tmpfile();
    QStringList all = arguments;
    if (!all.isEmpty() && (all.first() == QStringLiteral("overit") || all.first() == QStringLiteral("suhrn")) &&
        !all.contains(QStringLiteral("--vlakna")))
        all << QStringLiteral("--vlakna") << QString::number(threads);
    const QString current = QDir::currentPath();
    Run result;
    result.code = centre::runCommand(all, environment);
    QDir::setCurrent(current);
    result.out = readAll(environment.out);
    result.err = readAll(environment.err);
    return result;
}

inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Runs a tool in the folder; its exit code, -1 when it did not run.
inline int runTool(const QString &folder, const QString &program, const QStringList &arguments,
                   QByteArray *output = nullptr) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitCode();
}

} // namespace centre_fixture
