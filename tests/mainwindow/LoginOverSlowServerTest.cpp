// The login to a SQL Server whose replies come late: the frame's statements wait
// with the event loop turning while the login has closed and the frame is not shown
// yet. That moment without a visible window is not the program's end: the frame
// opens, and the program goes on.
#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "shell/ui/LastWindowQuit.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "support/FileBytes.h"
#include "support/TdsStandIn.h"
#include "support/WindowTest.h"

#include <QComboBox>
#include <QTest>

namespace {
class LoginOverSlowServer : public bkl::test::WindowTest {};
} // namespace

TEST_F(LoginOverSlowServer, TheFrameOpensAndTheProgramGoesOnWhileItsStatementsWait)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn({}, {"--delay", "30"});
    ASSERT_TRUE(standIn.running());
    bkl::test::WriteFileBytes(bkl::ProfileFilePath(),
                              "Demo|" + standIn.server().toUtf8() + "|demo|demo|SalesModel2026|N|Y\r\n");
    int ended = 0;
    QObject owner;
    bkl::WatchForLastWindow(&owner, [&ended] { ++ended; });

    auto* login = new frmBKLModelLogin;
    login->show();
    login->cboSQLServerDB->setEditText("SalesModel2026");
    login->cmdConnect_Click();
    frame = frmMDIBKLMain::current();
    ASSERT_TRUE(frame && frame->isVisible());
    QTest::qWait(50);
    EXPECT_EQ(ended, 0);
    CloseWindows();
    g_cnModel = bkl::db::Connection();
}
