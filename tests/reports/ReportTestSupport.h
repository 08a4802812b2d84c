#pragma once
// Shared helpers of the report tests: the log file the renderers write their
// ERROR lines to, and connections to the demo models.
#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>

namespace bkl::test {

// Empties BKL.log (creating the logs folder) so a test sees only its own lines.
void ClearLog();
// The messages of the log lines written since the last ClearLog, without the date,
// model key and level fields; only lines at `levelWord` ("ERROR").
QStringList LogMessages(const QString& levelWord = QStringLiteral("ERROR"));

// An open connection to a demo model of the test server.
db::Connection OpenDemoModel(const QString& catalog);

// Demo models the report tests read.
inline constexpr char kSourceModel[] = "BKL_Source";
inline constexpr char kEdgeModel[] = "BKL_Edge";

} // namespace bkl::test
