#include "support/TestEnvironment.h"

#include "platform/core/AppFolder.h"
#include "shell/Log.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace bkl::test {
namespace {
QTemporaryDir* g_home = nullptr;
std::string g_homePath;

// The folder goes when the process ends, after the application and its web engine
// are gone: each test process makes one, and thousands of runs would fill the
// temporary folder.
void RemoveHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(g_homePath, ignored);
}
} // namespace

void PrepareTestEnvironment()
{
    g_home = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/bkl-test-XXXXXX"));
    g_home->setAutoRemove(false);
    const QString home = g_home->path();
    g_homePath = QFile::encodeName(home).toStdString();
    std::atexit(RemoveHome);
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
