#include "platform/ui/RunGuard.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"

#include <QApplication>
#include <QCursor>

namespace bkl {
namespace {

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
    if (watching_)
        WatchRunStopFlag(outerStopFlag_);
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

void RunGuard::watchStop(const bool& stopFlag)
{
    const bool* outer = WatchRunStopFlag(&stopFlag);
    if (!watching_)
        outerStopFlag_ = outer;
    watching_ = true;
}

} // namespace bkl
