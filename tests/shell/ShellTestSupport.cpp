#include "ShellTestSupport.h"

#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/StartUp.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

namespace bkl::shelltest {

void EnsureFolders()
{
    for (const char* f : {"config", "data", "logs", "temp"})
        CreateApplicationFolder(QString::fromLatin1(f));
}

void ResetConnectionState()
{
    g_cnModel = db::Connection();
    g_sServerHost.clear();
    g_sUserName.clear();
    g_sPassword.clear();
    g_sModelName.clear();
    g_sModelKey.clear();
    g_bWindowsAuth = false;
}

namespace {
bool CanCreateFileIn(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}
} // namespace

FolderWriteLock::FolderWriteLock(const QString& folder) : folder_(folder)
{
    QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (CanCreateFileIn(folder_)) {
        immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder_}) == 0;
    }
    locked_ = !CanCreateFileIn(folder_);
}

FolderWriteLock::~FolderWriteLock()
{
    if (immutable_)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder_});
    QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void ShellTest::SetUp()
{
    CloseAllWindows();
    EnsureFolders();
    ResetLog();
    ResetConnectionState();
    seams.install();
}

void ShellTest::TearDown()
{
    CloseAllWindows();
    ResetConnectionState();
}

} // namespace bkl::shelltest
