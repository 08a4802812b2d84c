#pragma once
// Marks a long run (find, preview, export, compare, trace, search) as active.
// While one is active, commands that would start a second run or destroy a
// window the run uses ask RunGuard::active() and refuse. The guard shows the
// hourglass (unless told not to) and, on every exit path, runs its restore
// action and puts the cursor back.
#include <functional>

namespace bkl {

class RunGuard {
public:
    explicit RunGuard(std::function<void()> restore = {}, bool hourglass = true);
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    static bool active();

    // The run's stop flag: a statement the run's own code issued that is still
    // running when the user sets it is interrupted, and ends with
    // db::StatementStopped. Statements issued by what the event loop dispatches
    // during the run's turns are not the run's (see ActiveRun.h).
    void watchStop(bool& stopFlag);

    // Sets the stop flag of every active run that watches one, as their Stop buttons
    // do: Quit ends them all.
    static void stopAll();

private:
    std::function<void()> restore_;
    bool hourglass_;
    bool watching_ = false;
    const bool* outerStopFlag_ = nullptr;
    bool* stopFlag_ = nullptr;
};

} // namespace bkl
