#include "reports/ViewDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetViewDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportViewDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
