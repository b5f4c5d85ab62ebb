#pragma once

// The write-heavy workload that the crash test kills at random moments, and the consistency rules of
// what it leaves behind. Every value a generation writes is derived from the generation's number, so a
// torn record or a half-replaced table shows as a mismatch.
#include <QString>

class DataModule;

namespace crashworkload {

// Runs generations from the one after the stored protocol's, forever; prints "S1 <g>" once the protocol
// of generation g is posted.
[[noreturn]] void run(DataModule &data);

// An empty text when the tables hold a state the workload can leave; otherwise what is wrong.
// `lastReported` is the last generation the worker said it had posted.
QString verify(DataModule &data, qint64 lastReported);

} // namespace crashworkload
