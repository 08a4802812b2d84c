// The splash, the start-up sequence and the program's lifetime over hand-offs.
#include "ShellTestSupport.h"

#include "platform/core/AppFolder.h"
#include "platform/core/Settings.h"
#include "shell/BuildText.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/StartUp.h"
#include "shell/ui/LastWindowQuit.h"
#include "shell/ui/Main.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "shell/ui/frmBKLSplash.h"
#include "support/TestEnvironment.h"

#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

class ShellSplash : public ShellTest {};
class ShellMain : public ShellTest {};

// Records, when a login window is shown, whether a splash was still visible.
class LoginShowSpy : public QObject {
public:
    int loginsShown = 0;
    bool splashVisibleAtLogin = false;
    LoginShowSpy() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->inherits("frmBKLModelLogin")) {
            ++loginsShown;
            splashVisibleAtLogin = !VisibleWindows("frmBKLSplash").isEmpty();
        }
        return false;
    }
};

} // namespace

TEST_F(ShellSplash, TicksShowTheStartUpTextsAndHandOverOnTheNinth)
{
    LoginShowSpy spy;
    auto* splash = new frmBKLSplash;
    splash->show();
    QPointer<frmBKLSplash> watch(splash);
    EXPECT_TRUE(splash->Timer1->isActive());
    splash->Timer1->stop(); // the test drives the ticks
    EXPECT_EQ(BuildText(), QStringLiteral("Build %1.%2").arg(BKL_VERSION_MAJOR).arg(BKL_VERSION_MINOR));

    for (int i = 0; i < 8; ++i)
        splash->Timer1_Timer();
    EXPECT_EQ(splash->prgLoad->value(), 8);
    EXPECT_EQ(splash->lblLoad->text(), QStringLiteral("8"));
    EXPECT_EQ(splash->lblDisplay->text(),
              QStringLiteral("Initializing Brisklane  ") + BuildText()
                  + QStringLiteral("...\r\nLoading User Preferences...\r\nLoading model profiles...\r\n"
                                   "Reading Settings and Verifying application folders...\r\nLoading Application..."));
    EXPECT_EQ(spy.loginsShown, 0);

    splash->Timer1_Timer();
    EXPECT_EQ(spy.loginsShown, 1);
    EXPECT_FALSE(spy.splashVisibleAtLogin);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(VisibleWindows("frmBKLModelLogin").size(), 1);
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("||INFO|Launch Splash Screen")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("||INFO|Exit Splash Screen")));
}

TEST_F(ShellMain, StartUpRunsTheSplashIntoTheLoginAndTheLastCloseEndsTheProgram)
{
    int ended = 0;
    QObject owner;
    WatchForLastWindow(&owner, [&ended] { ++ended; });
    g_bWindowsAuth = true;
    Main();
    EXPECT_FALSE(g_bWindowsAuth);
    EXPECT_EQ(VisibleWindows("frmBKLSplash").size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([] { return !VisibleWindows("frmBKLModelLogin").isEmpty(); }, 10000));
    EXPECT_TRUE(VisibleWindows("frmBKLSplash").isEmpty());
    EXPECT_EQ(ended, 0); // the hand-over from splash to login keeps the program
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("||INFO|Brisklane Launched")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("||INFO|Exit Splash Screen")));

    // Login closed by its Close button with no other window: the program ends.
    static_cast<frmBKLModelLogin*>(VisibleWindows("frmBKLModelLogin")[0])->cmdClose_Click();
    EXPECT_TRUE(QTest::qWaitFor([&ended] { return ended > 0; }, 5000));
}

TEST_F(ShellMain, ApplicationFoldersAreCreatedWholeOrTheProgramEnds)
{
    // BRISKLANE_HOME decides for this test.
    SetApplicationFolderForTesting(QString());
    const auto restore = qScopeGuard([] {
        qputenv("BRISKLANE_HOME", test::TestHome().toUtf8());
        SetApplicationFolderForTesting(test::TestHome());
    });
    // A new home two levels deep: every folder is made at the first start,
    // whose launch line is lost (it is written before logs exists).
    const QString home = test::TestHome() + QStringLiteral("/new/home");
    qputenv("BRISKLANE_HOME", home.toUtf8());
    ASSERT_TRUE(PrepareStartUp());
    for (const char* f : {"config", "data", "logs", "temp"})
        EXPECT_TRUE(QFileInfo(home + QLatin1Char('/') + QLatin1String(f)).isDir()) << f;
    EXPECT_FALSE(QFileInfo::exists(LogFilePath()));
    // The next start finds them and logs the launch only; the grid setting is read.
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QStringLiteral("N"));
    ASSERT_TRUE(PrepareStartUp());
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QStringLiteral("Y"));
    EXPECT_FALSE(g_bShowGridLines);
    g_bShowGridLines = true;
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Brisklane Launched")));
    EXPECT_TRUE(seams.boxes.shown.empty());

    // A file where a folder of the path should be: the box names the folder and
    // the reason, and the program ends without opening a window.
    const QString blocked = test::TestHome() + QStringLiteral("/blocked");
    WriteFileBytes(blocked, "x");
    qputenv("BRISKLANE_HOME", (blocked + QStringLiteral("/home")).toUtf8());
    EXPECT_FALSE(Main());
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Unable to create the folder ") + blocked
                                               + QStringLiteral("/home/config ! Brisklane cannot run without it and "
                                                                "will close.\r\n\r\nError Number: 20\r\n"
                                                                "Description: Not a directory"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::OKOnly | mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Brisklane"));
    EXPECT_FALSE(AnyWindowOpen());
}
