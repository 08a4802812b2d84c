#include "platform/core/ActiveRun.h"

#include "platform/core/OutsideRunWait.h"
#include "platform/core/TimeSlice.h"

namespace bkl {
namespace {
int g_activeRuns = 0;
const bool* g_stopFlag = nullptr;
bool g_quitting = false;
} // namespace

bool RunActive() { return g_activeRuns > 0; }

int RunDepth() { return g_activeRuns; }

bool RunStopRequested()
{
    if (g_quitting)
        return true;
    // Between the statements of code outside runs that a wait's Stop ended.
    if (g_activeRuns == 0)
        return OutsideRunStopPending();
    return g_stopFlag && *g_stopFlag;
}

void RequestQuitStop() { g_quitting = true; }

bool QuitRequested() { return g_quitting; }

void ResetQuitForTesting() { g_quitting = false; }

void EnterRun() { ++g_activeRuns; }

void LeaveRun() { --g_activeRuns; }

const bool* WatchRunStopFlag(const bool* flag)
{
    const bool* previous = g_stopFlag;
    g_stopFlag = flag;
    return previous;
}

OutsideRunStopScope::OutsideRunStopScope() : scopeFlag_(WatchRunStopFlag(nullptr)) {}

OutsideRunStopScope::~OutsideRunStopScope() { WatchRunStopFlag(scopeFlag_); }

void PumpWhenDueInRun() { PumpWhenDue(); }

} // namespace bkl
