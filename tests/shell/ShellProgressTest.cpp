#include "ShellTestSupport.h"

#include "shell/ui/cTFunctions.h"
#include "shell/ui/frmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {
class ShellProgress : public ShellTest {};
} // namespace

TEST_F(ShellProgress, RunsToNinetyTwoAndReturns)
{
    seams.random.values = {0.0}; // the load tick: step 1
    for (int i = 0; i < 20; ++i)
        seams.random.values.push_back(0.999); // step 8

    cTFunctions progress;
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Progress")));
    EXPECT_EQ(progress.m_frm->prgProgress->value(), 1);

    EXPECT_EQ(progress.showProgress(QStringLiteral("  Switching Model. Please wait... "), QStringLiteral(" Switch Model "),
                                    1, 1, 1, true),
              0);
    EXPECT_FALSE(progress.m_frm->isVisible());
    EXPECT_EQ(progress.m_frm->prgProgress->value(), 97); // 1 + 12 steps of 8
    EXPECT_EQ(progress.m_frm->windowTitle(), QStringLiteral("Switch Model 97%"));
    EXPECT_EQ(progress.m_frm->lblMessage->text(), QStringLiteral("Switching Model. Please wait..."));
}

TEST_F(ShellProgress, CaptionWithoutIncrementLongTextsAndIntervals)
{
    cTFunctions progress;
    const QString longTitle = QStringLiteral(" ") + QString(120, QLatin1Char('T'));
    int ticksSeen = 0;
    QStringList captions;
    QObject::connect(progress.m_frm->tmrProgress, &QTimer::timeout, [&] {
        ++ticksSeen;
        captions << progress.m_frm->windowTitle();
    });
    EXPECT_EQ(progress.showProgress(QString(150, QLatin1Char('m')), longTitle, 0, 0, 0, false), 0);
    EXPECT_EQ(progress.m_frm->tmrProgress->interval(), 100);
    EXPECT_EQ(progress.m_frm->lblMessage->text(), QString(100, QLatin1Char('m')));
    EXPECT_EQ(progress.m_frm->windowTitle(), QString(100, QLatin1Char('T')));
    EXPECT_EQ(progress.m_frm->prgProgress->value(), 95); // 5 at load, then 18 steps of 5
    EXPECT_EQ(ticksSeen, 18);
    captions.removeDuplicates();
    EXPECT_EQ(captions, QStringList{QString(100, QLatin1Char('T'))});

    // A negative interval returns at once without showing the window.
    cTFunctions refused;
    EXPECT_EQ(refused.showProgress(QStringLiteral("x"), QStringLiteral("y"), -5, 1, 1, false), 1);
    EXPECT_FALSE(refused.m_frm->isVisible());
    EXPECT_FALSE(refused.m_frm->tmrProgress->isActive());
}
