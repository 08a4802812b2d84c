#include "compare/CompareRunTexts.h"

#include "compare/CompareStatus.h"
#include "platform/core/TextSemantics.h"

namespace bkl::compare {

QString CompareRunTitle() { return QStringLiteral("Compare Objects"); }

QString NoObjectsToCompareText() { return QStringLiteral("No objects selected for comparison !"); }

QString NoTargetConnectionText()
{
    return QStringLiteral(
        "Unable to find any active target model connection ! Click Connect button to select the target model. ");
}

QString RunCompareQuestion(const QString& sourceModel, const QString& targetModel)
{
    const QString crlf = QLatin1String(kCrLf);
    return QStringLiteral("Run compare?") + crlf + crlf + QStringLiteral("Source Model: ") + sourceModel + crlf
        + QStringLiteral("Target Model: ") + targetModel + crlf + crlf
        + QStringLiteral("Note: This may take few minutes depends on number of model objects selected for comparison.");
}

QString CompareDoneQuestion(int errors, int compared)
{
    const QString crlf = QLatin1String(kCrLf);
    const QString outcome = errors == 0
        ? QStringLiteral("Compare ran successfully !")
        : QStringLiteral("Compare ran with errors !") + crlf + crlf
            + QStringLiteral("%1 of %2 object(s) could not be compared (status Error); the log holds the reason.")
                  .arg(errors)
                  .arg(compared);
    return outcome + crlf + crlf + QStringLiteral("Do you want to open the detailed summary report ?");
}

QString DetailedSummaryEntry(const QString& result) { return PageOfResult(result) + QStringLiteral("<br>"); }

} // namespace bkl::compare
