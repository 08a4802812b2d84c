#pragma once
// Small rules the calculation renderers share: how a model text goes into the
// output, the 16-bit counters of the stored procedures' loops, and the error a
// runaway tree walk reports.
#include "reports/CalcPolicy.h"

#include <QString>

namespace bkl::reports {

// A model text as it goes into the output: HTML-escaped in HTML mode, as read in text.
QString ModelText(const QString& text, RenderMode mode);

// The failure of a section procedure in `mode`: the HTML one the policy gives,
// or the text one, which logs `textName` and returns "".
SectionFailure SectionFailureFor(RenderMode mode, const SectionFailure& html, const char* textName);

// Adds one to a row or token counter that counts in 16 bits; past 32767 it
// throws std::overflow_error (logged as 6 "Overflow"), failing the procedure.
void CountOne16(int& counter);

// Error number of a tree walk that meets a node twice or nests too deep: the
// platform reported runaway recursion as 28 "Out of stack space".
inline constexpr long kRunawayRecursionNumber = 28;

} // namespace bkl::reports
