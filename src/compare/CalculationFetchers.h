#pragma once
// The nine sections of a calculation as the comparison fetches them from one
// model: each reads the calculation's row by name on the connection given and
// returns the section's HTML; a calculation that model lacks, or a failed read,
// gives "&nbsp;" after an ERROR line.
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::compare {

QString CompareCalGetCalcType(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcComment(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcDataSource(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcOperation(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcPartitions(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcRestrictions(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcCalendar(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcDependencies(const db::Connection& cn, const QString& calcName);
QString CompareCalGetCalcFolder(const db::Connection& cn, const QString& calcName);

// "TimeID - Name" of the top-level calendar `timeId` (not trimmed); "" without a
// query for a blank id; "" after an ERROR line when there is no such calendar.
QString CompareTimeCalendar(const db::Connection& cn, const QString& timeId);

} // namespace bkl::compare
