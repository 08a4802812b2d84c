#include "platform/core/FailureBox.h"

#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"

namespace bkl {

void ShowRunFailure(long number, const QString& description, const QString& title)
{
    MsgBox(QStringLiteral("Run-time error '%1':").arg(number) + QLatin1String(kCrLf) + QLatin1String(kCrLf)
               + description,
           mb::Critical, title);
}

void ShowErrorBox(const QString& message, long number, const QString& description, const QString& title)
{
    const QString crlf = QLatin1String(kCrLf);
    MsgBox(message + crlf + crlf + QStringLiteral("Error Number: ") + QString::number(number) + crlf
               + QStringLiteral("Description: ") + description,
           mb::OKOnly | mb::Critical, title);
}

} // namespace bkl
