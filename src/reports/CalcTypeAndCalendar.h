#pragma once
// Two scalar values of a calculation's detail: its type name and its calendar.
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::reports {

// "Sort Calculation" when the text's leading number is exactly 1, "Time Shift
// Calculation" when it is exactly 2, "User-Defined Calculation" otherwise.
QString GetCalculationTypeName(const QString& typeText);

// The top-level [Time] row named by `calendarId` as "TimeID - Name"; "" without a
// query for a blank id; "" after an ERROR line naming `logName` when there is no
// such row or the query fails.
QString GetTimeCalendar(const db::Connection& cn, const QString& calendarId,
                        const QString& logName = QStringLiteral("GetTimeCalendar"));

} // namespace bkl::reports
