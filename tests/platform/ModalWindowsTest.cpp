// Every window the program runs modal goes through ExecModal, so that the frame
// knows it is open (it refuses Switch Model and its close meanwhile) and Quit can
// close it: a window run with its own exec(), or a static chooser or box that runs
// one inside, would be deleted under its handler or keep the program from ending.
#include "platform/core/ActiveRun.h"
#include "platform/ui/ModalWindows.h"

#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ModalWindows, NoWindowInTheProgramRunsModalButThroughExecModal)
{
    const QRegularExpression ownLoop(
        QStringLiteral(R"((\.|->|^\s*)exec\(\)|QFileDialog::get|QMessageBox::(information|warning|critical|question|about)\(|QInputDialog::get)"));
    QStringList found;
    QDirIterator it(QStringLiteral(BKL_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String("/ModalWindows.cpp")) || path.endsWith(QLatin1String("/app/main.cpp")))
            continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            const QString text = QString::fromUtf8(file.readLine());
            if (!text.trimmed().startsWith(QLatin1String("//")) && text.contains(ownLoop))
                found << QStringLiteral("%1:%2").arg(path.mid(path.indexOf(QLatin1String("/src/")) + 1)).arg(line);
        }
    }
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
