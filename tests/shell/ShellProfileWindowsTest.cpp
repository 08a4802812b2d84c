// The profile manager and its add/modify dialog.
#include "ShellTestSupport.h"

#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ProfileFile.h"
#include "shell/ui/ProfileListRows.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "shell/ui/frmBKLModelProfileMain.h"
#include "shell/ui/frmKBLAddModifyModelProfiles.h"
#include "support/FailingFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>

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
    // Adds a profile through the add/modify dialog, as the default profile when `isDefault`.
    static void AddProfile(frmBKLModelProfileMain& manager, const QString& name, bool isDefault)
    {
        OnNextModal([=](QWidget* w) {
            auto* dlg = qobject_cast<frmKBLAddModifyModelProfiles*>(w);
            ASSERT_NE(dlg, nullptr);
            dlg->txtProfile->setText(name);
            dlg->cboDefault->setCurrentIndex(isDefault ? 0 : 1);
            dlg->cmdOk_Click();
        });
        manager.cmdAddNew_Click();
    }
    // A manager opened on a file that was not read: no rows and the box saying why, once; a profile added and
    // saved: the box saying that the file is kept; the window stays open.
    void ExpectLoadAndSaveRefused(frmBKLModelProfileMain& manager, const QString& why)
    {
        EXPECT_EQ(manager.lvProfile->rowCount(), 0);
        ASSERT_EQ(seams.boxes.shown.size(), 1u); // once per opening
        EXPECT_TRUE(IsBox(seams.boxes.shown[0],
                          "Unable to read the profile file !. No profiles are loaded, and the file is kept as it is." + why,
                          mb::Critical, u"Brisklane"_s));
        AddProfile(manager, u"Gamma"_s, true);
        manager.cmdSave_Click();
        ASSERT_EQ(seams.boxes.shown.size(), 2u);
        EXPECT_TRUE(IsBox(seams.boxes.shown[1],
                          "Unable to save the profile file !. It could not be read when this window opened, so it is "
                          "kept as it is and the changes are not saved."
                              + why,
                          mb::Critical, u"Brisklane"_s));
        EXPECT_TRUE(manager.isVisible());
    }
    // Changes a row through the add/modify dialog: `edit` sets its controls, then OK.
    static void ModifyRow(frmBKLModelProfileMain& manager, int row,
                          const std::function<void(frmKBLAddModifyModelProfiles*)>& edit)
    {
        manager.lvProfile->setCurrentCell(row, 0);
        OnNextModal([=](QWidget* w) {
            auto* dlg = qobject_cast<frmKBLAddModifyModelProfiles*>(w);
            ASSERT_NE(dlg, nullptr);
            edit(dlg);
            dlg->cmdOk_Click();
        });
        manager.cmdModify_Click();
    }
    static void SetDefault(frmBKLModelProfileMain& manager, int row, bool isDefault)
    {
        ModifyRow(manager, row,
                  [=](frmKBLAddModifyModelProfiles* dlg) { dlg->cboDefault->setCurrentIndex(isDefault ? 0 : 1); });
    }
    static void SetModel(frmBKLModelProfileMain& manager, int row, const QString& model)
    {
        ModifyRow(manager, row, [=](frmKBLAddModifyModelProfiles* dlg) { dlg->txtModel->setText(model); });
    }
    // The profile the login presets, and whether its Windows authentication is ticked.
    static QString LoginPreset()
    {
        frmBKLModelLogin login;
        return login.cboModelProfiles->currentText() + (login.chkWindowsAuth->isChecked() ? u"|ticked"_s : u""_s);
    }
    static QStringList Rows(const QTableWidget* lv)
    {
        QStringList rows;
        for (int r = 0; r < lv->rowCount(); ++r)
            rows << RowText(ProfileRowAt(lv, r));
        return rows;
    }
};

} // namespace

