#pragma once
// Comparison of one calculation: type, description, data sources, formula,
// partitions, restrictions, calendar, dependencies and folder, between the
// source and the target model.
#include "compare/CompareSides.h"

#include <QString>

namespace bkl::compare {

// The compare result of calculation `name` (see CompareObject).
QString CompareCalculations(const CompareSides& sides, const QString& name);

} // namespace bkl::compare
