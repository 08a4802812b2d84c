#include "platform/ui/Browser.h"

#include "platform/core/Seams.h"
#include "platform/core/WholeFile.h"
#include "platform/ui/DocumentName.h"
#include "platform/ui/WebBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
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

void SavePageFileAs(const QString& shownFile, const QString& documentName)
{
    if (shownFile.isEmpty())
        throw std::runtime_error("No page is shown.");
    const QString suggested = QDir::homePath() + QLatin1Char('/') + FileSafeName(documentName) + QStringLiteral(".html");
    const QString target
        = FileDialogs().saveFile(QStringLiteral("Save As"), QStringLiteral("HTML Files (*.htm *.html)"), suggested);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(shownFile).absoluteFilePath())
        return;
    // A page file read short would be saved as if it were the whole page.
    const WholeFile page = ReadWholeFile(shownFile);
    if (!page.ok())
        throw std::runtime_error(
            QStringLiteral("The page %1 could not be read: %2").arg(shownFile, page.error).toStdString());
    // The file chosen is replaced whole or kept as it was.
    QSaveFile saved(target);
    if (!saved.open(QIODevice::WriteOnly) || saved.write(page.bytes) != page.bytes.size() || !saved.commit())
        throw std::runtime_error(QStringLiteral("Cannot write %1: %2").arg(target, saved.errorString()).toStdString());
}

} // namespace bkl
