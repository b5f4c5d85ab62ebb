#pragma once

#include "checks/report.h"
#include "model/district.h"
#include "store/datamodule.h"
#include "store/table.h"
#include "support/districtsetup.h"

#include <QString>
#include <QStringList>

// The district of the core tests, with what the tests of the sums, checks and party display add: a
// municipality of their own, the municipality name shown, the protocol memos.
struct CheckFixture : DistrictSetup {
    // Appends a municipality of our own to the code list.
    void appendMunicipality(const QString &obvod, const QString &obec, const QString &name, const QString &pocoks) {
        Table &obce = data().TVQ_OBCE();
        obce.append();
        obce.setText(QStringLiteral("OBVOD"), obvod);
        obce.setText(QStringLiteral("OBEC"), obec);
        obce.setText(QStringLiteral("NOBEC"), name);
        obce.setText(QStringLiteral("POCOKS"), pocoks);
        obce.post();
    }

    QString tempTlacName() { return data().TTEMPTLAC().text(QStringLiteral("NOBEC")); }
    QStringList protokol1() { return district().Protokol1().lines; }
    QStringList protokol2() { return district().Protokol2().lines; }
    // A finding shown at once, as the window shows it.
    Report showAtOnce() {
        return [this](const Finding &finding) {
            Outcome outcome;
            ::showAtOnce(outcome)(finding);
            services.show(outcome);
        };
    }
};
