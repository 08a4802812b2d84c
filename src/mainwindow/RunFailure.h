#pragma once
// The error handling of a run that reads the model: the failure is kept (to be
// shown once the run has ended in order) and written as the procedure's ERROR
// line at once.
#include "platform/db/DbError.h"

#include <QString>
#include <functional>
#include <optional>

namespace bkl::mainwindow {

// Runs `body`. A database error, or any other standard exception taken as a
// provider error of the data layer, writes "Function: <procedure>() --> Code: n
// --> Description: text" and is returned; nothing when the body ran through or
// was stopped by the user during a statement (db::StatementStopped).
std::optional<db::DbError> RunLoggingFailure(const QString& procedure, const std::function<void()>& body);

} // namespace bkl::mainwindow
