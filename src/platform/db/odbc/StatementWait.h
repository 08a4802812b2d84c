#pragma once
// The UI thread waiting for a job of a connection's worker keeps the window turning:
// inside a run on the run's slice (PumpWhenDue); outside one, once the wait passes a
// slice, as a run of its own (OutsideRunWait: hourglass, run guard up, user input
// refused, and past a second a notice naming the connection, with Stop). A
// statement's wait watches the run's Stop (or the notice's) and bounds it.
#include <QString>
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
// ends the wait by kStopBound at the latest. `connection` names the connection
// ("<server> (<model>)") for the notice of a long wait outside runs.
WaitEnd WaitForJob(WorkerJob& job, pid_t worker, bool stoppable, const QString& connection);

} // namespace bkl::db::odbc
