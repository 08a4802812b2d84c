#include "platform/db/EmbeddedServer.h"

#include "platform/core/AppFolder.h"

#include <QDir>
#include <QFileInfo>

namespace bkl::db {

QString EmbeddedServerFolder(const QString& dataSource)
{
    QString ds = dataSource.trimmed();
    bool forced = false;
    if (ds.startsWith(QLatin1String("local:"), Qt::CaseInsensitive)) {
        ds = ds.mid(6).trimmed();
        forced = true;
    }
    if (ds.isEmpty())
        return {};
    const QString path = QDir::isAbsolutePath(ds) ? ds : QDir(ApplicationFolder()).filePath(ds);
    if (QFileInfo(path).isDir())
        return QDir::cleanPath(path);
    // "local:" always means the embedded engine; a missing folder then fails on open.
    return forced ? QDir::cleanPath(path) : QString();
}

} // namespace bkl::db
