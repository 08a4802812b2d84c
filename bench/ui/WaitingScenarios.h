#pragma once
// Runs that wait on the data layer: a preview and a compare on a SQL Server a few
// milliseconds away (tds-standin --delay), and Stop pressed while the embedded
// engine steps a slow statement or while the server holds one.
#include "Scenarios.h"

namespace bench {

Outcome PreviewOnSlowServer(Context& c);
Outcome CompareOnSlowServer(Context& c);
Outcome StopDuringSlowStatement(Context& c);
Outcome StopDuringHeldStatement(Context& c);
// Statements outside runs on a server a few milliseconds away: the window turns meanwhile.
Outcome OpenFrameOnSlowServer(Context& c);
Outcome ReloadSummaryOnSlowServer(Context& c);
Outcome TargetRefreshOnSlowServer(Context& c);
Outcome OpenAdvancedFindOnSlowServer(Context& c);

// Points the model connection at the bench server through tds-standin, each reply
// held back the context's server delay.
void UseSlowServer(const Context& c);

} // namespace bench
