#include "platform/ui/RunGuard.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"

#include <QApplication>
#include <QCursor>
#include <algorithm>
#include <vector>

namespace bkl {
namespace {

// The stop flags of the active runs that watch one.
std::vector<bool*>& WatchedStopFlags()
{
    static std::vector<bool*> flags;
    return flags;
}

void ShowHourglass() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

// The waits the layers below the windows start show the same hourglass as a run.
const bool g_waitCursorSet = [] {
    SetWaitCursor(ShowHourglass, [] { QApplication::restoreOverrideCursor(); });
    return true;
}();

} // namespace

RunGuard::RunGuard(std::function<void()> restore, bool hourglass) : restore_(std::move(restore)), hourglass_(hourglass)
{
    EnterRun();
    if (hourglass_)
        ShowHourglass();
}

RunGuard::~RunGuard()
{
    if (watching_) {
        WatchRunStopFlag(outerStopFlag_);
        std::erase(WatchedStopFlags(), stopFlag_);
    }
    LeaveRun();
    if (hourglass_)
        QApplication::restoreOverrideCursor();
    if (restore_) {
        try {
            restore_();
        } catch (...) {
        }
    }
}

bool RunGuard::active() { return RunActive(); }

void RunGuard::watchStop(bool& stopFlag)
{
    const bool* outer = WatchRunStopFlag(&stopFlag);
    if (!watching_)
        outerStopFlag_ = outer;
    else
        std::erase(WatchedStopFlags(), stopFlag_);
    watching_ = true;
    stopFlag_ = &stopFlag;
    WatchedStopFlags().push_back(stopFlag_);
}

void RunGuard::stopAll()
{
    for (bool* flag : WatchedStopFlags())
        *flag = true;
}

} // namespace bkl
