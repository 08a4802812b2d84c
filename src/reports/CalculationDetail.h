#pragma once
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one calculation, read through `cn`; `itemText`
// as the list holds it (the plain name). Always the nine rows, flags ignored.
QString GetCalculationDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one calculation; computes only the sections
// whose flag is set and runs no query for the others.
QString ExportCalculationDetails(const db::Connection& cn, const QString& itemText);

} // namespace bkl::reports
