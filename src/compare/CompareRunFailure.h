#pragma once
// How a compare-window run (Load Objects, compare) that failed tells the log
// and the user, once it has ended in order.
#include "shell/ErrorInfo.h"

#include <QString>

namespace bkl::compare {

// Writes the ERROR line "Function: <procedure>() --> Code: n --> Description: text"
// and shows the critical box "Run-time error 'n':", a blank line and the text,
// titled `title`.
void ReportRunFailure(const QString& procedure, const ErrorInfo& error, const QString& title);

} // namespace bkl::compare
