#include "platform/ui/RunGuard.h"

#include "platform/core/ActiveRun.h"

#include <QApplication>
#include <QCursor>

namespace bkl {

RunGuard::RunGuard(std::function<void()> restore, bool hourglass) : restore_(std::move(restore)), hourglass_(hourglass)
{
    EnterRun();
    if (hourglass_)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
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
