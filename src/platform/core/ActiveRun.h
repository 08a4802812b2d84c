#pragma once
// Whether a long run (find, preview, export, compare, trace, search) is going on
// the UI thread, and whether its user has asked it to stop. The windows mark their
// runs with RunGuard; code below the windows asks here. The data layer turns the
// event loop between statements, and during a long statement, only while a run is
// active: that is when the run guard refuses whatever would start a second run or
// destroy a connection or window the statement uses. Outside runs nothing pumps.
namespace bkl {

bool RunActive();
// True when the stop flag of the innermost run that watches one is set.
bool RunStopRequested();

// For RunGuard: counts active runs, and swaps the watched stop flag (returns the
// previous one, restored when the run ends).
void EnterRun();
void LeaveRun();
const bool* WatchRunStopFlag(const bool* flag);

// Turns the event loop when a slice has passed since the last such turn, but only
// while a run is active (see PumpWhenDue).
void PumpWhenDueInRun();

} // namespace bkl
