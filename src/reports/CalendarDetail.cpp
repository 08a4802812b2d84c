#include "reports/CalendarDetail.h"

namespace bkl::reports {

// Placeholder until the renderer lands.
QString GetCalendarDetails(const db::Connection&, const QString&) { return QString(); }
QString ExportCalendarDetails(const db::Connection&, const QString&) { return QString(); }

} // namespace bkl::reports
