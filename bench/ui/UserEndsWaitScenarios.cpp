#include "UserEndsWaitScenarios.h"

#include "WaitingScenarios.h"

#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/ui/WaitInput.h"
#include "shell/Log.h"
#include "support/UserInput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QToolBar>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <qpa/qwindowsysteminterface.h>
#include <thread>

namespace bench {
namespace {

// What a try waits at most before it counts as not ended (the process is cut off).
constexpr int kTryLimitMs = 8000;
// When the user clicks Switch Model during the wait, and when the server freezes.
constexpr double kClickAtMs = 300;
constexpr double kSlowClickAtMs = 20;
constexpr double kEarlyQuitAtMs = 500;

enum class UserEnd {
    Stop,             // the notice's Stop
    Quit,             // Ctrl+Q on the notice
    QuitBeforeNotice, // Ctrl+Q on the frame, still the active window, kEarlyQuitAtMs in
};

QWidget* SwitchModelButton(const Context& c) { return c.frame->tblMain->widgetForAction(c.frame->tblMainButton(5)); }

// Counts the presses that reach a widget: those a wait refuses never do.
class PressCounter final : public QObject {
public:
    explicit PressCounter(QWidget* widget) { widget->installEventFilter(this); }
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

// Clicks on Switch Model that ran: delivered to the button, or Switch Model logged as launched.
int Replays(const PressCounter& counter)
{
    QFile log(bkl::LogFilePath());
    const int launched = log.open(QIODevice::ReadOnly)
                             ? static_cast<int>(QString::fromUtf8(log.readAll()).count(QStringLiteral("Launch Switch Model")))
                             : 0;
    return std::max(counter.presses, launched);
}

bkl::WaitNotice* NoticeShown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* notice = qobject_cast<bkl::WaitNotice*>(w); notice && notice->isVisible())
            return notice;
    return nullptr;
}

// Turns the loop `ms` long: input held back by the wait would be delivered now.
void Settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Ends the process with a cut-off result when the try has not ended after kTryLimitMs,
// even when the window never turns again.
void StartWatchdog()
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(kTryLimitMs));
        PrintResult(Outcome{{}, QStringLiteral("not ended"), true});
        std::_Exit(0);
    }).detach();
}

// One try over a frozen server, reachable from the program's end (a plain function).
struct FrozenTry {
    Context* c = nullptr;
    double pressAtMs = -1;
    double noticeAtMs = -1;
    std::unique_ptr<PressCounter> counter;

    Outcome outcome(QString note) const
    {
        Outcome out;
        out.measure = c->probe->stop();
        out.measure.wallMs = pressAtMs >= 0 ? out.measure.wallMs - pressAtMs : NAN;
        out.replays = Replays(*counter);
        out.noticeMs = noticeAtMs;
        out.note = std::move(note);
        return out;
    }
};
FrozenTry* g_try = nullptr;

void ProgramEnded()
{
    PrintResult(g_try->outcome(QStringLiteral("program ended")));
    std::_Exit(0);
}

// The server freezes at the first turn of the wait; the user clicks Switch Model
// kClickAtMs in and presses Stop or Ctrl+Q (see UserEnd). The wall time runs from
// that press to the end of the wait (Stop) or of the program (Ctrl+Q).
template <WaitPoint point, UserEnd end>
Outcome EndedOnFrozenServer(Context& c)
{
    static SlowServer server(c.server, c.serverDelayMs);
    const std::function<void()> action = PrepareWaitPoint(point, c, server);
    FrozenTry t;
    t.c = &c;
    t.counter = std::make_unique<PressCounter>(SwitchModelButton(c));
    g_try = &t;
    frmMDIBKLMain::SetProgramEnd(&ProgramEnded);
    bool frozen = false;
    bool clicked = false;
    c.onTurn = [&] {
        if (!frozen) {
            server.freeze();
            frozen = true;
        }
        const double now = c.probe->elapsedMs();
        if (!clicked && now >= kClickAtMs) {
            bkl::test::QueueClick(SwitchModelButton(c));
            clicked = true;
        }
        bkl::WaitNotice* notice = NoticeShown();
        if (notice && t.noticeAtMs < 0)
            t.noticeAtMs = now;
        if (t.pressAtMs >= 0)
            return;
        if (end == UserEnd::QuitBeforeNotice && now >= kEarlyQuitAtMs) {
            t.pressAtMs = now;
            bkl::test::QueueKey(c.frame, Qt::Key_Q, Qt::ControlModifier);
        } else if (notice && end != UserEnd::QuitBeforeNotice) {
            // The notice is the window on top, the active one: the user's press goes to it.
            t.pressAtMs = now;
            if (end == UserEnd::Stop)
                bkl::test::QueueClick(notice->cmdStop);
            else
                bkl::test::QueueKey(notice, Qt::Key_Q, Qt::ControlModifier);
        }
    };
    StartWatchdog();
    c.probe->start();
    action();
    if (end != UserEnd::Stop)
        for (;;) // the program ends at a later turn (ProgramEnded), or the watchdog cuts the try off
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    Outcome out = t.outcome(QStringLiteral("wait ended"));
    c.onTurn = nullptr;
    Settle(200);
    out.replays = Replays(*t.counter);
    return out;
}

