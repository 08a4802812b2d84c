#pragma once
#include <QString>

namespace bkl {

// Tells the user why a run stopped: a critical box "Run-time error '<number>':",
// a blank line and the description, titled as the run's window.
void ShowRunFailure(long number, const QString& description, const QString& title);

} // namespace bkl
