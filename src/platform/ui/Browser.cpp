#include "platform/ui/Browser.h"

#include "platform/core/Seams.h"
#include "platform/ui/WebBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace bkl {
namespace {
BrowserFactory g_factory = nullptr;
}

Browser* CreateBrowser(QWidget* parent)
{
    if (g_factory)
        return g_factory(parent);
    return new WebBrowser(parent);
}

void SetBrowserFactory(BrowserFactory factory) { g_factory = factory; }

void SavePageFileAs(const QString& shownFile)
{
    if (shownFile.isEmpty())
        throw std::runtime_error("No page is shown.");
    const QString suggested = QDir::homePath() + QLatin1Char('/') + QFileInfo(shownFile).fileName();
    const QString target
        = FileDialogs().saveFile(QStringLiteral("Save As"), QStringLiteral("HTML Files (*.htm *.html)"), suggested);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(shownFile).absoluteFilePath())
        return;
    if (QFile::exists(target) && !QFile::remove(target))
        throw std::runtime_error(QStringLiteral("Cannot replace %1.").arg(target).toStdString());
    QFile source(shownFile);
    if (!source.copy(target))
        throw std::runtime_error(source.errorString().toStdString());
}

} // namespace bkl