TEST_F(ShellProfileWindows, ListAddAndModifyThroughTheDialog)
{
    frmBKLModelProfileMain manager;
    manager.show();
    EXPECT_EQ(Rows(manager.lvProfile), (QStringList{"P1,Alpha,hostA,userA,ModelA,Yes,No,pwA", "P2,Beta,hostB,userB,ModelB,No,Yes,pwB"}));
    for (int c = 0; c < manager.lvProfile->columnCount(); ++c)
        EXPECT_NE(manager.lvProfile->item(0, c)->text(), "pwA"); // the password is never shown
    EXPECT_TRUE(manager.lvProfile->showGrid());
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Launch Brisklane - Manage Model Profiles"_s});

    OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<frmKBLAddModifyModelProfiles*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->lblAction->text(), "ADD");
        dlg->txtProfile->setText(u"  Gamma "_s);
        dlg->txtServerHost->setText(u" hostC"_s);
        dlg->txtPassword->setText(u" p w "_s);
        dlg->cboDefault->setCurrentIndex(0);
        dlg->cmdOk_Click();
    });
    manager.cmdAddNew_Click();
    EXPECT_EQ(Rows(manager.lvProfile).value(2), ",Gamma,hostC,,,No,Yes,p w");

    manager.lvProfile->setCurrentCell(0, 0);
    OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<frmKBLAddModifyModelProfiles*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(QStringList({dlg->lblAction->text(), dlg->lblSelectedIndex->text(), dlg->txtPassword->text()}),
                  QStringList({"MODIFY", "1", "pwA"}));
        EXPECT_EQ(dlg->cboWindowsAuth->currentIndex(), 0);
        EXPECT_EQ(dlg->cboDefault->currentIndex(), 1);
        dlg->txtModel->setText(u"ModelA2"_s);
        dlg->cboWindowsAuth->setCurrentIndex(1);
        dlg->cmdOk_Click();
    });
    manager.lvProfile_DblClick();
    EXPECT_EQ(Rows(manager.lvProfile).value(0), "P1,Alpha,hostA,userA,ModelA2,No,No,pwA");
    // Closing without Save leaves the file as it was.
    manager.cmdClose_Click();
    EXPECT_EQ(FileBytes(ProfileFilePath()), kTwoProfiles);
    EXPECT_EQ(LogEntries().last(), "INFO|Exiting Brisklane - Manage Model Profiles");
}

