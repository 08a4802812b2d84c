#include "platform/ui/RunGuard.h"

#include <QApplication>
#include <QCursor>

namespace bkl {
namespace {
int g_activeRuns = 0;
}

RunGuard::RunGuard(std::function<void()> restore, bool hourglass) : restore_(std::move(restore)), hourglass_(hourglass)
{
    ++g_activeRuns;
    if (hourglass_)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

RunGuard::~RunGuard()
{
    --g_activeRuns;
    if (hourglass_)
        QApplication::restoreOverrideCursor();
    if (restore_) {
        try {
            restore_();
        } catch (...) {
        }
    }
}

bool RunGuard::active() { return g_activeRuns > 0; }

} // namespace bkl
