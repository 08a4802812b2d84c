#pragma once
// Comparison of one Presentor report: the tables and calculations it reads and
// the reports it links to, between the source and the target model.
#include "compare/CompareSides.h"
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::compare {

// The compare result of Presentor report `name` (see CompareObject).
QString ComparePresentorReports(const CompareSides& sides, const QString& name);

// Source / Type table of the report's tables and calculations by source and
// type; "* No Details Available *" for a blank name; "&nbsp;" on failure.
QString ComparePresentorReportSourceDependency(const db::Connection& cn, const QString& reportName);
// The linked report names by name, each followed by "<br>"; "* None *" without
// any; "" on failure.
QString ComparePresentorReportLinkedReports(const db::Connection& cn, const QString& reportName);

} // namespace bkl::compare
