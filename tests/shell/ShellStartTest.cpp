// The splash, the start-up sequence and the program's lifetime over hand-offs.
#include "ShellTestSupport.h"

#include "shell/BuildText.h"
#include "shell/Globals.h"
#include "shell/ui/LastWindowQuit.h"
#include "shell/ui/Main.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "shell/ui/frmBKLSplash.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
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
