#pragma once

#include "print/printing.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class DataModule;
class District;

namespace centre {

class HeadlessProgress;

// One district held in memory, worked on by the district program's own operations: the import of an
// archive's two files, the complete check and the four printed documents. Every call of the centre into
// the checks and the district operations passes here, so that a change of that
// seam is made in this one place. An object belongs to the thread that made it, and is used for one
// archive after another without touching the disk.
class DistrictCheck {
public:
    // The code lists of the folder (OBCE06, STRANY06, KOAL06 as tables), read once. StorageError when
    // they cannot be read.
    explicit DistrictCheck(const QString &codeListFolder);
    ~DistrictCheck();
    DistrictCheck(const DistrictCheck &) = delete;
    DistrictCheck &operator=(const DistrictCheck &) = delete;

    // Replaces the district by the S file and the P file of an archive, as the import stores them, and
    // counts its parties with votes. Empty when both were taken; otherwise one line of what the import
    // reported, naming the file it refused. ConversionError or OverflowError when a party's votes are
    // no number.
    QString load(const QString &sName, const QByteArray &sFile, const QString &pName, const QByteArray &pFile);

    struct Verdict {
        bool clean = false;   // Bezchybnost
        QStringList findings; // the lines of both error protocols but the empty ones and "BEZ CHÝB"
    };
    // The complete check of the district loaded. ConversionError or OverflowError when it meets a field
    // that is no number.
    Verdict check();

    using Document = RenderedReport;
    // T/12, T/13, the error protocol and the inter-table error protocol, in this order, rendered from the
    // templates in reporty/ of the working folder, after the complete check.
    QList<Document> documents();

    DataModule &data() { return *m_data; }

private:
    std::unique_ptr<DataModule> m_data;
    std::unique_ptr<HeadlessProgress> m_progress;
    std::unique_ptr<District> m_district;
};

} // namespace centre
