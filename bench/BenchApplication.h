#pragma once
// What the benchmark programs that open real windows share: the offscreen
// platform and the web engine's flags (unless the caller set its own), the
// en_US locale the pages are written in, and the options naming the model.
#include "platform/core/AppFolder.h"
#include "platform/core/LargeBuffers.h"
#include "platform/db/ConnectionString.h"
#include "platform/ui/PageScheme.h"
#include "shell/Log.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QString>

namespace bench {

// The report pages' URL scheme, registered before the QApplication is made; the
// memory of large buffers handled as the program handles it.
inline void PrepareWebEngine()
{
    bkl::ReturnLargeBuffersWhenFreed();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    bkl::RegisterPageScheme();
}

// Call before the QApplication is made.
inline void PrepareOffscreenApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    PrepareWebEngine();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The program's folders and settings under `home` (a temporary folder of the run).
inline void UseApplicationFolder(const QString& home)
{
    qputenv("BRISKLANE_HOME", home.toUtf8());
    bkl::SetApplicationFolderForTesting(home);
    bkl::InstallPlatformLog();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home + QStringLiteral("/settings"));
    for (const char* folder : {"config", "data", "logs", "temp"})
        QDir().mkpath(bkl::ApplicationFolderPath(QLatin1String(folder)));
}

// The connection string of `database` on the server `dataSource` (a demo server
// folder, or host,port of a SQL Server), logged in as the demo user.
inline QString ModelConnectionString(const QString& dataSource, const QString& database)
{
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=demo;password=demo;Initial Catalog=")
        + bkl::db::ConnectionStringValue(database) + QStringLiteral(";Data Source=") + dataSource;
}

// --server, --database and --scale (shown only).
inline void AddModelOptions(QCommandLineParser& p)
{
    p.addOption({QStringLiteral("server"), QStringLiteral("Demo server folder."), QStringLiteral("folder")});
    p.addOption({QStringLiteral("database"), QStringLiteral("Model database."), QStringLiteral("name")});
    p.addOption({QStringLiteral("scale"), QStringLiteral("Scale of the demo server (shown only)."), QStringLiteral("n"),
                 QStringLiteral("100")});
}

// Reads the command line (help on request, or when the model is not named):
// the server folder, absolute, and the database.
struct ModelOptions {
    QString server;
    QString database;
};
inline ModelOptions ProcessModelOptions(QCommandLineParser& p, const QCoreApplication& app)
{
    p.addHelpOption();
    p.process(app);
    if (!p.isSet(QStringLiteral("server")) || !p.isSet(QStringLiteral("database")))
        p.showHelp(2);
    return {QFileInfo(p.value(QStringLiteral("server"))).absoluteFilePath(), p.value(QStringLiteral("database"))};
}

} // namespace bench