TEST_F(ShellProfileWindows, SaveValidatesNamesAndDefaults)
{
    const QByteArray file = "One|h|u|p|m|N|Y\r\n one |h|u|p|m|N|Y\r\nTwo|h|u|p|m|N|N\r\n";
    WriteFileBytes(ProfileFilePath(), file);
    frmBKLModelProfileMain manager;
    manager.show();
    manager.cmdSave_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    const QString failed = u"One or more validation errors needs to be corrected before saving!\r\n\r\n"
                           "* Duplicate Profile Name found!\r\n"_s;
    EXPECT_TRUE(IsBox(seams.boxes.shown[0], failed + "* More than one default profile names found! \r\n", mb::Critical,
                      u"Brisklane"_s));
    EXPECT_TRUE(manager.isVisible());
    for (int r = 0; r < 3; ++r) {
        ProfileRow row = ProfileRowAt(manager.lvProfile, r);
        row.isDefault = u"No"_s;
        SetProfileRow(manager.lvProfile, r, row);
    }
    manager.cmdSave_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].prompt, failed + "* No default profile name found! \r\n");
    // An empty list is not saved at all.
    manager.lvProfile->setRowCount(0);
    manager.cmdSave_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(manager.isVisible());
    EXPECT_EQ(FileBytes(ProfileFilePath()), file);
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
    EXPECT_TRUE(IsBox(seams.boxes.shown[0], u"Are you sure want to remove the selected profile 'Alpha' from the list?"_s,
                      mb::YesNo | mb::Question, u"Remove Profile"_s));
    manager.cmdDelete_Click();
    ASSERT_EQ(manager.lvProfile->rowCount(), 1);
    EXPECT_EQ(FileBytes(ProfileFilePath()), kTwoProfiles); // removing alone does not save
    manager.cmdSave_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(seams.boxes.shown[2].prompt, "Profile file updated successfully !");
    EXPECT_EQ(seams.boxes.shown[2].style, mb::Information);
    EXPECT_FALSE(manager.isVisible());
    EXPECT_EQ(FileBytes(ProfileFilePath()), "Beta|hostB|userB|pwB|ModelB|N|Y\r\n");
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
    EXPECT_EQ(seams.boxes.shown[0].prompt, "Unable to save the profile file !. If you are not able to see any profiles loaded, "
                                           "you may need to re-install Brisklane.\r\n\r\nError Number: 2\r\nDescription: File too large");
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_EQ(LogEntries().value(0),
              "ERROR|Function: frmBKLModelProfileMain.cmdSave_Click() --> Code: 2 --> Description: File too large");
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
        AddProfileRow(&lv, {u"P%1"_s.arg(lv.rowCount() + 1), QString::fromLatin1(name), {}, {}, {}, u"No"_s, u"No"_s, {}});
    frmKBLAddModifyModelProfiles dlg(&lv);
    dlg.show();
    EXPECT_TRUE(LogLines().last().endsWith("||INFO|Launch Brisklane"));
    dlg.lblAction->setText(u"ADD"_s);
    // An empty name wins over a "|" elsewhere; a line break would split the profile's line in the file.
    const struct {
        const char *profile, *model, *password, *prompt;
        QWidget* focus;
    } refused[] = {{"   ", "a|b", "", "Profile Name cannot be null!", dlg.txtProfile},
                   {"Name", "", "pa|ss", "Invalid character '|' found!. Please remove and click Ok", dlg.cmdOk},
                   {"Name", "", "pa\nss", "Invalid character 'line break' found!. Please remove and click Ok", nullptr}};
    for (const auto& r : refused) {
        dlg.txtProfile->setText(QString::fromUtf8(r.profile));
        dlg.txtModel->setText(QString::fromUtf8(r.model));
        dlg.txtPassword->setText(QString::fromUtf8(r.password));
        dlg.cmdOk_Click();
        EXPECT_TRUE(IsBox(seams.boxes.shown.back(), QString::fromUtf8(r.prompt), mb::Information, u"Brisklane"_s));
        if (r.focus)
            EXPECT_EQ(dlg.focusWidget(), r.focus) << r.prompt;
    }
    EXPECT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.txtPassword->text(), "pa\nss"); // input stays as typed
    // Cancel adds nothing and logs the exit.
    ResetLog();
    dlg.cmdCancel_Click();
    EXPECT_EQ(lv.rowCount(), 2);
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Exiting Brisklane"_s});

    // Modify finds the row by its position; an action in any case and blanks counts.
    {
        frmKBLAddModifyModelProfiles modify(&lv);
        modify.lblAction->setText(u" modify "_s);
        modify.lblSelectedIndex->setText(u"2"_s);
        modify.txtProfile->setText(u"Renamed"_s);
        modify.cboWindowsAuth->setCurrentIndex(0);
        modify.cboDefault->setCurrentIndex(-1); // nothing selected reads as "No"
        modify.cmdOk_Click();
    }
    for (const char* index : {"0", "abc", "9"}) {
        frmKBLAddModifyModelProfiles modify(&lv);
        modify.show();
        modify.lblAction->setText(u"MODIFY"_s);
        modify.lblSelectedIndex->setText(QString::fromLatin1(index));
        modify.txtProfile->setText(u"Ignored"_s);
        modify.cmdOk_Click();
        EXPECT_FALSE(modify.isVisible()) << index; // closes all the same
    }
    EXPECT_EQ(Rows(&lv), (QStringList{"P1,First,,,,No,No,", "P2,Renamed,,,,Yes,No,"}));
}

