#pragma once

#include "model/district.h"
#include "print/reportdocument.h"
#include "store/datamodule.h"
#include "support/installationcopy.h"
#include "support/scriptedservices.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

// A district on a copy of the installation, with the working folder set to it (data/ and reporty/),
// for driving the prints and reading back what they produced.
class PrintDistrict {
public:
    struct Attachment {
        QString kon;
        QMap<QString, QString> fields; // by name; every other field is "0"
    };

    PrintDistrict();
    ~PrintDistrict();
    bool isValid() const { return m_valid; }
    QString root() const { return m_copy.root(); }

    DataModule &data() { return *m_data; }
    ScriptedServices &services() { return m_services; }
    District &district() { return *m_district; }

    // Writes fields of the single S1 record.
    void setProtocol(const QMap<QString, QString> &fields);
    // Replaces P1 with these attachments, in this order; OBVOD, OBEC and OKRSOK come from S1.
    void setAttachments(const QList<Attachment> &attachments);
    void setMunicipalityName(const QString &name);
    // Replaces the rows of chyb_prot or chyb_prot_medzitab with lines of code and message.
    void setProtocolRows(Table &table, const QList<QPair<QString, QString>> &rows);

    // The HTML the last print handed to the output.
    QString lastHtml() const;
    // The last print as a PDF in the district's folder, its text as pdftotext -layout reads it back,
    // and its page count.
    QString lastPdf(const QString &name);

private:
    InstallationCopy m_copy;
    QString m_previousFolder;
    std::unique_ptr<DataModule> m_data;
    ScriptedServices m_services;
    std::unique_ptr<District> m_district;
    bool m_valid = false;
};

// What pdftotext -layout reads from the file (empty when it fails), and pdfinfo's page count (-1).
QString pdfText(const QString &path);
int pdfPages(const QString &path);
