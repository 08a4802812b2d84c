#pragma once
// Runs that wait on the data layer: a preview and a compare on a SQL Server a few
// milliseconds away (tds-standin --delay), and Stop pressed while the embedded
// engine steps a slow statement.
#include "Scenarios.h"

namespace bench {

Outcome PreviewOnSlowServer(Context& c);
Outcome CompareOnSlowServer(Context& c);
Outcome StopDuringSlowStatement(Context& c);

} // namespace bench
