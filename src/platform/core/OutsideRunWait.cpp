#include "platform/core/OutsideRunWait.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"

#include <QTimer>

namespace bkl {
namespace {

OutsideRunWaitUi& Ui()
{
    static OutsideRunWaitUi ui;
    return ui;
}
int g_waits = 0;
bool g_stopPending = false; // the stop flag every wait outside runs watches

// The Stop holds until the loop turns with no run active: the code that waited is done.
void EndStopOnceBackInLoop()
{
    QTimer::singleShot(5, [] {
        if (RunActive())
            EndStopOnceBackInLoop();
        else
            g_stopPending = false;
    });
}

} // namespace

bool OutsideRunStopPending() { return g_stopPending; }

void ForgetOutsideRunStopForTesting() { g_stopPending = false; }

void SetOutsideRunWaitUi(OutsideRunWaitUi ui) { Ui() = std::move(ui); }

QString OutsideRunWait::noticeText(const QString& what) { return QStringLiteral("Waiting for %1...").arg(what); }

OutsideRunWait::OutsideRunWait(QString what, bool stoppable) : what_(std::move(what)), stoppable_(stoppable)
{
    EnterRun();
    outerStopFlag_ = WatchRunStopFlag(&g_stopPending);
    if (g_waits++ == 0 && Ui().refuseInput)
        Ui().refuseInput();
    SetWaitCursorShown(true);
    noticeDue_.setSingleShot(true);
    QObject::connect(&noticeDue_, &QTimer::timeout, [this] {
        if (!Ui().notice)
            return;
        std::function<void()> stop;
        if (stoppable_)
            stop = [] {
                if (!g_stopPending)
                    EndStopOnceBackInLoop();
                g_stopPending = true;
            };
        notice_ = Ui().notice(noticeText(what_), std::move(stop));
    });
    noticeDue_.start(kWaitNoticeMs);
}

OutsideRunWait::~OutsideRunWait()
{
    noticeDue_.stop();
    notice_.reset();
    SetWaitCursorShown(false);
    if (--g_waits == 0 && Ui().restoreInput)
        Ui().restoreInput();
    WatchRunStopFlag(outerStopFlag_);
    LeaveRun();
}

void OutsideRunWait::turn() { TurnEventLoop(); }

} // namespace bkl
