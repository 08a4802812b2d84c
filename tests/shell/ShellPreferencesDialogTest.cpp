#include "ShellTestSupport.h"

#include "platform/core/Settings.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/Preferences.h"
#include "shell/ui/frmBKLUserPreferences.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

class ShellPreferencesDialog : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brisklane"), QStringLiteral("Brisklane"))
            .remove(QStringLiteral("USERPREFERENCES"));
        g_bShowGridLines = true;
    }
    QString Stored(const char* key)
    {
        return GetSetting(QStringLiteral("USERPREFERENCES"), QString::fromLatin1(key), QStringLiteral("<absent>"));
    }
    QStringList Ticked(const frmBKLUserPreferences& dlg)
    {
        QStringList out;
        for (int i = 0; i < dlg.lstObjects->count(); ++i)
            if (dlg.lstObjects->item(i)->checkState() == Qt::Checked)
                out << dlg.lstObjects->item(i)->text();
        return out;
    }
};

} // namespace

TEST_F(ShellPreferencesDialog, OpensFromTheSettingsOkSavesCancelDoesNot)
{
    // The grid box shows the setting in force (g_bShowGridLines), not the stored text.
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QStringLiteral("N"));
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("DefaultObjectSelection"), QStringLiteral(";CALC"));
    frmBKLUserPreferences dlg;
    dlg.show();
    ASSERT_EQ(dlg.lstObjects->count(), 7);
    EXPECT_TRUE(dlg.chkGridLines->isChecked());
    EXPECT_FALSE(dlg.chkClearLogFiles->isChecked());
    EXPECT_EQ(Ticked(dlg), QStringList{QStringLiteral("Calculations")});
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Launch User Preferences")));

    dlg.lstObjects->item(3)->setCheckState(Qt::Unchecked);
    dlg.lstObjects->item(0)->setCheckState(Qt::Checked);
    dlg.lstObjects->item(6)->setCheckState(Qt::Checked);
    dlg.chkGridLines->setChecked(false);
    dlg.cmdOk_Click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Stored("ShowGridLines"), QStringLiteral("N"));
    EXPECT_EQ(Stored("DefaultObjectSelection"), QStringLiteral(";TABL;PRES"));
    EXPECT_TRUE(g_bShowGridLines); // takes effect at the next start
    EXPECT_TRUE(LogLines().last().endsWith(QStringLiteral("||INFO|Exiting User Preferences")));

    frmBKLUserPreferences clearAll;
    clearAll.show();
    EXPECT_EQ(Ticked(clearAll), (QStringList{QStringLiteral("Tables"), QStringLiteral("Presenter Reports")}));
    for (int i = 0; i < 7; ++i)
        clearAll.lstObjects->item(i)->setCheckState(Qt::Unchecked);
    clearAll.cmdOk_Click();
    EXPECT_EQ(Stored("DefaultObjectSelection"), QString());
    EXPECT_EQ(Stored("ShowGridLines"), QStringLiteral("Y"));

    frmBKLUserPreferences cancelled;
    cancelled.show();
    cancelled.lstObjects->item(3)->setCheckState(Qt::Checked);
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(Stored("DefaultObjectSelection"), QString());
}

TEST_F(ShellPreferencesDialog, ClearLogAskedAndDone)
{
    WriteLog(QStringLiteral("older line"), LogInfo);
    frmBKLUserPreferences dlg;
    dlg.show();
    dlg.chkClearLogFiles->setChecked(true);
    dlg.lstObjects->item(1)->setCheckState(Qt::Checked);

    seams.boxes.answers = {mb::No};
    dlg.cmdOk_Click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Stored("DefaultObjectSelection"), QStringLiteral("<absent>"));
    EXPECT_EQ(LogLines().size(), 2);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt,
              QStringLiteral("This action will clear the application log file. Do you want to continue ..?"));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("User Preferences"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::YesNo | mb::Question);

    seams.boxes.answers = {mb::Yes};
    dlg.cmdOk_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 2u); // asked again
    EXPECT_FALSE(dlg.isVisible());
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("||INFO|User cleared log file !")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("||INFO|Exiting User Preferences")));
    EXPECT_EQ(Stored("DefaultObjectSelection"), QStringLiteral(";VIEW"));

    // A log that cannot be cleared is reported and nothing is saved.
    frmBKLUserPreferences failed;
    failed.show();
    failed.chkClearLogFiles->setChecked(true);
    failed.chkGridLines->setChecked(false);
    QDir(ApplicationFolderPath(QStringLiteral("logs"))).removeRecursively();
    seams.boxes.answers = {mb::Yes};
    failed.cmdOk_Click();
    EnsureFolders();
    ASSERT_EQ(seams.boxes.shown.size(), 4u);
    EXPECT_TRUE(seams.boxes.shown[3].prompt.startsWith(QStringLiteral("Unable to clear the application log file !")));
    EXPECT_EQ(seams.boxes.shown[3].style, mb::Critical);
    EXPECT_TRUE(failed.isVisible());
    EXPECT_EQ(Stored("ShowGridLines"), QStringLiteral("Y"));
}

TEST_F(ShellPreferencesDialog, FailedSaveIsReportedAndTheDialogStays)
{
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QStringLiteral("Y"));
    const QString store = QFileInfo(QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brisklane"),
                                              QStringLiteral("Brisklane"))
                                        .fileName())
                              .absolutePath();
    frmBKLUserPreferences dlg;
    dlg.show();
    dlg.chkGridLines->setChecked(false);
    {
        FolderWriteLock lock(store);
        if (!lock.locked())
            GTEST_SKIP() << "cannot make the settings folder unwritable here";
        dlg.cmdOk_Click();
    }
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Unable to save the user preferences !"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(LogLines().last().contains(QStringLiteral("|ERROR|Function: frmBKLUserPreferences.cmdOk_Click()")));
}
