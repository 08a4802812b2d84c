#pragma once
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one compensation plan: plan id, payee
// group, comment and calculation list, by an "(id) name" item text; read through `cn`.
QString GetCompensationPlanDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one compensation plan; writes the sections whose flag is set.
QString ExportCompensationPlanDetails(const db::Connection& cn, const QString& itemText);

} // namespace bkl::reports
