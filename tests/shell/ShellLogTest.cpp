#include "ShellTestSupport.h"

#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ToggleDivScript.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {
class ShellLog : public ShellTest {};
} // namespace

TEST_F(ShellLog, LineFormatAndLevels)
{
    FixedClock clock{QDateTime(QDate(2026, 3, 5), QTime(14, 7, 31))};
    SetClock(&clock);
    const auto restore = qScopeGuard([] { SetClock(nullptr); });
    WriteLog(u"Brisklane Launched"_s, LogInfo);
    WriteLog(u"a|b"_s, LogError);
    WriteLog(u"debugging"_s, LogDebug);
    WriteLog(u"odd level"_s, 7);
    g_sModelKey = u"srv#Model_A"_s;
    clock.time = QDateTime(QDate(2026, 12, 31), QTime(0, 5));
    WriteLog(u"after login"_s, LogInfo);
    g_sModelKey.clear();
    EXPECT_EQ(LogText(), "03/05/2026 02:07 PM||INFO|Brisklane Launched\r\n03/05/2026 02:07 PM||ERROR|a|b\r\n"
                         "03/05/2026 02:07 PM||DEBUG|debugging\r\n03/05/2026 02:07 PM|||odd level\r\n"
                         "12/31/2026 12:05 AM|srv#Model_A|INFO|after login\r\n");
    LogFunctionError(u"GetRecordCount"_s, 94, u"Invalid use of Null"_s);
    EXPECT_EQ(LogLines().last(),
              "12/31/2026 12:05 AM||ERROR|Function: GetRecordCount() --> Code: 94 --> Description: Invalid use of Null");
    ASSERT_TRUE(ClearLogFile(u"User cleared log file !"_s));
    EXPECT_EQ(LogText(), "12/31/2026 12:05 AM||INFO|User cleared log file !\r\n");

    // Without the logs folder the line is lost silently.
    QDir(ApplicationFolderPath(u"logs"_s)).removeRecursively();
    WriteLog(u"lost"_s, LogInfo);
    EXPECT_FALSE(QFileInfo::exists(LogFilePath()));
    EnsureFolders();
}

TEST(ShellToggleDivScript, ExactText)
{
    EXPECT_EQ(GetToggleDivScript(), "<script type='text/javascript'>function toggleDiv(id) { var e = document.getElementById(id); "
                                    "if(e.style.display == '') e.style.display = 'none'; else e.style.display = ''; }</script>");
}
