#pragma once
// Comparison of one model view: its columns and the calculations it draws on,
// between the source and the target model.
#include "compare/CompareSides.h"
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::compare {

// The compare result of view `name` (see CompareObject).
QString CompareViews(const CompareSides& sides, const QString& name);

// List table of the view's columns by name (column order is no difference);
// "&nbsp;" on failure.
QString CompareViewFields(const db::Connection& cn, const QString& viewName);
// List table of the calculations the view's columns come from, by name; the
// error spacer on failure (e.g. a column name without ".").
QString CompareAllCalculationsForView(const db::Connection& cn, const QString& viewName);

} // namespace bkl::compare
