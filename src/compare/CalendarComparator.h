#pragma once
// Comparison of one calendar: its time hierarchy, between the source and the
// target model.
#include "compare/CompareSides.h"
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::compare {

// The compare result of the calendar with item text `itemText`, "(" TimeID ") "
// name (see CompareObject). An item text without ")" (or with its first ")"
// before its first "(") fails: the error spacer without a digit.
QString CompareCalendars(const CompareSides& sides, const QString& itemText);

// The calendar's period grid; the error spacer on failure.
QString CompareCalendarDetails(const db::Connection& cn, const QString& timeId);

} // namespace bkl::compare
