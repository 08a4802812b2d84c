#pragma once
// One error handler for every procedure that reads the model: it runs the body,
// and on any failure writes the procedure's ERROR line and returns the
// procedure's neutral value, so one failing object or section costs only that
// piece of output and the caller goes on.
#include <QString>

namespace bkl::reports {

// Writes "Function: <procedure>() --> Code: <n> --> Description: <text>" for the
// exception being handled (call only inside a catch block). Database errors give
// their own number and text; render errors theirs; an overflow 6 "Overflow";
// anything else 5 and its message.
void LogCurrentError(const QString& procedure);

// Writes `lead`, the error number, " --> Description: " and the error text of the
// exception being handled (call only inside a catch block): for ERROR lines whose
// lead differs from the usual "Function: <procedure>() --> Code: ".
void LogCurrentErrorAfter(const QString& lead);

// The same line with an argument between the parentheses:
// "Function: <procedure>(<argument>) --> Code: ..." (the calculation export text).
void LogCurrentErrorWithArgument(const QString& procedure, const QString& argument);

// Runs `body`; on any exception logs the procedure's ERROR line and returns `neutral`.
template <typename T, typename Body>
T RunGuarded(const QString& procedure, T neutral, Body&& body)
{
    try {
        return body();
    } catch (...) {
        LogCurrentError(procedure);
        return neutral;
    }
}

// As RunGuarded, with the argument written into the ERROR line.
template <typename T, typename Body>
T RunGuardedWithArgument(const QString& procedure, const QString& argument, T neutral, Body&& body)
{
    try {
        return body();
    } catch (...) {
        LogCurrentErrorWithArgument(procedure, argument);
        return neutral;
    }
}

// Runs `body`; on any exception returns `neutral` without a log line (the
// recursive walks, whose caller's output then lacks that piece).
template <typename T, typename Body>
T RunSilently(T neutral, Body&& body)
{
    try {
        return body();
    } catch (...) {
        return neutral;
    }
}

} // namespace bkl::reports
