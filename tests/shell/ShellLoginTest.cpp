#include "ShellTestSupport.h"

#include "compare/ui/frmBKLTargetModelLogin.h"
#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "support/FailingFile.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ShellLogin : public ShellTest {
protected:
    // A login shown on screen, so focus moves as a user would see it.
    frmBKLModelLogin* OpenLogin(const QByteArray& profiles)
    {
        WriteFileBytes(ProfileFilePath(), profiles);
        auto* login = new frmBKLModelLogin;
        login->show();
        login->activateWindow();
        return login;
    }
    // The profile and the boxes as shown: profile|host|user|password|model|auth ticked|user box enabled.
    static QString Shown(const frmBKLModelLogin* l)
    {
        return QStringList{l->cboModelProfiles->currentText(),     l->txtSQLServerHost->text(),
                           l->txtSQLServerUser->text(),            l->txtSQLServerPassword->text(),
                           l->cboSQLServerDB->currentText(),       l->chkWindowsAuth->isChecked() ? u"Y"_s : u"N"_s,
                           l->txtSQLServerUser->isEnabled() && l->txtSQLServerPassword->isEnabled() ? u"on"_s : u"off"_s}
            .join('|');
    }
    static void Choose(frmBKLModelLogin* login, int index)
    {
        login->cboModelProfiles->setCurrentIndex(index);
        login->cboModelProfiles_Click();
    }
};

} // namespace

TEST_F(ShellLogin, DefaultPresetAndProfileChoiceRules)
{
    frmBKLModelLogin* login = OpenLogin("First|h1|u1|p1|m1|N|N\r\nDefault|host2|user2|pass2|model2|Y|Y\r\nLast|h3|u3|p3|m3|N|n\r\n");
    ASSERT_EQ(login->cboModelProfiles->count(), 3);
    EXPECT_EQ(Shown(login), "Default|host2|user2|pass2|model2|Y|off");
    EXPECT_TRUE(g_bWindowsAuth);
    // Unticking enables the boxes, keeps their text and clears the shared flag.
    login->chkWindowsAuth->setChecked(false);
    EXPECT_FALSE(g_bWindowsAuth);
    EXPECT_EQ(Shown(login), "Default|host2|user2|pass2|model2|N|on");
    EXPECT_TRUE(LogLines().isEmpty()); // the login writes no log line of its own
    login->close();

    // A lower-case "y" neither ticks the box at preset nor changes it on choice;
    // an empty field empties its box; names match ignoring case, the later one winning.
    login = OpenLogin("Win|hw|uw|pw|mw|Y|N\r\nSql|hs|us|ps|ms|N|N\r\nOdd||uo|po|mo|y|y\r\n<None>|hn|un|pn|mn|N|N\r\n"
                      "sql|hs2|us2|ps2|ms2||N\r\n");
    EXPECT_EQ(Shown(login), "Odd||uo|po|mo|N|on");
    Choose(login, 0);
    EXPECT_EQ(Shown(login), "Win|hw|uw|pw|mw|Y|off");
    login->txtSQLServerHost->setText(u"typed"_s);
    Choose(login, 2);
    EXPECT_EQ(Shown(login), "Odd||uo|po|mo|Y|off");
    Choose(login, 1);
    EXPECT_EQ(Shown(login), "Sql|hs2|us2|ps2|ms2|N|on");
    // "<None>" cannot be chosen; Esc does not close the login, Close does.
    Choose(login, 3);
    EXPECT_EQ(login->txtSQLServerHost->text(), "hs2");
    QTest::keyClick(login, Qt::Key_Escape);
    EXPECT_TRUE(login->isVisible());
    login->cmdClose_Click();
    EXPECT_FALSE(login->isVisible());
}

TEST_F(ShellLogin, InputChecksOfRefreshAndConnect)
{
    frmBKLModelLogin* login = OpenLogin("Plain|h|u|p|m|N|N\r\n");
    // Without a default profile no profile is chosen and nothing is preset.
    EXPECT_EQ(login->cboModelProfiles->currentIndex(), -1);
    EXPECT_EQ(Shown(login), "|||||N|on");
    // No default button: Enter does not connect (which would ask for the empty host).
    PressEnterIn({login->txtSQLServerHost, login->txtSQLServerPassword, login->chkWindowsAuth, login->cboSQLServerDB});
    EXPECT_TRUE(seams.boxes.shown.empty());
    g_sServerHost = u"before"_s;
    login->txtSQLServerHost->setText(u"   "_s);
    login->cmdSelectDatabase_Click();
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    for (const ShownBox& box : seams.boxes.shown)
        EXPECT_TRUE(IsBox(box, u"Server/Host Name expected ! "_s, mb::Information, u"Select Server/Host"_s));
    EXPECT_EQ(login->focusWidget(), login->txtSQLServerHost);
    EXPECT_EQ(g_sServerHost, "before");

    login->txtSQLServerHost->setText(u" srv "_s);
    login->txtSQLServerUser->setText(u" sa "_s);
    login->txtSQLServerPassword->setText(u" pw "_s);
    login->cboSQLServerDB->setEditText(u"   "_s);
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[2], u"Quellmar Model Name expected ! "_s, mb::Information, u"Select Model"_s));
    EXPECT_EQ(login->focusWidget(), login->cboSQLServerDB);
    // The settings were stored before the model check.
    EXPECT_EQ(QStringList({g_sServerHost, g_sUserName, g_sPassword, g_sModelName}), QStringList({"srv", "sa", " pw ", ""}));
    EXPECT_TRUE(login->isVisible());
}