// A click on Switch Model kSlowClickAtMs into the wait on a slow server; the wall time
// runs from the click to the turn that took it from the window system's queue. Held
// (still queued when the wait ended) it runs to the end of the wait.
template <WaitPoint point>
Outcome ClickDuringSlowWait(Context& c)
{
    static SlowServer server(c.server, c.serverDelayMs);
    const std::function<void()> action = PrepareWaitPoint(point, c, server);
    PressCounter counter(SwitchModelButton(c));
    double queuedAt = -1;
    double takenAt = -1;
    c.onTurn = [&] {
        const double now = c.probe->elapsedMs();
        if (queuedAt < 0) {
            if (now >= kSlowClickAtMs) {
                bkl::test::QueueClick(SwitchModelButton(c));
                queuedAt = now;
            }
        } else if (takenAt < 0 && QWindowSystemInterface::windowSystemEventsQueued() == 0) {
            takenAt = now;
        }
    };
    StartWatchdog();
    c.probe->start();
    action();
    Outcome out;
    out.measure = c.probe->stop();
    c.onTurn = nullptr;
    const double waitMs = out.measure.wallMs;
    out.measure.wallMs = queuedAt < 0 ? NAN : (takenAt >= 0 ? takenAt : waitMs) - queuedAt;
    out.note = queuedAt < 0 ? QStringLiteral("wait ended before the click")
                            : (takenAt >= 0 ? QStringLiteral("taken during the wait") : QStringLiteral("held"));
    Settle(200);
    // A click that comes in the last moments of a wait too short to turn the loop
    // again is taken right after it, as after any handler: only one held longer than
    // the window's own slice budget (100 ms) is a replay of input the wait kept.
    out.replays = out.measure.wallMs > 100 ? Replays(counter) : 0;
    return out;
}

} // namespace

std::vector<Scenario> UserEndsWaitScenarios()
{
    using P = WaitPoint;
    using E = UserEnd;
    const Goal bound{2000, -1, -1};
    const Goal atOnce{100, -1, -1};
    return {
        {"frozen-open-frame-stop", "Server frozen opening the frame: Stop", bound, EndedOnFrozenServer<P::OpenFrame, E::Stop>, true},
        {"frozen-open-frame-quit", "Server frozen opening the frame: Ctrl+Q", bound, EndedOnFrozenServer<P::OpenFrame, E::Quit>, true},
        {"frozen-summary-stop", "Server frozen, Reload Model Summary: Stop", bound, EndedOnFrozenServer<P::ReloadSummary, E::Stop>, true},
        {"frozen-summary-quit", "Server frozen, Reload Model Summary: Ctrl+Q", bound, EndedOnFrozenServer<P::ReloadSummary, E::Quit>, true},
        {"frozen-summary-quit-early", "Server frozen, Summary: Ctrl+Q before the notice", bound, EndedOnFrozenServer<P::ReloadSummary, E::QuitBeforeNotice>, true},
        {"frozen-target-refresh-stop", "Server frozen, target login's Refresh: Stop", bound, EndedOnFrozenServer<P::TargetRefresh, E::Stop>, true},
        {"frozen-target-refresh-quit", "Server frozen, target login's Refresh: Ctrl+Q", bound, EndedOnFrozenServer<P::TargetRefresh, E::Quit>, true},
        {"frozen-advanced-find-open-stop", "Server frozen opening Advanced Find: Stop", bound, EndedOnFrozenServer<P::OpenAdvancedFind, E::Stop>, true},
        {"frozen-advanced-find-open-quit", "Server frozen opening Advanced Find: Ctrl+Q", bound, EndedOnFrozenServer<P::OpenAdvancedFind, E::Quit>, true},
        {"click-open-frame-sqlserver", "Click while the frame opens, SQL Server at 5 ms", atOnce, ClickDuringSlowWait<P::OpenFrame>, true},
        {"click-summary-sqlserver", "Click during the summary, SQL Server at 5 ms", atOnce, ClickDuringSlowWait<P::ReloadSummary>, true},
        {"click-target-refresh-sqlserver", "Click during target Refresh, SQL Server at 5 ms", atOnce, ClickDuringSlowWait<P::TargetRefresh>, true},
        {"click-advanced-find-open-sqlserver", "Click opening Advanced Find, SQL Server at 5 ms", atOnce, ClickDuringSlowWait<P::OpenAdvancedFind>, true},
    };
}

} // namespace bench
