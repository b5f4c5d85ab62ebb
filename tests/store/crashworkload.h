#pragma once

// The write-heavy workload that the crash test kills at random moments, and the consistency rules of
// what it leaves behind. One generation is one action of the store: the protocol, the attachments
// replaced and then changed in place, the municipality's name and the error protocol, every value
// derived from the generation's number and every record carrying its own control sums. A torn record, a
// half-replaced table or an action half there shows as a mismatch.
#include <QString>

class DataModule;
class Table;

namespace crashworkload {

// Runs generations from the one after the stored protocol's, forever; prints the number of each
// generation once its action has committed.
[[noreturn]] void run(DataModule &data);

// An empty text when the tables hold the state of one whole generation, that generation being the last
// committed one or the one after it; otherwise what is wrong. The generation found goes to *generation.
QString verify(Table &s1, Table &p1, Table &name, Table &lines, qint64 lastCommitted, qint64 *generation);

} // namespace crashworkload
