#include "platform/db/EmbeddedServer.h"

#include "platform/core/AppFolder.h"
#include "platform/db/sqlite/TsqlErrors.h"

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
    // A text written as a path never names a SQL Server host. ".\INSTANCE" is the
    // server's own notation for a named instance on this machine, not a path.
    const bool dotInstance = ds.startsWith(QLatin1String(".\\"));
    const bool writtenAsPath = !forced && !dotInstance
        && (ds.contains(QLatin1Char('/')) || ds.startsWith(QLatin1Char('~')) || ds.startsWith(QLatin1Char('.')));
    if (ds == QLatin1String("~") || ds.startsWith(QLatin1String("~/")))
        ds = QDir::homePath() + ds.mid(1);
    const QString path = QDir::isAbsolutePath(ds) ? ds : QDir(ApplicationFolder()).filePath(ds);
    if (QFileInfo(path).isDir())
        return QDir::cleanPath(path);
    if (writtenAsPath)
        throw DbError(sqlite::engine_err::ServerNotFound, QString::fromLatin1(sqlite::kEngineSource),
                      QStringLiteral("Folder not found: ") + QDir::cleanPath(path));
    // "local:" always means the embedded engine; a missing folder then fails on open.
    return forced ? QDir::cleanPath(path) : QString();
}

} // namespace bkl::db
