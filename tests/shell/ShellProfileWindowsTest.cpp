// The profile manager and its add/modify dialog.
#include "ShellTestSupport.h"

#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ProfileFile.h"
#include "shell/ui/ProfileListRows.h"
#include "shell/ui/frmBKLModelProfileMain.h"
#include "shell/ui/frmKBLAddModifyModelProfiles.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

const QByteArray kTwoProfiles = "Alpha|hostA|userA|pwA|ModelA|Y|N\r\nBeta|hostB|userB|pwB|ModelB|N|Y\r\n";

class ShellProfileWindows : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        WriteFileBytes(ProfileFilePath(), kTwoProfiles);
        g_bShowGridLines = true;
    }
    static QString RowText(const QTableWidget* lv, int row)
    {
        const ProfileRow r = ProfileRowAt(lv, row);
        return QStringList{r.key, r.profileName, r.serverHost, r.user, r.modelDatabase, r.windowsAuth, r.isDefault,
                           r.password}
            .join(QLatin1Char(','));
    }
};

} // namespace

TEST_F(ShellProfileWindows, ListAddAndModifyThroughTheDialog)
{
    frmBKLModelProfileMain manager;
    manager.show();
    ASSERT_EQ(manager.lvProfile->rowCount(), 2);
    EXPECT_EQ(RowText(manager.lvProfile, 0), QStringLiteral("P1,Alpha,hostA,userA,ModelA,Yes,No,pwA"));
    EXPECT_EQ(RowText(manager.lvProfile, 1), QStringLiteral("P2,Beta,hostB,userB,ModelB,No,Yes,pwB"));
    for (int c = 0; c < manager.lvProfile->columnCount(); ++c)
        EXPECT_NE(manager.lvProfile->item(0, c)->text(), QStringLiteral("pwA")); // the password is never shown
    EXPECT_TRUE(manager.lvProfile->showGrid());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Launch Brisklane - Manage Model Profiles")));

    OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<frmKBLAddModifyModelProfiles*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->lblAction->text(), QStringLiteral("ADD"));
        dlg->txtProfile->setText(QStringLiteral("  Gamma "));
        dlg->txtServerHost->setText(QStringLiteral(" hostC"));
        dlg->txtPassword->setText(QStringLiteral(" p w "));
        dlg->cboDefault->setCurrentIndex(0);
        dlg->cmdOk_Click();
    });
    manager.cmdAddNew_Click();
    ASSERT_EQ(manager.lvProfile->rowCount(), 3);
    EXPECT_EQ(RowText(manager.lvProfile, 2), QStringLiteral(",Gamma,hostC,,,No,Yes,p w"));

    manager.lvProfile->setCurrentCell(0, 0);
    OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<frmKBLAddModifyModelProfiles*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->lblAction->text(), QStringLiteral("MODIFY"));
        EXPECT_EQ(dlg->lblSelectedIndex->text(), QStringLiteral("1"));
        EXPECT_EQ(dlg->txtPassword->text(), QStringLiteral("pwA"));
        EXPECT_EQ(dlg->cboWindowsAuth->currentIndex(), 0);
        EXPECT_EQ(dlg->cboDefault->currentIndex(), 1);
        dlg->txtModel->setText(QStringLiteral("ModelA2"));
        dlg->cboWindowsAuth->setCurrentIndex(1);
        dlg->cmdOk_Click();
    });
    manager.lvProfile_DblClick();
    EXPECT_EQ(RowText(manager.lvProfile, 0), QStringLiteral("P1,Alpha,hostA,userA,ModelA2,No,No,pwA"));

    // Closing without Save leaves the file as it was.
    manager.cmdClose_Click();
    EXPECT_EQ(FileBytes(ProfileFilePath()), kTwoProfiles);
    EXPECT_TRUE(LogLines().last().endsWith(QStringLiteral("||INFO|Exiting Brisklane - Manage Model Profiles")));
}