TEST_F(ShellProfileWindows, RefusedFileIsExplainedAndNeverWrittenOver)
{
    const QByteArray line = "Alpha|h|u|p|M|N|Y\r\n";
    const struct {
        QByteArray bytes;
        QString reason;
    } refused[] = {
        {"Alpha|h|u|p|M|N|Y\r\nBeta|h|u|p|M|N|N\r\nx\0y|h|u|p|m|N|N\r\n"_qba,
         " holds binary content (NUL characters), not text, and is not read"},
        {line + QByteArray(70000, 'x'), ": line 2 is longer than 65,536 bytes; the file is not read further"},
        {line.repeated(kMaxProfileFileBytes / line.size() + 1), " is larger than 1,048,576 bytes and is not read"},
    };
    for (const auto& r : refused) {
        WriteFileBytes(ProfileFilePath(), r.bytes);
        seams.boxes.shown.clear();
        ResetLog();
        frmBKLModelProfileMain manager;
        manager.show();
        ExpectLoadAndSaveRefused(manager, u"\r\n\r\nError Number: 321\r\nDescription: "_s + ProfileFilePath() + r.reason);
        EXPECT_EQ(LogEntries().filter("cmdSave_Click"),
                  QStringList{"ERROR|Function: frmBKLModelProfileMain.cmdSave_Click() --> Code: 321 --> Description: "
                              + ProfileFilePath() + r.reason + "; the file is kept as it is"});
        EXPECT_TRUE(manager.isVisible());
        EXPECT_EQ(manager.lvProfile->rowCount(), 1);
        EXPECT_EQ(FileBytes(ProfileFilePath()), r.bytes);
    }
}

TEST_F(ShellProfileWindows, FileNotReadToItsEndIsExplainedAndNeverWrittenOver)
{
    const QByteArray bytes = ManyProfiles();
    WriteFileBytes(ProfileFilePath(), bytes);
    for (const UnreadableProfileFile& c : UnreadableProfileFiles()) {
        seams.boxes.shown.clear();
        const FailingFile failing(ProfileFilePath(), c.readable);
        frmBKLModelProfileMain manager;
        manager.show();
        ExpectLoadAndSaveRefused(manager, u"\r\n\r\nError Number: %1\r\nDescription: Cannot read %2: %3"_s.arg(
                                              QString::number(c.number), ProfileFilePath(), c.reason));
        EXPECT_EQ(FileBytes(ProfileFilePath()), bytes);
    }
    // Read whole when the window opened, but no longer at Save: the failure is its reading's, never a change.
    for (const UnreadableProfileFile& c : UnreadableProfileFiles()) {
        seams.boxes.shown.clear();
        ResetLog();
        frmBKLModelProfileMain manager;
        manager.show();
        ASSERT_EQ(manager.lvProfile->rowCount(), 2500);
        SetModel(manager, 1, u"Changed"_s);
        const FailingFile failing(ProfileFilePath(), c.readable);
        manager.cmdSave_Click();
        const QString why = u"Cannot read %1: %2"_s.arg(ProfileFilePath(), c.reason);
        ASSERT_EQ(seams.boxes.shown.size(), 1u);
        EXPECT_TRUE(IsBox(seams.boxes.shown[0],
                          u"Unable to save the profile file !. If you are not able to see any profiles loaded, you may "
                          "need to re-install Brisklane.\r\n\r\nError Number: %1\r\nDescription: %2"_s.arg(c.number).arg(why),
                          mb::Critical, u"Brisklane"_s));
        EXPECT_EQ(LogEntries().filter("cmdSave_Click"),
                  QStringList{u"ERROR|Function: frmBKLModelProfileMain.cmdSave_Click() --> Code: %1 --> Description: %2"_s
                                  .arg(c.number)
                                  .arg(why)});
        EXPECT_FALSE(manager.isVisible());
        EXPECT_EQ(FileBytes(ProfileFilePath()), bytes);
    }
}

