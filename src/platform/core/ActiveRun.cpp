#include "platform/core/ActiveRun.h"

#include "platform/core/TimeSlice.h"

namespace bkl {
namespace {
int g_activeRuns = 0;
const bool* g_stopFlag = nullptr;
} // namespace

bool RunActive() { return g_activeRuns > 0; }

bool RunStopRequested() { return g_activeRuns > 0 && g_stopFlag && *g_stopFlag; }

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
