#pragma once
// A statement that waits for its server keeps the window answering: inside a run
// its execution and fetch go to a worker thread while the UI thread waits for it,
// turning the event loop on its slice and polling the run's stop flag after each
// turn, as the embedded engine does while it steps a statement.
#include <functional>

namespace bkl::db::odbc {

// Runs `work` in a worker thread and waits for it on this one, turning the event
// loop when due (PumpWhenDueInRun) and asking RunStopRequested() after each turn.
// When a stop is asked while the work goes on, calls `cancel` here, again now and
// then (a driver that has not sent the statement yet has nothing to cancel), and
// waits for the worker to end. The worker has ended on every way out.
// Returns true when the wait ended by a stop (what the work gave or threw then
// does not count); otherwise rethrows what `work` threw, or returns false.
bool RunInWorker(const std::function<void()>& work, const std::function<void()>& cancel);

} // namespace bkl::db::odbc
