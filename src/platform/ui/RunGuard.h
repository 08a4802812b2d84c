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

private:
    std::function<void()> restore_;
    bool hourglass_;
};

} // namespace bkl
