#pragma once
#include <QString>

namespace bkl {

// Tells the user why a run stopped: a critical box "Run-time error '<number>':",
// a blank line and the description, titled as the run's window.
void ShowRunFailure(long number, const QString& description, const QString& title);

// Tells the user that something could not be done: a critical box with
// `message`, a blank line, "Error Number: <number>" and "Description: <description>".
void ShowErrorBox(const QString& message, long number, const QString& description, const QString& title);

} // namespace bkl
