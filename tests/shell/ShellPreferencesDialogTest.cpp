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
#include <QSettings>
#include <QTest>

namespace {

class ShellPreferencesDialog : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Settings().remove(u"USERPREFERENCES"_s);
        g_bShowGridLines = true;
    }
    static QSettings Settings() { return {QSettings::IniFormat, QSettings::UserScope, u"Brisklane"_s, u"Brisklane"_s}; }
    static QString Stored(const char* key)
    {
        return GetSetting(u"USERPREFERENCES"_s, QString::fromLatin1(key), u"<absent>"_s);
    }
    static void Store(const char* key, const QString& value)
    {
        SaveSetting(u"USERPREFERENCES"_s, QString::fromLatin1(key), value);
    }
    // Ticks exactly the listed rows; gives the ticked texts before.
    static QStringList Tick(frmBKLUserPreferences& dlg, std::initializer_list<int> rows)
    {
        QStringList ticked;
        for (int i = 0; i < dlg.lstObjects->count(); ++i) {
            if (dlg.lstObjects->item(i)->checkState() == Qt::Checked)
                ticked << dlg.lstObjects->item(i)->text();
            dlg.lstObjects->item(i)->setCheckState(std::find(rows.begin(), rows.end(), i) != rows.end() ? Qt::Checked
                                                                                                         : Qt::Unchecked);
        }
        return ticked;
    }
};

} // namespace

TEST_F(ShellPreferencesDialog, OpensFromTheSettingsOkSavesCancelDoesNot)
{
    // The grid box shows the setting in force (g_bShowGridLines), not the stored text.
    Store("ShowGridLines", u"N"_s);
    Store("DefaultObjectSelection", u";CALC"_s);
    frmBKLUserPreferences dlg;
    dlg.show();
    ASSERT_EQ(dlg.lstObjects->count(), 7);
    EXPECT_TRUE(dlg.chkGridLines->isChecked());
    EXPECT_FALSE(dlg.chkClearLogFiles->isChecked());
    EXPECT_EQ(Tick(dlg, {0, 6}), QStringList{u"Calculations"_s});
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Launch User Preferences"_s});
    dlg.chkGridLines->setChecked(false);
    dlg.cmdOk_Click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Stored("ShowGridLines"), "N");
    EXPECT_EQ(Stored("DefaultObjectSelection"), ";TABL;PRES");
    EXPECT_TRUE(g_bShowGridLines); // takes effect at the next start
    EXPECT_EQ(LogEntries().value(1), "INFO|Exiting User Preferences");

    frmBKLUserPreferences all;
    all.show();
    EXPECT_EQ(Tick(all, {0, 1, 2, 3, 4, 5, 6}), (QStringList{"Tables", "Presenter Reports"}));
    all.cmdOk_Click();
    EXPECT_EQ(Stored("DefaultObjectSelection"), ";TABL;VIEW;CALE;CALC;COMP;TAIL;PRES");
    EXPECT_EQ(Stored("ShowGridLines"), "Y");
    frmBKLUserPreferences none;
    none.show();
    Tick(none, {});
    none.cmdOk_Click();
    EXPECT_EQ(Stored("DefaultObjectSelection"), QString());

    frmBKLUserPreferences cancelled;
    cancelled.show();
    Tick(cancelled, {3});
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(Stored("DefaultObjectSelection"), QString());

    // Only an upper-case "Y", blanks around it aside, shows grid lines.
    for (const char* off : {"y", "N", "", "YES"}) {
        Store("ShowGridLines", QString::fromLatin1(off));
        EXPECT_FALSE(ReadShowGridLines()) << off;
    }
    Store("ShowGridLines", u"  Y  "_s);
    EXPECT_TRUE(ReadShowGridLines());
}

TEST_F(ShellPreferencesDialog, ClearLogAskedAndDone)
{
    WriteLog(u"older line"_s, LogInfo);
    frmBKLUserPreferences dlg;
    dlg.show();
    dlg.chkClearLogFiles->setChecked(true);
    Tick(dlg, {1});
    seams.boxes.answers = {mb::No};
    dlg.cmdOk_Click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Stored("DefaultObjectSelection"), "<absent>");
    EXPECT_EQ(LogLines().size(), 2);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[0], u"This action will clear the application log file. Do you want to continue ..?"_s,
                      mb::YesNo | mb::Question, u"User Preferences"_s));
    seams.boxes.answers = {mb::Yes};
    dlg.cmdOk_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 2u); // asked again
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(LogEntries(), (QStringList{"INFO|User cleared log file !", "INFO|Exiting User Preferences"}));
    EXPECT_EQ(Stored("DefaultObjectSelection"), ";VIEW");

    // A log that cannot be cleared is reported and nothing is saved.
    frmBKLUserPreferences failed;
    failed.show();
    failed.chkClearLogFiles->setChecked(true);
    failed.chkGridLines->setChecked(false);
    QDir(ApplicationFolderPath(u"logs"_s)).removeRecursively();
    seams.boxes.answers = {mb::Yes};
    failed.cmdOk_Click();
    EnsureFolders();
    ASSERT_EQ(seams.boxes.shown.size(), 4u);
    EXPECT_TRUE(seams.boxes.shown[3].prompt.startsWith("Unable to clear the application log file !"));
    EXPECT_EQ(seams.boxes.shown[3].style, mb::Critical);
    EXPECT_TRUE(failed.isVisible());
    EXPECT_EQ(Stored("ShowGridLines"), "Y");
}

TEST_F(ShellPreferencesDialog, FailedSaveIsReportedAndTheDialogStays)
{
    Store("ShowGridLines", u"Y"_s);
    frmBKLUserPreferences dlg;
    dlg.show();
    dlg.chkGridLines->setChecked(false);
    {
        FolderWriteLock lock(QFileInfo(Settings().fileName()).absolutePath());
        if (!lock.locked())
            GTEST_SKIP() << "cannot make the settings folder unwritable here";
        dlg.cmdOk_Click();
    }
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, "Unable to save the user preferences !");
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(LogLines().last().contains("|ERROR|Function: frmBKLUserPreferences.cmdOk_Click()"));
}

TEST_F(ShellPreferencesDialog, EnterPressesNoButton)
{
    // No default button: Enter with Clear Application Log ticked asks nothing, saves nothing, closes nothing.
    frmBKLUserPreferences dlg;
    dlg.show();
    dlg.chkClearLogFiles->setChecked(true);
    PressEnterIn({dlg.chkClearLogFiles, dlg.chkGridLines, dlg.lstObjects});
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Stored("ShowGridLines"), "<absent>");
}
