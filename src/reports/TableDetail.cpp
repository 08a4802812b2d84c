#include "reports/TableDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetTableDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportTableDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