TEST_F(ShellProfileWindows, SaveWritesUntouchedProfilesBackAsTheyWereRead)
{
    // A byte-order mark, a hand note in an eighth field, blanks around fields, flags "YES" and " Y", Latin-1 text,
    // lines ended by LF, by CR, by CR LF and by nothing, a line too short to be a profile.
    const QByteArray alpha = "Alpha | hostA |userA|  pw A  |ModelA|YES|N|note: test server\n";
    const QByteArray cafe = "Caf\xE9|h\xF6st|u|p|M|N|Y\r";
    const QByteArray last = "Last|h|u|p|m| Y| n ";
    WriteFileBytes(ProfileFilePath(), "\xEF\xBB\xBF" + alpha + cafe + "Beta|hostB|userB|pwB|ModelB|N|N\r\n"
                                          + "Gone|h|u|p|m|N|N\r\n\r\nshort|line\r\n" + last);
    frmBKLModelProfileMain manager;
    manager.show();
    ASSERT_EQ(manager.lvProfile->rowCount(), 5);
    EXPECT_EQ(Rows(manager.lvProfile).value(1), u"P2,Caf\u00e9,h\u00f6st,u,M,No,Yes,p"_s);
    // Beta changed in the dialog, Gone removed, New added.
    SetModel(manager, 2, u"ModelB2"_s);
    manager.lvProfile->setCurrentCell(3, 0);
    seams.boxes.answers = {mb::Yes};
    manager.cmdDelete_Click();
    AddProfile(manager, u"New"_s, false);
    manager.cmdSave_Click();
    EXPECT_EQ(seams.boxes.shown.back().prompt, "Profile file updated successfully !");
    EXPECT_EQ(FileBytes(ProfileFilePath()), alpha + cafe + "Beta|hostB|userB|pwB|ModelB2|N|N\r\n" + last
                                                + "\r\nNew|||||N|N\r\nshort|line\r\n");
}

TEST_F(ShellProfileWindows, SaveKeepsAFileAnotherProgramChangedMeanwhile)
{
    const QByteArray read = "Alpha|hostA|u|p|ModelA|N|Y\r\nBeta|hostB|u|p|ModelB|N|N\r\n";
    const QByteArray gamma = "Gamma|hostG|u|p|ModelG|N|N\r\n";
    const QString changed = "The profile file " + ProfileFilePath()
                            + " was changed by another program since Manage Model Profiles opened it. Nothing was "
                              "saved.\r\n\r\nClose Manage Model Profiles and open it again to see the changes.";
    // While the manager is open an editor appends a profile; or another program puts a new file in its place
    // (as a second Brisklane's Save does).
    const std::function<void()> outsideChanges[] = {
        [&] {
            QFile f(ProfileFilePath());
            ASSERT_TRUE(f.open(QIODevice::Append));
            f.write(gamma);
        },
        [&] {
            WriteFileBytes(ProfileFilePath() + ".new", read + gamma);
            ASSERT_TRUE(QFile::remove(ProfileFilePath()));
            ASSERT_TRUE(QFile::rename(ProfileFilePath() + ".new", ProfileFilePath()));
        },
    };
    for (const auto& outsideChange : outsideChanges) {
        WriteFileBytes(ProfileFilePath(), read);
        seams.boxes.shown.clear();
        ResetLog();
        frmBKLModelProfileMain manager;
        manager.show();
        outsideChange();
        SetModel(manager, 1, u"ModelB2"_s);
        manager.cmdSave_Click();
        ASSERT_EQ(seams.boxes.shown.size(), 1u);
        EXPECT_TRUE(IsBox(seams.boxes.shown[0], changed, mb::Critical, u"Brisklane"_s));
        EXPECT_EQ(FileBytes(ProfileFilePath()), read + gamma);
        EXPECT_TRUE(manager.isVisible());
        EXPECT_EQ(LogEntries().filter("cmdSave_Click"),
                  QStringList{"ERROR|frmBKLModelProfileMain.cmdSave_Click: " + ProfileFilePath()
                              + " was changed by another program since it was read; nothing was saved"});
    }
    // Opened again, the manager shows the new profile and saves over the file it read.
    frmBKLModelProfileMain manager;
    manager.show();
    EXPECT_EQ(Rows(manager.lvProfile).value(2), "P3,Gamma,hostG,u,ModelG,No,No,p");
    SetDefault(manager, 2, false);
    manager.cmdSave_Click();
    EXPECT_EQ(seams.boxes.shown.back().prompt, "Profile file updated successfully !");
    EXPECT_EQ(FileBytes(ProfileFilePath()), read + gamma);
}

