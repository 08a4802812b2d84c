#pragma once
// One error handler for every procedure that reads the model: it runs the body,
// and on any failure writes the procedure's ERROR line and returns the
// procedure's neutral value, so one failing object or section costs only that
// piece of output and the caller goes on.
#include <QString>
#include <optional>
#include <utility>

namespace bkl::reports {

// Collects the failures the error handlers below meet while it lives, so that a
// caller can tell a neutral value that stands in for a failed read from what the
// model holds. Captures nest: a failure is noted in every live capture. The
// handlers log as they always do; a capture only listens.
class FailureCapture {
public:
    FailureCapture();
    ~FailureCapture();
    FailureCapture(const FailureCapture&) = delete;
    FailureCapture& operator=(const FailureCapture&) = delete;

    // The ERROR line of the first failure met, none when nothing failed.
    const std::optional<QString>& firstError() const { return first_; }

private:
    friend void NoteFailure(const QString& errorLine);
    FailureCapture* outer_;
    std::optional<QString> first_;
};

// Tells the live captures of a failure; `errorLine` is the line that tells it,
// whether or not it is written to the log.
void NoteFailure(const QString& errorLine);

// A value read under a capture, with the line of the first failure met on the way.
template <typename T>
struct Captured {
    T value;
    std::optional<QString> error;
};

template <typename Read>
auto ReadCapturing(Read&& read) -> Captured<decltype(read())>
{
    FailureCapture capture;
    auto value = read();
    return {std::move(value), capture.firstError()};
}

// Writes "Function: <procedure>() --> Code: <n> --> Description: <text>" for the
// exception being handled (call only inside a catch block). Database errors give
// their own number and text; render errors theirs; an overflow 6 "Overflow";
// anything else 5 and its message. Returns the line.
QString LogCurrentError(const QString& procedure);

// Writes "Function: <procedure>() --> Code: <number> --> Description: <text>" for
// a failure the caller found itself (no exception), notes it and returns it.
QString LogFailure(const QString& procedure, long number, const QString& description);

// The same line for a failure handled without a log line (the recursive walks):
// noted in the live captures, not written.
void NoteCurrentError(const QString& procedure);

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

} // namespace bkl::reports
