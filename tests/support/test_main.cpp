// Test entry: a QApplication on the offscreen platform, the locale fixed to
// en_US, settings and the application folder pointed at a temporary folder.
#include "support/TestEnvironment.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"
#include "platform/core/OutsideRunWait.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/PageScheme.h"
#include "platform/ui/ProgramQuit.h"
#include "platform/ui/WaitInput.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

// Every test starts with the program's own time slice, whatever the last one set.
class SliceReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        bkl::SetPumpSliceMsForTesting(-1);
        bkl::ForgetQuitForTesting();
        bkl::ForgetOutsideRunStopForTesting();
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    bkl::RegisterPageScheme();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisklane"));
    bkl::test::PrepareTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SliceReset);
    // Code that turns the event loop while no run guards the windows it returns to
    // fails the test that reached it.
    bkl::SetTurnOutsideRunHandler([] { ADD_FAILURE() << "The event loop turned while no run was active"; });
    bkl::InstallOutsideRunWaitUi();
    // A Quit that has not ended the program within its bound fails the test that quit.
    bkl::SetQuitBoundEnd([] { ADD_FAILURE() << "Quit did not end the program within its bound"; });
    return RUN_ALL_TESTS();
}
