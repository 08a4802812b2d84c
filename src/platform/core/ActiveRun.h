#pragma once
// Whether a long run (find, preview, export, compare, trace, search) is going on
// the UI thread, and whether its user has asked it to stop. The windows mark their
// runs with RunGuard; code below the windows asks here. The data layer turns the
// event loop between statements, and during a long statement, only while a run is
// active: that is when the run guard refuses whatever would start a second run or
// destroy a connection or window the statement uses. Outside runs nothing pumps,
// except a wait that makes itself a run while it lasts (WaitRun, EventLoopTurn.h):
// a SQL Server statement waiting for its server, the web engine making a page.
//
// A stop belongs to its run. The code a run executes is in the run's stop scope:
// its statements see the run's stop flag. What the event loop dispatches while a
// run turns it (a click in another window, whatever that click starts) is not: it
// runs outside every run's stop scope, so the run's Stop never ends a statement
// it did not issue. A run started from there has a scope of its own.
namespace bkl {

bool RunActive();
// How many runs are active, the innermost counted last.
int RunDepth();
// True when the stop flag of the current stop scope is set: that of the innermost
// run, started by the code now executing, that watches one; outside runs, after a
// Stop of a wait outside runs (OutsideRunWait.h) until the code that waited is done;
// and everywhere once the program is quitting.
bool RunStopRequested();

// Quit asks every run and every wait to stop, whichever scope they are in: from then
// on RunStopRequested() holds everywhere, no new box or dialog opens (MsgBox gives
// the answer of its Esc key), and the program ends once the runs have unwound.
void RequestQuitStop();
bool QuitRequested();
// Tests start each case with the program not quitting.
void ResetQuitForTesting();

// For RunGuard: counts active runs, and swaps the watched stop flag (returns the
// previous one, restored when the run ends).
void EnterRun();
void LeaveRun();
const bool* WatchRunStopFlag(const bool* flag);

// Leaves the current stop scope while it lives: the event loop turned meanwhile
// dispatches outside it. Each turn of the loop inside a run holds one.
class OutsideRunStopScope {
public:
    OutsideRunStopScope();
    ~OutsideRunStopScope();
    OutsideRunStopScope(const OutsideRunStopScope&) = delete;
    OutsideRunStopScope& operator=(const OutsideRunStopScope&) = delete;

private:
    const bool* scopeFlag_;
};

// Turns the event loop when a slice has passed since the last such turn, but only
// while a run is active (see PumpWhenDue).
void PumpWhenDueInRun();

} // namespace bkl
