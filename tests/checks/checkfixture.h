#pragma once

#include "model/district.h"
#include "store/datamodule.h"
#include "store/table.h"
#include "support/installationcopy.h"
#include "support/scriptedservices.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

// A district on a fresh copy of the installation's tables (S1 and P1 all "0", as the wipe leaves
// them), with scripted services, for the tests of the sums, checks and party display.
struct CheckFixture {
    InstallationCopy copy;
    std::unique_ptr<DataModule> data = std::make_unique<DataModule>(copy.dataFolder());
    ScriptedServices services;
    District district{*data, services};

    // Writes the fields of the current record and posts it.
    static void set(Table &table, const QMap<QString, QString> &fields)
    {
        table.edit();
        for (auto it = fields.begin(); it != fields.end(); ++it)
            table.setText(it.key(), it.value());
        table.post();
    }
    void setS1(const QMap<QString, QString> &fields) { set(data->TS1(), fields); }
    void setP1(const QMap<QString, QString> &fields) { set(data->TP1(), fields); }

    // Appends one more attachment: every field "0", then the fields given.
    void appendP1(const QMap<QString, QString> &fields)
    {
        Table &p1 = data->TP1();
        p1.append();
        for (int i = 0; i < p1.fieldCount(); ++i)
            p1.setText(i, QStringLiteral("0"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            p1.setText(it.key(), it.value());
        p1.post();
    }

    // Appends a municipality of our own to the code list.
    void appendMunicipality(const QString &obvod, const QString &obec, const QString &name, const QString &pocoks)
    {
        Table &obce = data->TVQ_OBCE();
        obce.append();
        obce.setText(QStringLiteral("OBVOD"), obvod);
        obce.setText(QStringLiteral("OBEC"), obec);
        obce.setText(QStringLiteral("NOBEC"), name);
        obce.setText(QStringLiteral("POCOKS"), pocoks);
        obce.post();
    }

    QString tempTlacName() const { return data->TTEMPTLAC().text(QStringLiteral("NOBEC")); }
    QStringList protokol1() const { return district.Protokol1().lines; }
    QStringList protokol2() const { return district.Protokol2().lines; }
};
