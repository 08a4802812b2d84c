#include "platform/db/odbc/StatementWait.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"
#include "platform/core/OutsideRunWait.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/odbc/StatementWorker.h"

#include <optional>

namespace bkl::db::odbc {

namespace {

// How often the waiting thread looks at the slice, the stop flag and the worker: well
// inside the slice; the job's end wakes it at once anyway.
constexpr std::chrono::milliseconds kPoll{5};

} // namespace

WaitEnd WaitForJob(WorkerJob& job, pid_t worker, bool stoppable, const QString& connection)
{
    const bool inRun = RunActive();
    // Outside a run a wait that comes a slice after the window last turned becomes a
    // run while it lasts, and turns the loop on the slice, user input refused.
    std::optional<OutsideRunWait> waitRun;
    std::optional<std::chrono::steady_clock::time_point> stoppedAt;
    for (;;) {
        if (stoppable && !stoppedAt && RunStopRequested()) {
            job.requestStop();
            stoppedAt = std::chrono::steady_clock::now();
        }
        if (stoppedAt) {
            job.cancelWhileBlocked(worker);
            if (std::chrono::steady_clock::now() - *stoppedAt >= kStopBound)
                return WaitEnd::GivenUp;
        }
        if (job.waitFor(kPoll))
            break;
        if (inRun) {
            PumpWhenDue();
        } else if (MsSinceLoopTurned() >= PumpSliceMs()) {
            if (!waitRun)
                waitRun.emplace(connection, stoppable);
            waitRun->turn();
        }
    }
    return stoppedAt ? WaitEnd::Stopped : WaitEnd::Done;
}

} // namespace bkl::db::odbc
