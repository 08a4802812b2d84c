#pragma once
// The one way the program turns the event loop while its own code waits or works.
// A turn dispatches whatever the user did meanwhile: a click may close the window
// the waiting code returns to, switch the model under its connection or start a
// second run. So every turn happens inside a run, whose guard refuses such
// commands (see RunGuard), and every wait that is not part of a run already (the
// web engine making a PDF, a statement waiting for its server, a dialog opened by
// a handler that goes on once it closes) becomes a run of its own while it waits.
//
// Nothing else in the program calls processEvents or runs a nested QEventLoop;
// only the application's own loop and the top-level modal dialogs turn it apart
// from here.
#include <QEventLoop>
#include <functional>

namespace bkl {

// Turns the event loop once, outside the current run's stop scope (what a turn
// dispatches is not the run's code). A turn while no run is active is a fault of
// the caller: it still turns (a frozen window is worse), and the fault is reported
// to the handler below.
void TurnEventLoop(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

// Milliseconds since the window last turned: since a turn made here, or since the
// application's own loop last ran (its dispatcher woke or went to sleep), whichever
// came last. A wait outside runs turns the loop once this passes a slice, so that
// a series of short waits (one statement after another) keeps the window alive.
qint64 MsSinceLoopTurned();

// A wait that is a run while it lives: the run guard is up (commands that would
// close or replace what the wait returns to are refused), with the hourglass
// unless told otherwise. Inside a run it keeps that run's stop scope: a statement
// the run issued still sees the run's Stop. (A statement waiting outside runs is an
// OutsideRunWait, which refuses user input meanwhile.)
class WaitRun {
public:
    explicit WaitRun(bool hourglass = true);
    ~WaitRun();
    WaitRun(const WaitRun&) = delete;
    WaitRun& operator=(const WaitRun&) = delete;

private:
    bool hourglass_;
};

// Turns the event loop until `done()` holds, inside a WaitRun: between turns it
// sleeps until the next event arrives (what it waits for must come as an event: a
// queued signal, a callback of the web engine). Once the program quits it returns
// whether or not `done()` holds: the caller checks, and ends what it was doing.
void WaitUntil(const std::function<bool()>& done, bool hourglass = true);

// The window layer's hourglass for waits the layers below it start (a statement
// outside a run): shown by WaitRun, put back when it ends.
void SetWaitCursor(std::function<void()> show, std::function<void()> restore);
// Shows (true) or puts back (false) that hourglass.
void SetWaitCursorShown(bool shown);

// Called at each turn made while no run is active. Tests fail there; the program
// writes a warning. An empty handler restores the warning.
void SetTurnOutsideRunHandler(std::function<void()> handler);

} // namespace bkl
