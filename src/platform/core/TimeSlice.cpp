#include "platform/core/TimeSlice.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"


namespace bkl {
namespace {
int g_sliceMs = kPumpSliceMs;
}

void SetPumpSliceMsForTesting(int sliceMs) { g_sliceMs = sliceMs < 0 ? kPumpSliceMs : sliceMs; }

int PumpSliceMs() { return g_sliceMs; }

TimeSlice::TimeSlice(std::function<void()> flush, int sliceMs)
    : flush_(std::move(flush)), sliceMs_(sliceMs < 0 ? g_sliceMs : sliceMs)
{
    timer_.start();
}

void TimeSlice::setClock(std::function<qint64()> nowMs)
{
    now_ = std::move(nowMs);
    lastPump_ = now();
}

void TimeSlice::setPump(std::function<void()> pump) { pump_ = std::move(pump); }

qint64 TimeSlice::now() const { return now_ ? now_() : timer_.elapsed(); }

bool TimeSlice::tick()
{
    if (now() - lastPump_ < sliceMs_)
        return false;
    pumpNow();
    return true;
}

void TimeSlice::pumpNow()
{
    if (flush_)
        flush_();
    if (pump_) {
        const OutsideRunStopScope outside;
        pump_();
    } else if (RunActive()) {
        // Outside a run nothing guards the windows the code returns to: no turn.
        TurnEventLoop();
    }
    // The slice starts after the turn, so a slow repaint does not shorten the next one.
    lastPump_ = now();
}

void PumpWhenDue()
{
    // On the process's slice as it is now, so that a test's slice holds here too.
    static QElapsedTimer clock;
    static qint64 lastPump = 0;
    if (!clock.isValid())
        clock.start();
    if (!RunActive() || clock.elapsed() - lastPump < g_sliceMs)
        return;
    TurnEventLoop();
    lastPump = clock.elapsed();
}

} // namespace bkl