TEST_F(ShellProfileWindows, SaveValidatesNamesAndDefaults)
{
    WriteFileBytes(ProfileFilePath(), "One|h|u|p|m|N|Y\r\n one |h|u|p|m|N|Y\r\nTwo|h|u|p|m|N|N\r\n");
    frmBKLModelProfileMain manager;
    manager.show();
    manager.cmdSave_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt,
              QStringLiteral("One or more validation errors needs to be corrected before saving!\r\n\r\n"
                             "* Duplicate Profile Name found!\r\n"
                             "* More than one default profile names found! \r\n"));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Brisklane"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_TRUE(manager.isVisible());

    for (int r = 0; r < 3; ++r) {
        ProfileRow row = ProfileRowAt(manager.lvProfile, r);
        row.isDefault = QStringLiteral("No");
        SetProfileRow(manager.lvProfile, r, row);
    }
    manager.cmdSave_Click();
    EXPECT_EQ(seams.boxes.shown[1].prompt,
              QStringLiteral("One or more validation errors needs to be corrected before saving!\r\n\r\n"
                             "* Duplicate Profile Name found!\r\n* No default profile name found! \r\n"));
    EXPECT_EQ(FileBytes(ProfileFilePath()), QByteArray("One|h|u|p|m|N|Y\r\n one |h|u|p|m|N|Y\r\nTwo|h|u|p|m|N|N\r\n"));

    // An empty list is not saved at all.
    manager.lvProfile->setRowCount(0);
    manager.cmdSave_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(manager.isVisible());
    EXPECT_EQ(FileBytes(ProfileFilePath()), QByteArray("One|h|u|p|m|N|Y\r\n one |h|u|p|m|N|Y\r\nTwo|h|u|p|m|N|N\r\n"));
}

TEST_F(ShellProfileWindows, RemoveAsksThenSaveWritesTheListAndCloses)
{
    frmBKLModelProfileMain manager;
    manager.show();
    manager.lvProfile->setCurrentCell(0, 0);
    seams.boxes.answers = {mb::No, mb::Yes};
    manager.cmdDelete_Click();
    EXPECT_EQ(manager.lvProfile->rowCount(), 2);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt,
              QStringLiteral("Are you sure want to remove the selected profile 'Alpha' from the list?"));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Remove Profile"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::YesNo | mb::Question);
    manager.cmdDelete_Click();
    ASSERT_EQ(manager.lvProfile->rowCount(), 1);
    EXPECT_EQ(FileBytes(ProfileFilePath()), kTwoProfiles); // removing alone does not save
    manager.cmdSave_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(seams.boxes.shown[2].prompt, QStringLiteral("Profile file updated successfully !"));
    EXPECT_EQ(seams.boxes.shown[2].style, mb::Information);
    EXPECT_FALSE(manager.isVisible());
    EXPECT_EQ(FileBytes(ProfileFilePath()), QByteArray("Beta|hostB|userB|pwB|ModelB|N|Y\r\n"));
}

