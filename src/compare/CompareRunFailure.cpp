#include "compare/CompareRunFailure.h"

#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"

namespace bkl::compare {

void ReportRunFailure(const QString& procedure, const ErrorInfo& error, const QString& title)
{
    LogFunctionError(procedure, error.number, error.description);
    MsgBox(QStringLiteral("Run-time error '%1':").arg(error.number) + QLatin1String(kCrLf) + QLatin1String(kCrLf)
               + error.description,
           mb::OKOnly | mb::Critical, title);
}

} // namespace bkl::compare
