#pragma once
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one tailored report: report id, payee
// group and calculation list, by an "(id) name" item text; read through `cn`.
QString GetTailoredReportDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one tailored report; writes the sections whose flag is set.
QString ExportTailoredReportDetails(const db::Connection& cn, const QString& itemText);

} // namespace bkl::reports
