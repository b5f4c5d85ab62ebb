#include "centre/runner.h"

#include "centre/districtcheck.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace centre {

namespace {

struct Shared {
    std::mutex mutex;
    std::condition_variable ready;
    std::vector<std::optional<GroupResult>> results;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    int done = 0;
    std::exception_ptr error;
    CandidateTotals totals;
};

void work(const std::vector<ArchiveGroup> &groups, const RunOptions &options, Shared &shared) {
    try {
        DistrictCheck district(options.codeListFolder);
        CandidateTotals totals;
        for (std::size_t i = shared.next++; i < groups.size() && !shared.stop; i = shared.next++) {
            GroupResult result = verifyGroup(district, groups[i], options.aggregate ? &totals : nullptr);
            const std::lock_guard lock(shared.mutex);
            shared.done += int(groups[i].archives.size());
            shared.results[i] = std::move(result);
            shared.ready.notify_one();
        }
        const std::lock_guard lock(shared.mutex);
        shared.totals.merge(totals);
    } catch (...) {
        const std::lock_guard lock(shared.mutex);
        if (!shared.error)
            shared.error = std::current_exception();
        shared.stop = true;
        shared.ready.notify_one();
    }
}

// Ends the threads however the caller's side ends: an error while delivering stops them too.
class Threads {
public:
    Threads(Shared &shared) : m_shared(shared) {}
    ~Threads() {
        m_shared.stop = true;
        for (std::thread &thread : m_threads)
            thread.join();
    }
    void start(std::function<void()> run) { m_threads.emplace_back(std::move(run)); }

private:
    Shared &m_shared;
    std::vector<std::thread> m_threads;
};

} // namespace

CandidateTotals verifyAll(const std::vector<ArchiveGroup> &groups, const RunOptions &options,
                          const std::function<void(GroupResult &&)> &deliver,
                          const std::function<void(int done)> &progress) {
    Shared shared;
    shared.results.resize(groups.size());
    {
        Threads threads(shared);
        for (int t = 0; t < std::max(1, options.threads); ++t)
            threads.start([&] { work(groups, options, shared); });

        std::size_t delivered = 0;
        std::unique_lock lock(shared.mutex);
        while (delivered < groups.size() && !shared.error) {
            shared.ready.wait_for(lock, std::chrono::milliseconds(200));
            while (delivered < groups.size() && shared.results[delivered]) {
                GroupResult result = std::move(*shared.results[delivered]);
                shared.results[delivered++].reset();
                lock.unlock();
                deliver(std::move(result));
                lock.lock();
            }
            const int done = shared.done;
            lock.unlock();
            progress(done);
            lock.lock();
        }
        lock.unlock();
        // Leaving the scope joins the threads: their totals are merged by then.
    }
    if (shared.error)
        std::rethrow_exception(shared.error);
    return std::move(shared.totals);
}

} // namespace centre
