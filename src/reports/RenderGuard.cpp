#include "reports/RenderGuard.h"

#include "platform/db/DbError.h"
#include "reports/Fragments.h"
#include "shell/Log.h"

#include <exception>
#include <stdexcept>

namespace bkl::reports {

namespace {
struct ErrorInfo {
    long number;
    QString description;
};

// Number and text of the exception being handled.
ErrorInfo currentError()
{
    try {
        throw;
    } catch (const db::DbError& e) {
        return {e.number(), e.description()};
    } catch (const RenderError& e) {
        return {e.number(), e.description()};
    } catch (const std::overflow_error&) {
        return {db::err::Overflow, QStringLiteral("Overflow")};
    } catch (const std::exception& e) {
        return {kInvalidArgumentNumber, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        return {kInvalidArgumentNumber, QStringLiteral("Unknown error")};
    }
}
// The innermost live capture; the program reads models on its one UI thread.
FailureCapture* g_innermostCapture = nullptr;
} // namespace

FailureCapture::FailureCapture() : outer_(g_innermostCapture) { g_innermostCapture = this; }

FailureCapture::~FailureCapture() { g_innermostCapture = outer_; }

void NoteFailure(const QString& errorLine)
{
    for (FailureCapture* c = g_innermostCapture; c; c = c->outer_)
        if (!c->first_)
            c->first_ = errorLine;
}

QString LogFailure(const QString& procedure, long number, const QString& description)
{
    const QString line = FunctionErrorLine(procedure, number, description);
    WriteLog(line, LogError);
    NoteFailure(line);
    return line;
}

QString LogCurrentError(const QString& procedure)
{
    const ErrorInfo e = currentError();
    return LogFailure(procedure, e.number, e.description);
}

void NoteCurrentError(const QString& procedure)
{
    const ErrorInfo e = currentError();
    NoteFailure(FunctionErrorLine(procedure, e.number, e.description));
}

void LogCurrentErrorAfter(const QString& lead)
{
    const ErrorInfo e = currentError();
    const QString line = lead + QString::number(e.number) + QStringLiteral(" --> Description: ") + e.description;
    WriteLog(line, LogError);
    NoteFailure(line);
}

void LogCurrentErrorWithArgument(const QString& procedure, const QString& argument)
{
    LogCurrentErrorAfter(QStringLiteral("Function: ") + procedure + QLatin1Char('(') + argument
                         + QStringLiteral(") --> Code: "));
}

} // namespace bkl::reports
