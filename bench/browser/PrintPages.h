#pragma once
// The large report pages printed by the benchmark besides the audit trace: a
// compare Detailed Summary of many objects, and an audit trace page of long
// non-ASCII texts with quotes. Written by the program's own page builders.
#include <QString>

namespace bench {

// The Detailed Summary page of a compare of the first `objects` calculations of
// the model on the server folder `server` against its target model.
QString WriteDetailedSummaryPage(const QString& server, int objects);

// The audit trace page (Show Top `rows`) of a copy of the model on `server`
// whose audit messages are 1,000 characters of Japanese text with quotes.
QString WriteLongTextAuditPage(const QString& server, int rows);

} // namespace bench
