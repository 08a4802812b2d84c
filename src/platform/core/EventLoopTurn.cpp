#include "platform/core/EventLoopTurn.h"

#include "platform/core/ActiveRun.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtDebug>

namespace bkl {
namespace {

std::function<void()> g_showWaitCursor;
std::function<void()> g_restoreWaitCursor;
std::function<void()> g_turnOutsideRun;

// When the window last turned, on a monotonic clock.
QElapsedTimer& LoopClock()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock;
}
qint64 g_lastTurnMs = 0;
void NoteTurn() { g_lastTurnMs = LoopClock().elapsed(); }

// The application's loop counts as a turn whenever its dispatcher wakes or sleeps.
void WatchApplicationLoop()
{
    static bool watching = false;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (watching || !dispatcher)
        return;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, NoteTurn);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, NoteTurn);
    watching = true;
}

} // namespace

void SetWaitCursor(std::function<void()> show, std::function<void()> restore)
{
    g_showWaitCursor = std::move(show);
    g_restoreWaitCursor = std::move(restore);
}

void SetTurnOutsideRunHandler(std::function<void()> handler) { g_turnOutsideRun = std::move(handler); }

qint64 MsSinceLoopTurned()
{
    WatchApplicationLoop();
    return LoopClock().elapsed() - g_lastTurnMs;
}

void TurnEventLoop(QEventLoop::ProcessEventsFlags flags)
{
    if (!RunActive()) {
        if (g_turnOutsideRun)
            g_turnOutsideRun();
        else
            qWarning("The event loop turned while no run was active: a window may close under its caller.");
    }
    const OutsideRunStopScope outside;
    QCoreApplication::processEvents(flags);
    NoteTurn();
}

void SetWaitCursorShown(bool shown)
{
    if (shown && g_showWaitCursor)
        g_showWaitCursor();
    else if (!shown && g_restoreWaitCursor)
        g_restoreWaitCursor();
}

WaitRun::WaitRun(bool hourglass) : hourglass_(hourglass)
{
    EnterRun();
    if (hourglass_)
        SetWaitCursorShown(true);
}

WaitRun::~WaitRun()
{
    if (hourglass_)
        SetWaitCursorShown(false);
    LeaveRun();
}

void WaitUntil(const std::function<bool()>& done, bool hourglass)
{
    const WaitRun run(hourglass);
    while (!done() && !QuitRequested())
        TurnEventLoop(QEventLoop::WaitForMoreEvents);
}

} // namespace bkl
