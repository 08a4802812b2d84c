#pragma once
// Small reading helpers shared by the detail renderers and the comparison.
#include "platform/db/Connection.h"
#include "platform/db/Value.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace bkl::reports {

// How a renderer orders the rows of a statement without ORDER BY: as the server
// returns them (the preview and export), or by their displayed text (the
// comparison, so that two models holding the same rows in another stored order
// render alike).
enum class RowOrder { AsRead, ByText };

// Every row's `field` as text (NULL reads as ""), first row to last. Throws DbError.
QStringList ReadTexts(const db::Connection& cn, const QString& sql, const QString& field);

// The texts in `order`: as they are, or sorted by their characters (a stable sort).
QStringList Ordered(QStringList texts, RowOrder order);

// A period date in the pattern "dd-MMM-yyyy" ("05-Jan-2024"); the time of day is
// dropped, NULL or an empty text gives "", a text that is not a date stays as it is.
QString PeriodDate(const db::Value& v);

// A calculation list id as a 32-bit whole number; NULL gives no list (an empty
// calculation list). Throws on a value that is not a number or does not fit.
std::optional<int32_t> ListIdOf(const db::Value& v);

} // namespace bkl::reports
