#include "mainwindow/RunFailure.h"

#include "shell/Log.h"

#include <exception>

namespace bkl::mainwindow {

std::optional<db::DbError> RunLoggingFailure(const QString& procedure, const std::function<void()>& body)
{
    std::optional<db::DbError> failure;
    try {
        body();
        return failure;
    } catch (const db::StatementStopped&) {
        return failure; // the user's Stop ended the run during a statement
    } catch (const db::DbError& e) {
        failure = e;
    } catch (const std::exception& e) {
        failure = db::DbError(db::err::ProviderError, QLatin1String(db::kDataLayerSource),
                              QString::fromLocal8Bit(e.what()));
    }
    LogFunctionError(procedure, failure->number(), failure->description());
    return failure;
}

} // namespace bkl::mainwindow