TEST_F(ShellProfileWindows, ManagerShowsTheFlagsAsTheLoginReadsThem)
{
    // Hand-edited flags: blanks around "Y", a lower-case "y", words the program does not write.
    const QByteArray keep = "Keep | hK |uK|pK|MK| N |YES|note\n";
    WriteFileBytes(ProfileFilePath(), "Alpha|hA|uA|pA|MA|N|N\r\nTest|hT|uT|pT|MT| Y| Y\r\nLow|hL|uL|pL|ML|y|n \r\n" + keep);
    EXPECT_EQ(LoginPreset(), "Test|ticked");
    frmBKLModelProfileMain manager;
    manager.show();
    EXPECT_EQ(Rows(manager.lvProfile), (QStringList{"P1,Alpha,hA,uA,MA,No,No,pA", "P2,Test,hT,uT,MT,Yes,Yes,pT",
                                                    "P3,Low,hL,uL,ML,Yes,No,pL", "P4,Keep , hK ,uK,MK,No,No,pK"}));
    // Alpha made the default while Test still is one: two defaults, not saved.
    SetDefault(manager, 0, true);
    manager.cmdSave_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, "One or more validation errors needs to be corrected before saving!\r\n\r\n"
                                           "* More than one default profile names found! \r\n");
    SetDefault(manager, 1, false);
    manager.cmdSave_Click();
    EXPECT_EQ(seams.boxes.shown.back().prompt, "Profile file updated successfully !");
    // Low's "y" showed "Yes" but does not tick the login's box: written as the program writes it. Keep's flags
    // read alike in both and it was not touched: as it was read.
    EXPECT_EQ(FileBytes(ProfileFilePath()),
              "Alpha|hA|uA|pA|MA|N|Y\r\nTest|hT|uT|pT|MT|Y|N\r\nLow|hL|uL|pL|ML|Y|N\r\n" + keep);
    EXPECT_EQ(LoginPreset(), "Alpha");
}

TEST_F(ShellProfileWindows, EnterPressesNoButton)
{
    // The add/modify dialog has no default button: Enter neither applies nor closes.
    QTableWidget lv(0, kProfileColumnCount);
    frmKBLAddModifyModelProfiles dlg(&lv);
    dlg.show();
    dlg.lblAction->setText(u"ADD"_s);
    dlg.txtProfile->setText(u"Typed"_s);
    PressEnterIn({dlg.txtProfile, dlg.txtPassword, dlg.txtModel});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(lv.rowCount(), 0);
    EXPECT_TRUE(seams.boxes.shown.empty());

    // Nor has the manager: Enter in its list opens no dialog.
    frmBKLModelProfileMain manager;
    manager.show();
    QString opened;
    WithModal([&] { QTest::keyClick(manager.lvProfile, Qt::Key_Return); },
              [&](QWidget* w) {
                  if (w) {
                      opened = QString::fromLatin1(w->metaObject()->className());
                      w->close();
                  }
              });
    EXPECT_EQ(opened, QString());
    EXPECT_TRUE(manager.isVisible());
}
