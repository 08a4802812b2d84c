#include "platform/ui/RendererEnded.h"

#include "platform/core/FailureBox.h"
#include "platform/core/PlatformLog.h"

#include <QDir>

namespace bkl {

QString RendererEndedDescription(QWebEnginePage::RenderProcessTerminationStatus status)
{
    switch (status) {
    case QWebEnginePage::CrashedTerminationStatus:
        return QStringLiteral("The page's renderer crashed.");
    case QWebEnginePage::KilledTerminationStatus:
        return QStringLiteral("The page's renderer was killed (for example when the system ran out of memory).");
    case QWebEnginePage::AbnormalTerminationStatus:
        return QStringLiteral("The page's renderer ended abnormally.");
    case QWebEnginePage::NormalTerminationStatus:
        break;
    }
    return QStringLiteral("The page's renderer ended.");
}

void ReportRendererEnded(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode, const QString& file)
{
    const QString description = RendererEndedDescription(status) + QStringLiteral(" The page is kept in ")
                                + QDir::toNativeSeparators(file) + QLatin1Char('.');
    PlatformLogFunctionError(QStringLiteral("WebBrowser.renderProcessTerminated"), exitCode, description);
    ShowErrorBox(QStringLiteral("Unable to show the page"), exitCode, description, QStringLiteral("Preview Error"));
}

} // namespace bkl
