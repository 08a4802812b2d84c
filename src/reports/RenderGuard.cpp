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
} // namespace

void LogCurrentError(const QString& procedure)
{
    const ErrorInfo e = currentError();
    LogFunctionError(procedure, e.number, e.description);
}

void LogCurrentErrorAfter(const QString& lead)
{
    const ErrorInfo e = currentError();
    WriteLog(lead + QString::number(e.number) + QStringLiteral(" --> Description: ") + e.description, LogError);
}

void LogCurrentErrorWithArgument(const QString& procedure, const QString& argument)
{
    LogCurrentErrorAfter(QStringLiteral("Function: ") + procedure + QLatin1Char('(') + argument
                         + QStringLiteral(") --> Code: "));
}

} // namespace bkl::reports