TEST_F(ShellProfileWindows, FailedSaveShowsTheReasonAndHandEditsSurviveASave)
{
    // Hand-edited lines too short to be profiles are not listed but kept.
    QByteArray profiles;
    for (int i = 1; i <= 20; ++i)
        profiles += "Profile" + QByteArray::number(i) + "|host|user|pw|Model|N|" + (i < 20 ? "N\r\n" : "Y\r\n");
    const QByteArray file = "  broken | line\r\n" + profiles + "one field";
    WriteFileBytes(ProfileFilePath(), file);
    {
        frmBKLModelProfileMain manager;
        manager.show();
        EXPECT_EQ(manager.lvProfile->rowCount(), 20);
        ResetLog();
        // A full disk: the file may grow to 512 bytes only, while a save needs more.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{512, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
        manager.cmdSave_Click();
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(manager.isVisible());
    }
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt,
              QStringLiteral("Unable to save the profile file !. If you are not able to see any profiles loaded, you "
                             "may need to re-install Brisklane.\r\n\r\nError Number: 2\r\n"
                             "Description: File too large"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_TRUE(LogLines().value(0).endsWith(QStringLiteral("|ERROR|Function: frmBKLModelProfileMain.cmdSave_Click() "
                                                            "--> Code: 2 --> Description: File too large")));
    EXPECT_EQ(FileBytes(ProfileFilePath()), file);

    // Saved for good: the profiles in list order, then the kept lines as they stood.
    frmBKLModelProfileMain manager;
    manager.show();
    manager.cmdSave_Click();
    EXPECT_EQ(FileBytes(ProfileFilePath()), profiles + "  broken | line\r\none field\r\n");
}

TEST_F(ShellProfileWindows, DialogValidatesModifiesByPositionAndCancels)
{
    QTableWidget lv(0, kProfileColumnCount);
    for (const char* name : {"First", "Second"})
        AddProfileRow(&lv, {QStringLiteral("P%1").arg(lv.rowCount() + 1), QString::fromLatin1(name), {}, {}, {},
                            QStringLiteral("No"), QStringLiteral("No"), {}});
    frmKBLAddModifyModelProfiles dlg(&lv);
    dlg.show();
    EXPECT_TRUE(LogLines().last().endsWith(QStringLiteral("||INFO|Launch Brisklane")));
    dlg.lblAction->setText(QStringLiteral("ADD"));

    // An empty name wins over a "|" elsewhere.
    dlg.txtProfile->setText(QStringLiteral("   "));
    dlg.txtModel->setText(QStringLiteral("a|b"));
    dlg.cmdOk_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Profile Name cannot be null!"));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Brisklane"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Information);
    EXPECT_EQ(dlg.focusWidget(), dlg.txtProfile);

    dlg.txtProfile->setText(QStringLiteral("Name"));
    dlg.txtModel->clear();
    dlg.txtPassword->setText(QStringLiteral("pa|ss"));
    dlg.cmdOk_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].prompt, QStringLiteral("Invalid character '|' found!. Please remove and click Ok"));
    EXPECT_EQ(dlg.focusWidget(), dlg.cmdOk);

    // A line break would split the profile's line in the file.
    dlg.txtPassword->setText(QStringLiteral("pa\nss"));
    dlg.cmdOk_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(seams.boxes.shown[2].prompt,
              QStringLiteral("Invalid character 'line break' found!. Please remove and click Ok"));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.txtPassword->text(), QStringLiteral("pa\nss")); // input stays as typed
    EXPECT_EQ(lv.rowCount(), 2);

    // Cancel adds nothing and logs the exit.
    ResetLog();
    dlg.cmdCancel_Click();
    EXPECT_EQ(lv.rowCount(), 2);
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Exiting Brisklane")));

    // Modify finds the row by its position; an action in any case and blanks counts.
    {
        frmKBLAddModifyModelProfiles modify(&lv);
        modify.lblAction->setText(QStringLiteral(" modify "));
        modify.lblSelectedIndex->setText(QStringLiteral("2"));
        modify.txtProfile->setText(QStringLiteral("Renamed"));
        modify.cboWindowsAuth->setCurrentIndex(0);
        modify.cboDefault->setCurrentIndex(-1); // nothing selected reads as "No"
        modify.cmdOk_Click();
        EXPECT_EQ(RowText(&lv, 1), QStringLiteral("P2,Renamed,,,,Yes,No,"));
    }
    for (const char* index : {"0", "abc", "9"}) {
        frmKBLAddModifyModelProfiles modify(&lv);
        modify.show();
        modify.lblAction->setText(QStringLiteral("MODIFY"));
        modify.lblSelectedIndex->setText(QString::fromLatin1(index));
        modify.txtProfile->setText(QStringLiteral("Ignored"));
        modify.cmdOk_Click();
        EXPECT_FALSE(modify.isVisible()) << index; // closes all the same
    }
    EXPECT_EQ(RowText(&lv, 0), QStringLiteral("P1,First,,,,No,No,"));
}
