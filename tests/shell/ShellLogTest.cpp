#include "ShellTestSupport.h"

#include "platform/core/FailureBox.h"
#include "platform/db/DbError.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ToggleDivScript.h"

#include "support/DemoModel.h"

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

TEST_F(ShellLog, AControlCharacterShowsVisiblyInTheErrorLineAndTheBox)
{
    // A statement with a NUL between its tokens fails; its ERROR line and its run's box
    // name the character as \0: no NUL byte in the log, nothing unseen in the box.
    const db::Connection cn = OpenDemoModel(QLatin1String(kSourceModel));
    try {
        cn.execute(u"SELECT 1"_s + QChar(0));
        ADD_FAILURE() << "ran";
    } catch (const db::DbError& e) {
        LogFunctionError(u"cmdFind_Click"_s, e.number(), e.description());
        ShowRunFailure(e.number(), e.description(), u"SalesModel2026"_s);
    }
    const QString reason = uR"(Incorrect syntax: unexpected character '\0' (near "\0") in statement: SELECT 1\0)"_s;
    EXPECT_EQ(LogEntries(), QStringList{u"ERROR|Function: cmdFind_Click() --> Code: 102 --> Description: "_s + reason});
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, u"Run-time error '102':\r\n\r\n"_s + reason);

    // Other texts with control characters (a model key, a name in a box) are shown the same way;
    // the CR LF of the program's own texts stay line breaks.
    g_sModelKey = u"srv#Model"_s + QChar(0x0B);
    WriteLog(u"Exporting "_s + QChar(0) + QChar(0x85) + QChar(0x2028) + u"Bonus\r\nQ1"_s, LogInfo);
    g_sModelKey.clear();
    EXPECT_TRUE(LogText().endsWith(uR"(|srv#Model\x0B|INFO|Exporting \0\x85\u2028Bonus)"_s + u"\r\nQ1\r\n"_s));
    EXPECT_FALSE(FileBytes(LogFilePath()).contains('\0'));
    MsgBox(u"Object "_s + QChar(0x1F) + u" not found.\r\nCheck it."_s, mb::Critical, u"Find "_s + QChar(0x7F));
    EXPECT_EQ(seams.boxes.shown.back().prompt, uR"(Object \x1F not found.)"_s + u"\r\nCheck it."_s);
    EXPECT_EQ(seams.boxes.shown.back().title, uR"(Find \x7F)"_s);
}

TEST(ShellToggleDivScript, ExactText)
{
    EXPECT_EQ(GetToggleDivScript(), "<script type='text/javascript'>function toggleDiv(id) { var e = document.getElementById(id); "
                                    "if(e.style.display == '') e.style.display = 'none'; else e.style.display = ''; }</script>");
}
