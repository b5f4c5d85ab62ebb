// Runs the crash workload on the tables of a folder until it is killed.
#include "crashworkload.h"

#include "store/datamodule.h"
#include "store/errors.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        DataModule data(QString::fromLocal8Bit(argv[1]));
        crashworkload::run(data);
    } catch (const VolbyError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
