#pragma once
// Waits outside runs as the user meets them. The server stops answering (its
// process stopped) while the user waits for it: the notice's Stop ends the wait, or
// Ctrl+Q the program, and a click on Switch Model made meanwhile is never run. And on
// a server that answers slowly, a click made during the wait is refused as it comes,
// never delivered once the wait is over.
#include "Scenarios.h"

namespace bench {

// The scenarios of both kinds, for the wait points of WaitingScenarios.h.
std::vector<Scenario> UserEndsWaitScenarios();

} // namespace bench
