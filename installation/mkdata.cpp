// Lays out data/ of a new installation: the twelve tables, the code lists filled from their text files,
// and the district in the state a wipe leaves.
#include "exchange/codelist.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "store/tablefiles.h"
#include "store/wipe.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: volby_mkdata CODE-LIST-FOLDER DATA-FOLDER\n");
        return 2;
    }
    const QDir lists(args[1]);
    const QString folder = args[2];
    try {
        QDir().mkpath(folder);
        createTableFiles(folder);
        DataModule data(folder);
        importCodeListFile(data.TVQ_OBCE(), lists.filePath(QStringLiteral("OBCE06.TXT")));
        importCodeListFile(data.TVQ_KOAL(), lists.filePath(QStringLiteral("KOAL06.TXT")));
        importCodeListFile(data.TVQ_STRANY(), lists.filePath(QStringLiteral("STRANY06.TXT")));
        vymaz_databazu(data);
    } catch (const VolbyError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
