#include "reports/CompensationPlanDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetCompensationPlanDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportCompensationPlanDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
