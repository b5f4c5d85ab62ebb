#pragma once

#include "centre/archivelist.h"
#include "centre/candidatetotals.h"
#include "centre/verification.h"

#include <QString>

#include <functional>
#include <vector>

namespace centre {

struct RunOptions {
    QString codeListFolder;
    int threads = 1;
    bool aggregate = false; // sum the candidates' votes of the districts counted
};

// Verifies the groups on threads of their own, each with a district of its own made and used in that
// thread. Each group's result goes to deliver, on the calling thread and in the groups' order, as soon as
// it and those before it are done; progress hears the number of archives done at least five times a
// second. Returns the candidates' totals of every thread together. An error that stops a thread (the
// code lists cannot be read) stops the others and is thrown here once all have ended.
CandidateTotals verifyAll(const std::vector<ArchiveGroup> &groups, const RunOptions &options,
                          const std::function<void(GroupResult &&)> &deliver,
                          const std::function<void(int done)> &progress);

} // namespace centre
