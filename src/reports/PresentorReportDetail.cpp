#include "reports/PresentorReportDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetPresentorReportDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportPresentorReportDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
