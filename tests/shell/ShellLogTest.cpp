#include "ShellTestSupport.h"

#include "platform/core/ScriptedSeams.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ToggleDivScript.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

struct ClockGuard {
    FixedClock clock{QDateTime(QDate(2026, 3, 5), QTime(14, 7, 31))};
    ClockGuard() { SetClock(&clock); }
    ~ClockGuard() { SetClock(nullptr); }
};

class ShellLog : public ShellTest {};

} // namespace

TEST_F(ShellLog, LineFormatAndLevels)
{
    ClockGuard clock;

    WriteLog(QStringLiteral("Brisklane Launched"), LogInfo);
    WriteLog(QStringLiteral("a|b"), LogError);
    WriteLog(QStringLiteral("debugging"), LogDebug);
    WriteLog(QStringLiteral("odd level"), 7);
    g_sModelKey = QStringLiteral("srv#Model_A");
    clock.clock.time = QDateTime(QDate(2026, 12, 31), QTime(0, 5));
    WriteLog(QStringLiteral("after login"), LogInfo);
    g_sModelKey.clear();

    EXPECT_EQ(LogText(), QStringLiteral("03/05/2026 02:07 PM||INFO|Brisklane Launched\r\n"
                                        "03/05/2026 02:07 PM||ERROR|a|b\r\n"
                                        "03/05/2026 02:07 PM||DEBUG|debugging\r\n"
                                        "03/05/2026 02:07 PM|||odd level\r\n"
                                        "12/31/2026 12:05 AM|srv#Model_A|INFO|after login\r\n"));

    LogFunctionError(QStringLiteral("GetRecordCount"), 94, QStringLiteral("Invalid use of Null"));
    EXPECT_EQ(LogLines().last(),
              QStringLiteral("12/31/2026 12:05 AM||ERROR|Function: GetRecordCount() --> Code: 94 --> "
                             "Description: Invalid use of Null"));

    ASSERT_TRUE(ClearLogFile(QStringLiteral("User cleared log file !")));
    EXPECT_EQ(LogText(), QStringLiteral("12/31/2026 12:05 AM||INFO|User cleared log file !\r\n"));

    // Without the logs folder the line is lost silently.
    QDir(ApplicationFolderPath(QStringLiteral("logs"))).removeRecursively();
    WriteLog(QStringLiteral("lost"), LogInfo);
    EXPECT_FALSE(QFileInfo::exists(LogFilePath()));
    EnsureFolders();
}

TEST(ShellToggleDivScript, ExactText)
{
    EXPECT_EQ(GetToggleDivScript(),
              QStringLiteral("<script type='text/javascript'>function toggleDiv(id) { var e = "
                             "document.getElementById(id); if(e.style.display == '') e.style.display = 'none'; "
                             "else e.style.display = ''; }</script>"));
}
