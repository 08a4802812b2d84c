#include "reports/TailoredReportDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetTailoredReportDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportTailoredReportDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
