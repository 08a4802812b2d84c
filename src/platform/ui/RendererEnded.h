#pragma once
// Tells the user and the log that the renderer of a shown report page ended
// (crashed, killed, out of memory): the page turned blank, its file is kept.
#include <QString>
#include <QWebEnginePage>

namespace bkl {

// "The page's renderer crashed." and the like, for the box and the log.
QString RendererEndedDescription(QWebEnginePage::RenderProcessTerminationStatus status);

// The ERROR log line "Function: WebBrowser.renderProcessTerminated() --> Code:
// <exit code> --> Description: <description> The page is kept in <file>.", and
// the critical box titled "Preview Error": "Unable to show the page", a blank
// line, "Error Number: <exit code>" and "Description: " with the same text.
void ReportRendererEnded(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode, const QString& file);

} // namespace bkl
