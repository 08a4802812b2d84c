#include "support/TestEnvironment.h"

#include "platform/core/AppFolder.h"
#include "shell/Log.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

namespace bkl::test {
namespace {
QTemporaryDir* g_home = nullptr;
}

void PrepareTestEnvironment()
{
    g_home = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/bkl-test-XXXXXX"));
    const QString home = g_home->path();
    qputenv("BRISKLANE_HOME", home.toUtf8());
    SetApplicationFolderForTesting(home);
    InstallPlatformLog();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home + QStringLiteral("/settings"));
}

QString TestHome() { return g_home ? g_home->path() : QString(); }

QString DemoServerFolder() { return QStringLiteral(BKL_DEMO_SERVER); }

QString DemoConnectionString(const QString& catalog)
{
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=demo;password=demo;Initial Catalog=")
        + catalog + QStringLiteral(";Data Source=") + DemoServerFolder();
}

} // namespace bkl::test
