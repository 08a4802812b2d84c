#pragma once
// How the calculation renderers behave when the comparison runs them on one of
// its two connections: the comparison's procedure names in ERROR lines, "&nbsp;"
// for a failing section, a lookup's join conditions at depth 1, the 35% / 66% /
// 65% dependencies table, an unreadable alias number taking the previous one, a
// token before the line-end markup of an HTML text read whole, and unordered rows
// (restriction-tree nodes, the views list) put in order of their displayed text.
#include "reports/CalcPolicy.h"

namespace bkl::compare {

const reports::CalcPolicy& ComparisonCalcPolicy();

} // namespace bkl::compare
