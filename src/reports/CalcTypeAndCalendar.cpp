#include "reports/CalcTypeAndCalendar.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/RenderGuard.h"

namespace bkl::reports {

QString GetCalculationTypeName(const QString& typeText)
{
    const double type = Val(typeText);
    if (type == 1.0)
        return QStringLiteral("Sort Calculation");
    if (type == 2.0)
        return QStringLiteral("Time Shift Calculation");
    return QStringLiteral("User-Defined Calculation");
}

QString GetTimeCalendar(const db::Connection& cn, const QString& calendarId, const QString& logName)
{
    if (Trim(calendarId).isEmpty())
        return QString();
    return RunGuarded(logName, QString(), [&] {
        const db::Recordset rs(QStringLiteral("SELECT TOP 1 [TIMECAL] = [TimeID]+ ' - ' + [Name] FROM [Time] WHERE "
                                              "[TimeID] = '")
                                   + SqlText(calendarId) + QStringLiteral("' AND [Parent] IS NULL"),
                               cn);
        return rs.field(QStringLiteral("TIMECAL")).toText();
    });
}

} // namespace bkl::reports
