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

namespace {

class ShellStart : public ShellTest {};

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

TEST_F(ShellStart, SplashTicksShowTheStartUpTextsAndHandOverOnTheNinth)
{
    LoginShowSpy spy;
    auto* splash = new frmBKLSplash;
    splash->show();
    QPointer<frmBKLSplash> watch(splash);
    EXPECT_TRUE(splash->Timer1->isActive());
    splash->Timer1->stop(); // the test drives the ticks
    EXPECT_EQ(BuildText(), u"Build %1.%2"_s.arg(BKL_VERSION_MAJOR).arg(BKL_VERSION_MINOR));
    for (int i = 0; i < 8; ++i)
        splash->Timer1_Timer();
    EXPECT_EQ(splash->prgLoad->value(), 8);
    EXPECT_EQ(splash->lblLoad->text(), "8");
    EXPECT_EQ(splash->lblDisplay->text(), "Initializing Brisklane  " + BuildText()
                                              + "...\r\nLoading User Preferences...\r\nLoading model profiles...\r\n"
                                                "Reading Settings and Verifying application folders...\r\nLoading Application...");
    EXPECT_EQ(spy.loginsShown, 0);
    splash->Timer1_Timer();
    EXPECT_EQ(spy.loginsShown, 1);
    EXPECT_FALSE(spy.splashVisibleAtLogin);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(VisibleWindows("frmBKLModelLogin").size(), 1);
    EXPECT_EQ(LogEntries(), (QStringList{"INFO|Launch Splash Screen", "INFO|Exit Splash Screen"}));
}

TEST_F(ShellStart, MainRunsTheSplashIntoTheLoginAndTheLastCloseEndsTheProgram)
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
    EXPECT_EQ(LogEntries(), (QStringList{"INFO|Brisklane Launched", "INFO|Launch Splash Screen", "INFO|Exit Splash Screen"}));
    // Login closed by its Close button with no other window: the program ends.
    static_cast<frmBKLModelLogin*>(VisibleWindows("frmBKLModelLogin")[0])->cmdClose_Click();
    EXPECT_TRUE(QTest::qWaitFor([&ended] { return ended > 0; }, 5000));
}

TEST_F(ShellStart, ApplicationFoldersAreCreatedWholeOrTheProgramEnds)
{
    // BRISKLANE_HOME decides for this test.
    SetApplicationFolderForTesting(QString());
    const auto restore = qScopeGuard([] {
        qputenv("BRISKLANE_HOME", TestHome().toUtf8());
        SetApplicationFolderForTesting(TestHome());
    });
    // A new home two levels deep: every folder is made at the first start,
    // whose launch line is lost (it is written before logs exists).
    const QString home = TestHome() + "/new/home";
    qputenv("BRISKLANE_HOME", home.toUtf8());
    ASSERT_TRUE(PrepareStartUp());
    for (const char* f : {"config", "data", "logs", "temp"})
        EXPECT_TRUE(QFileInfo(home + '/' + QLatin1String(f)).isDir()) << f;
    EXPECT_FALSE(QFileInfo::exists(LogFilePath()));
    // The next start finds them and logs the launch only; the grid setting is read.
    SaveSetting(u"USERPREFERENCES"_s, u"ShowGridLines"_s, u"N"_s);
    ASSERT_TRUE(PrepareStartUp());
    SaveSetting(u"USERPREFERENCES"_s, u"ShowGridLines"_s, u"Y"_s);
    EXPECT_FALSE(g_bShowGridLines);
    g_bShowGridLines = true;
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Brisklane Launched"_s});
    EXPECT_TRUE(seams.boxes.shown.empty());

    // A file where a folder of the path should be: the box names the folder and
    // the reason, and the program ends without opening a window.
    const QString blocked = TestHome() + "/blocked";
    WriteFileBytes(blocked, "x");
    qputenv("BRISKLANE_HOME", (blocked + "/home").toUtf8());
    EXPECT_FALSE(Main());
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[0],
                      "Unable to create the folder " + blocked + "/home/config ! Brisklane cannot run without it and will "
                                                                 "close.\r\n\r\nError Number: 20\r\nDescription: Not a directory",
                      mb::OKOnly | mb::Critical, u"Brisklane"_s));
    EXPECT_FALSE(AnyWindowOpen());
}
