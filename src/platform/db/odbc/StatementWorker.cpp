#include "platform/db/odbc/StatementWorker.h"

#include "platform/core/ActiveRun.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace bkl::db::odbc {

namespace {

// How often the waiting thread looks at the event loop's slice and the stop flag:
// well inside the slice, seldom enough to cost nothing over a long wait; the
// worker's end wakes it at once anyway.
constexpr std::chrono::milliseconds kPoll{5};
// A cancel that comes before the driver has sent the statement finds nothing to
// cancel, and the statement would run its course: it is repeated this often until
// the worker ends.
constexpr std::chrono::milliseconds kCancelAgain{20};

// What the worker hands back: whether it has ended, and what it threw.
struct Outcome {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr error;

    // Waits up to `wait`; true once the worker has ended.
    bool waitFor(std::chrono::milliseconds wait)
    {
        std::unique_lock lock(mutex);
        return ended.wait_for(lock, wait, [this] { return done; });
    }
};

} // namespace

bool RunInWorker(const std::function<void()>& work, const std::function<void()>& cancel)
{
    Outcome outcome;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            outcome.error = std::current_exception();
        }
        {
            const std::lock_guard lock(outcome.mutex);
            outcome.done = true;
        }
        outcome.ended.notify_one();
    });
    // The worker is joined on every way out. When a turn of the loop throws, its
    // statement is cancelled first, so that it ends soon.
    struct Join {
        std::thread& worker;
        Outcome& outcome;
        const std::function<void()>& cancel;
        ~Join()
        {
            while (!outcome.waitFor(kCancelAgain))
                cancel();
            worker.join();
        }
    } join{worker, outcome, cancel};

    bool cancelled = false;
    std::chrono::steady_clock::time_point lastCancel;
    while (!outcome.waitFor(kPoll)) {
        PumpWhenDueInRun();
        const auto now = std::chrono::steady_clock::now();
        if (cancelled ? now - lastCancel >= kCancelAgain : RunStopRequested()) {
            cancel();
            cancelled = true;
            lastCancel = now;
        }
    }
    if (cancelled)
        return true;
    if (outcome.error)
        std::rethrow_exception(outcome.error);
    return false;
}

} // namespace bkl::db::odbc
