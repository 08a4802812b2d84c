#include "reports/CalculationDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetCalculationDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportCalculationDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
