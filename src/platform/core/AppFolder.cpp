#include "platform/core/AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace bkl {
namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

void SetApplicationFolderForTesting(const QString& folder) { overrideFolder() = folder; }

QString ApplicationFolder()
{
    if (!overrideFolder().isEmpty())
        return QDir::cleanPath(overrideFolder());
    const QString home = qEnvironmentVariable("BRISKLANE_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    const QString exeDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (QFileInfo(exeDir).isWritable())
        return QDir::cleanPath(exeDir);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share/Brisklane");
    return QDir::cleanPath(data);
}

} // namespace bkl
