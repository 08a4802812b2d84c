#pragma once
// The UI thread waiting for a job of a connection's worker keeps the window turning:
// inside a run on the run's slice (PumpWhenDue); outside one, once the wait passes a
// slice, as a run of its own (WaitRun: hourglass, run guard up, user input held back
// until the wait ends). A statement's wait watches the run's Stop and bounds it.
#include <chrono>
#include <sys/types.h>

namespace bkl::db::odbc {

class WorkerJob;

enum class WaitEnd {
    Done,    // the job ended by itself
    Stopped, // Stop was pressed, and the job has ended
    GivenUp, // Stop was pressed, and the job had not ended within kStopBound
};

// How long a stopped statement may take to end before its connection is given up.
inline constexpr std::chrono::milliseconds kStopBound{1500};

// Waits until `job` ends. When `stoppable`: a Stop of the current run asks the job to
// stop, cancels its wait for the server once (see WorkerJob::cancelWhileBlocked) and
// ends the wait by kStopBound at the latest.
WaitEnd WaitForJob(WorkerJob& job, pid_t worker, bool stoppable);

} // namespace bkl::db::odbc