TEST_F(ShellLogin, FailedConnectRefreshAndConnectOpenTheFrame)
{
    const QString demo = DemoServerFolder();
    g_sModelKey = u"earlier#Model"_s;
    frmBKLModelLogin* login = OpenLogin("Demo|" + demo.toUtf8() + "|demo|demo|NoSuchModel|N|Y\r\n");
    QPointer<frmBKLModelLogin> watch(login);
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.startsWith("Unable to connect database !"));
    EXPECT_EQ(QStringList({g_sModelKey, g_sModelName, g_sServerHost}), QStringList({u"earlier#Model"_s, u"NoSuchModel"_s, demo}));
    EXPECT_FALSE(g_cnModel.isOpen());
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->focusWidget(), login->cboModelProfiles);
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains("|earlier#Model|ERROR|Function: ConnectToDataStoreSQLSERVER()"));

    // A server without models empties the list and the preset model name.
    QTemporaryDir emptyServer;
    login->txtSQLServerHost->setText(emptyServer.path());
    login->cmdSelectDatabase_Click();
    EXPECT_EQ(login->cboSQLServerDB->count(), 0);
    EXPECT_EQ(login->cboSQLServerDB->currentText(), QString());
    // Refresh replaces the list with the server's models, choosing the first; it stores no model name.
    login->txtSQLServerHost->setText(demo);
    login->cboSQLServerDB->addItem(u"old entry"_s);
    g_sModelName.clear();
    login->cmdSelectDatabase_Click();
    ASSERT_EQ(login->cboSQLServerDB->count(), 3);
    EXPECT_EQ(login->cboSQLServerDB->currentText(), "EdgeCaseModel");
    EXPECT_EQ(g_sModelName, QString());
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
    // An unreachable server keeps the entries and reports; "~" is the home folder.
    login->txtSQLServerHost->setText(u"~/no-such-brisklane-server"_s);
    login->cmdSelectDatabase_Click();
    EXPECT_EQ(login->cboSQLServerDB->count(), 3);
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].title, "Connection Failed !");
    EXPECT_TRUE(seams.boxes.shown[1].prompt.contains("Description: Folder not found: " + QDir::homePath() + "/no-such-brisklane-server\r\n"));
    EXPECT_EQ(login->cursor().shape(), Qt::ArrowCursor);

    login->txtSQLServerHost->setText(demo);
    login->cboSQLServerDB->setEditText(u" SalesModel2026 "_s);
    login->cmdConnect_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(g_cnModel.isOpen());
    EXPECT_EQ(g_cnModel.commandTimeout(), 600);
    EXPECT_EQ(g_sModelName, "SalesModel2026");
    EXPECT_EQ(g_sModelKey, demo + "#SalesModel2026");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()); // the login is unloaded
    EXPECT_EQ(VisibleWindows("frmMDIBKLMain").size(), 1);
    EXPECT_TRUE(VisibleWindows("frmBKLModelLogin").isEmpty());
}

TEST_F(ShellLogin, RefusedProfileFileIsExplainedOnce)
{
    const QByteArray file = "Alpha|h|u|p|M|N|Y\r\nx\0y|h|u|p|m|N|N\r\n"_qba;
    frmBKLModelLogin* login = OpenLogin(file);
    EXPECT_EQ(login->cboModelProfiles->count(), 0);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[0],
                      "Unable to read the profile file !. No profiles are loaded, and the file is kept as it is.\r\n\r\n"
                      "Error Number: 321\r\nDescription: "
                          + ProfileFilePath() + " holds binary content (NUL characters), not text, and is not read",
                      mb::Critical, u"Brisklane"_s));
    EXPECT_EQ(FileBytes(ProfileFilePath()), file);
}

TEST_F(ShellLogin, ProfileFileNotReadToItsEndIsExplainedByBothLogins)
{
    const QByteArray file = "Alpha|h|u|p|M|N|Y\r\nBeta|h|u|p|m|N|N\r\n";
    const QString box = "Unable to read the profile file !. No profiles are loaded, and the file is kept as it is.\r\n\r\n"
                        "Error Number: 75\r\nDescription: Cannot read " + ProfileFilePath() + ": Permission denied";
    // The file cannot be opened, or its folder cannot be searched, so that whether it is there cannot be told:
    // neither is a missing file.
    for (const qint64 failure : {FailingFile::kCannotOpen, FailingFile::kFolderCannotBeSearched}) {
        seams.boxes.shown.clear();
        const FailingFile failing(ProfileFilePath(), failure);
        frmBKLModelLogin* login = OpenLogin(file);
        EXPECT_EQ(login->cboModelProfiles->count(), 0);
        EXPECT_EQ(Shown(login), "|||||N|on");
        ASSERT_EQ(seams.boxes.shown.size(), 1u) << failure;
        EXPECT_TRUE(IsBox(seams.boxes.shown[0], box, mb::Critical, u"Brisklane"_s));
        login->close();
        // The compare window's target-model login reads the file as the source login does.
        frmBKLTargetModelLogin target(nullptr);
        EXPECT_EQ(target.cboModelProfiles->count(), 0);
        ASSERT_EQ(seams.boxes.shown.size(), 2u);
        EXPECT_TRUE(IsBox(seams.boxes.shown[1], box, mb::Critical, u"Brisklane"_s));
        EXPECT_EQ(FileBytes(ProfileFilePath()), file);
    }
}
