#pragma once
// Small reading helpers shared by the detail renderers and the comparison.
#include "platform/db/Connection.h"
#include "platform/db/Value.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace bkl::reports {

// Every row's `field` as text (NULL reads as ""), first row to last. Throws DbError.
QStringList ReadTexts(const db::Connection& cn, const QString& sql, const QString& field);

// A period date in the pattern "dd-MMM-yyyy" ("05-Jan-2024"); the time of day is
// dropped, NULL or an empty text gives "", a text that is not a date stays as it is.
QString PeriodDate(const db::Value& v);

// A calculation list id as a 32-bit whole number; NULL gives no list (an empty
// calculation list). Throws on a value that is not a number or does not fit.
std::optional<int32_t> ListIdOf(const db::Value& v);

} // namespace bkl::reports
