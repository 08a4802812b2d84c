#include "ShellTestSupport.h"

#include "shell/ui/cTFunctions.h"
#include "shell/ui/frmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {
class ShellProgress : public ShellTest {};
} // namespace

TEST_F(ShellProgress, RunsToTheEndAndReturns)
{
    seams.random.values = {0.0}; // the load tick: step 1
    seams.random.values.insert(seams.random.values.end(), 20, 0.999); // step 8
    cTFunctions progress;
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Progress"_s});
    EXPECT_EQ(progress.m_frm->prgProgress->value(), 1);
    EXPECT_EQ(progress.showProgress(u"  Switching Model. Please wait... "_s, u" Switch Model "_s, 1, 1, 1, true), 0);
    EXPECT_FALSE(progress.m_frm->isVisible());
    EXPECT_EQ(progress.m_frm->prgProgress->value(), 97); // 1 + 12 steps of 8
    EXPECT_EQ(progress.m_frm->windowTitle(), "Switch Model 97%");
    EXPECT_EQ(progress.m_frm->lblMessage->text(), "Switching Model. Please wait...");
}

TEST_F(ShellProgress, CaptionWithoutIncrementLongTextsAndIntervals)
{
    cTFunctions progress;
    QStringList captions;
    QObject::connect(progress.m_frm->tmrProgress, &QTimer::timeout, [&] { captions << progress.m_frm->windowTitle(); });
    EXPECT_EQ(progress.showProgress(QString(150, 'm'), " " + QString(120, 'T'), 0, 0, 0, false), 0);
    EXPECT_EQ(progress.m_frm->tmrProgress->interval(), 100);
    EXPECT_EQ(progress.m_frm->lblMessage->text(), QString(100, 'm'));
    EXPECT_EQ(progress.m_frm->windowTitle(), QString(100, 'T'));
    EXPECT_EQ(progress.m_frm->prgProgress->value(), 95); // 5 at load, then 18 steps of 5
    EXPECT_EQ(captions.size(), 18);
    captions.removeDuplicates();
    EXPECT_EQ(captions, QStringList{QString(100, 'T')});
    // A negative interval returns at once without showing the window.
    cTFunctions refused;
    EXPECT_EQ(refused.showProgress(u"x"_s, u"y"_s, -5, 1, 1, false), 1);
    EXPECT_FALSE(refused.m_frm->isVisible());
    EXPECT_FALSE(refused.m_frm->tmrProgress->isActive());
}
