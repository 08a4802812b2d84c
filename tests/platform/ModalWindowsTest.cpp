// Every window the program runs modal goes through ExecModal, so that the frame
// knows it is open (it refuses Switch Model and its close meanwhile) and Quit can
// close it: a window run with its own exec(), or a static chooser or box that runs
// one inside, would be deleted under its handler or keep the program from ending.
#include "platform/core/ActiveRun.h"
#include "platform/ui/ModalWindows.h"

#include <QDialog>
#include "support/SourceScan.h"

#include <QTimer>
#include <gtest/gtest.h>

TEST(ModalWindows, NoWindowInTheProgramRunsModalButThroughExecModal)
{
    const QRegularExpression ownLoop(
        QStringLiteral(R"((\.|->|^\s*)exec\(\)|QFileDialog::get|QMessageBox::(information|warning|critical|question|about)\(|QInputDialog::get)"));
    const QStringList found = bkl::test::SourceLinesMatching(ownLoop, {QStringLiteral("/ModalWindows.cpp"),
                                                                      QStringLiteral("/app/main.cpp")});
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

TEST(ModalWindows, AWindowCountsAsOpenWhileItsLoopRunsAndNoneOpensOnceTheProgramQuits)
{
    QDialog dialog;
    bool openMeanwhile = false;
    int depthMeanwhile = -1;
    QTimer::singleShot(0, &dialog, [&] {
        openMeanwhile = bkl::ModalWindowOpen();
        depthMeanwhile = bkl::TopModalWindow() ? bkl::TopModalWindow()->runDepth : -1;
        dialog.accept();
    });
    EXPECT_EQ(bkl::ExecModal(dialog), QDialog::Accepted);
    EXPECT_TRUE(openMeanwhile);
    EXPECT_EQ(depthMeanwhile, 0);
    EXPECT_FALSE(bkl::ModalWindowOpen());

    bkl::RequestQuitStop();
    QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
    EXPECT_EQ(bkl::ExecModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    bkl::ResetQuitForTesting();
}
