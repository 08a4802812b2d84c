#pragma once
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one object, read through `cn`; `itemText` as the list holds it.
QString GetTailoredReportDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one object; computes only the sections whose flag is set.
QString ExportTailoredReportDetails(const db::Connection& cn, const QString& itemText);

} // namespace bkl::reports
