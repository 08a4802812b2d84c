#include "compare/CompareRunFailure.h"

#include "platform/core/FailureBox.h"
#include "shell/Log.h"

namespace bkl::compare {

void ReportRunFailure(const QString& procedure, const ErrorInfo& error, const QString& title)
{
    LogFunctionError(procedure, error.number, error.description);
    ShowRunFailure(error.number, error.description, title);
}

} // namespace bkl::compare
