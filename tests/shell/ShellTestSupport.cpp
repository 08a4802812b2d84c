#include "ShellTestSupport.h"

#include "shell/Globals.h"
#include "shell/StartUp.h"
#include "support/FailingFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>
#include <QWidget>

namespace bkl::shelltest {

void EnsureFolders()
{
    for (const char* f : {"config", "data", "logs", "temp"})
        CreateApplicationFolder(QString::fromLatin1(f));
}

QStringList LogEntries()
{
    QStringList entries;
    for (const QString& line : LogLines())
        entries << line.section(QLatin1Char('|'), 2);
    return entries;
}

QStringList LoginTexts(const QList<ModelProfile>& profiles)
{
    QStringList texts;
    for (const ModelProfile& p : profiles)
        texts << QStringList{p.profileName, p.serverHost, p.user, p.password, p.modelDatabase, p.windowsAuth, p.isDefault}
                     .join('|');
    return texts;
}

QString RowText(const ProfileRow& r)
{
    return QStringList{r.key, r.profileName, r.serverHost, r.user, r.modelDatabase, r.windowsAuth, r.isDefault, r.password}
        .join(',');
}

QStringList RowTexts(const QList<ProfileRow>& rows)
{
    QStringList texts;
    for (const ProfileRow& r : rows)
        texts << RowText(r);
    return texts;
}

QByteArray ManyProfiles()
{
    QByteArray bytes;
    for (int i = 1; i <= 2500; ++i)
        bytes += "Profile" + QByteArray::number(i) + "|host|user|pw|Model|N|" + (i == 1 ? "Y\r\n" : "N\r\n");
    return bytes;
}

QList<UnreadableProfileFile> UnreadableProfileFiles()
{
    return {{FailingFile::kCannotOpen, 75, u"Permission denied"_s},
            {FailingFile::kFolderCannotBeSearched, 75, u"Permission denied"_s},
            {64 * 1024, 57, u"Input/output error"_s}};
}

void PressEnterIn(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* w : widgets) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
    }
}

namespace {
bool CanCreateFileIn(const QString& folder) { return QTemporaryFile(folder + u"/probe-XXXXXX"_s).open(); }

// Clears g_sModelKey and the connection settings, and gives g_cnModel a fresh, closed connection.
void ResetConnectionState()
{
    g_cnModel = db::Connection();
    for (QString* s : {&g_sServerHost, &g_sUserName, &g_sPassword, &g_sModelName, &g_sModelKey})
        s->clear();
    g_bWindowsAuth = false;
}
} // namespace

FolderWriteLock::FolderWriteLock(const QString& folder) : folder_(folder)
{
    QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (CanCreateFileIn(folder_))
        immutable_ = QProcess::execute(u"chattr"_s, {u"+i"_s, folder_}) == 0;
    locked_ = !CanCreateFileIn(folder_);
}

FolderWriteLock::~FolderWriteLock()
{
    if (immutable_)
        QProcess::execute(u"chattr"_s, {u"-i"_s, folder_});
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
