#include "ShellTestSupport.h"

#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

class ShellLogin : public ShellTest {
protected:
    // A login shown on screen, so focus moves as a user would see it.
    frmBKLModelLogin* OpenLogin()
    {
        auto* login = new frmBKLModelLogin;
        login->show();
        login->activateWindow();
        return login;
    }
    void WriteProfiles(const QByteArray& text) { WriteFileBytes(ProfileFilePath(), text); }
    QByteArray DemoProfile(const QByteArray& name, const QByteArray& model, const QByteArray& flags)
    {
        return name + "|" + test::DemoServerFolder().toUtf8() + "|demo|demo|" + model + "|" + flags + "\r\n";
    }
};

} // namespace

TEST_F(ShellLogin, DefaultPresetAndProfileChoiceRules)
{
    WriteProfiles("First|h1|u1|p1|m1|N|N\r\nDefault|host2|user2|pass2|model2|Y|Y\r\nLast|h3|u3|p3|m3|N|n\r\n");
    frmBKLModelLogin* login = OpenLogin();
    ASSERT_EQ(login->cboModelProfiles->count(), 3);
    EXPECT_EQ(login->cboModelProfiles->currentText(), QStringLiteral("Default"));
    EXPECT_EQ(login->txtSQLServerHost->text(), QStringLiteral("host2"));
    EXPECT_EQ(login->txtSQLServerUser->text(), QStringLiteral("user2"));
    EXPECT_EQ(login->txtSQLServerPassword->text(), QStringLiteral("pass2"));
    EXPECT_EQ(login->cboSQLServerDB->currentText(), QStringLiteral("model2"));
    EXPECT_TRUE(login->chkWindowsAuth->isChecked());
    EXPECT_TRUE(g_bWindowsAuth);
    EXPECT_FALSE(login->txtSQLServerUser->isEnabled());
    EXPECT_FALSE(login->txtSQLServerPassword->isEnabled());
    // Unticking enables the boxes, keeps their text and clears the shared flag.
    login->chkWindowsAuth->setChecked(false);
    EXPECT_FALSE(g_bWindowsAuth);
    EXPECT_TRUE(login->txtSQLServerPassword->isEnabled());
    EXPECT_EQ(login->txtSQLServerUser->text(), QStringLiteral("user2"));
    EXPECT_TRUE(LogLines().isEmpty()); // the login writes no log line of its own
    login->close();

    // A lower-case "y" neither ticks the box at preset nor changes it on choice;
    // an empty field empties its box; names match ignoring case, the later one winning.
    WriteProfiles("Win|hw|uw|pw|mw|Y|N\r\nSql|hs|us|ps|ms|N|N\r\nOdd||uo|po|mo|y|y\r\n"
                  "<None>|hn|un|pn|mn|N|N\r\nsql|hs2|us2|ps2|ms2||N\r\n");
    login = OpenLogin();
    EXPECT_EQ(login->cboModelProfiles->currentText(), QStringLiteral("Odd"));
    EXPECT_FALSE(login->chkWindowsAuth->isChecked());
    EXPECT_EQ(login->txtSQLServerHost->text(), QString());

    login->cboModelProfiles->setCurrentIndex(0);
    login->cboModelProfiles_Click();
    EXPECT_TRUE(login->chkWindowsAuth->isChecked());
    EXPECT_FALSE(login->txtSQLServerUser->isEnabled());
    EXPECT_EQ(login->cboSQLServerDB->currentText(), QStringLiteral("mw"));

    login->txtSQLServerHost->setText(QStringLiteral("typed"));
    login->cboModelProfiles->setCurrentIndex(2);
    login->cboModelProfiles_Click();
    EXPECT_EQ(login->txtSQLServerHost->text(), QString());
    EXPECT_TRUE(login->chkWindowsAuth->isChecked());

    login->cboModelProfiles->setCurrentIndex(1);
    login->cboModelProfiles_Click();
    EXPECT_EQ(login->txtSQLServerHost->text(), QStringLiteral("hs2"));
    EXPECT_EQ(login->txtSQLServerPassword->text(), QStringLiteral("ps2"));
    EXPECT_FALSE(login->chkWindowsAuth->isChecked());
    EXPECT_TRUE(login->txtSQLServerUser->isEnabled());

    // "<None>" cannot be chosen; Esc does not close the login, Close does.
    login->cboModelProfiles->setCurrentIndex(3);
    login->cboModelProfiles_Click();
    EXPECT_EQ(login->txtSQLServerHost->text(), QStringLiteral("hs2"));
    QTest::keyClick(login, Qt::Key_Escape);
    EXPECT_TRUE(login->isVisible());
    login->cmdClose_Click();
    EXPECT_FALSE(login->isVisible());
}

TEST_F(ShellLogin, InputChecksOfRefreshAndConnect)
{
    WriteProfiles("Plain|h|u|p|m|N|N\r\n");
    frmBKLModelLogin* login = OpenLogin();
    // Without a default profile no profile is chosen and nothing is preset.
    EXPECT_EQ(login->cboModelProfiles->currentIndex(), -1);
    EXPECT_EQ(login->cboSQLServerDB->currentText(), QString());
    g_sServerHost = QStringLiteral("before");
    login->txtSQLServerHost->setText(QStringLiteral("   "));
    login->cmdSelectDatabase_Click();
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    for (const ShownBox& box : seams.boxes.shown) {
        EXPECT_EQ(box.prompt, QStringLiteral("Server/Host Name expected ! "));
        EXPECT_EQ(box.title, QStringLiteral("Select Server/Host"));
        EXPECT_EQ(box.style, mb::Information);
    }
    EXPECT_EQ(login->focusWidget(), login->txtSQLServerHost);
    EXPECT_EQ(g_sServerHost, QStringLiteral("before"));

    login->txtSQLServerHost->setText(QStringLiteral(" srv "));
    login->txtSQLServerUser->setText(QStringLiteral(" sa "));
    login->txtSQLServerPassword->setText(QStringLiteral(" pw "));
    login->cboSQLServerDB->setEditText(QStringLiteral("   "));
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(seams.boxes.shown[2].prompt, QStringLiteral("Quellmar Model Name expected ! "));
    EXPECT_EQ(seams.boxes.shown[2].title, QStringLiteral("Select Model"));
    EXPECT_EQ(login->focusWidget(), login->cboSQLServerDB);
    // The settings were stored before the model check.
    EXPECT_EQ(g_sServerHost, QStringLiteral("srv"));
    EXPECT_EQ(g_sUserName, QStringLiteral("sa"));
    EXPECT_EQ(g_sPassword, QStringLiteral(" pw "));
    EXPECT_EQ(g_sModelName, QString());
    EXPECT_TRUE(login->isVisible());
}

TEST_F(ShellLogin, FailedConnectRefreshAndConnectOpenTheFrame)
{
    WriteProfiles(DemoProfile("Demo", "NoSuchModel", "N|Y"));
    g_sModelKey = QStringLiteral("earlier#Model");
    frmBKLModelLogin* login = OpenLogin();
    QPointer<frmBKLModelLogin> watch(login);
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.startsWith(QStringLiteral("Unable to connect database !")));
    EXPECT_EQ(g_sModelKey, QStringLiteral("earlier#Model"));
    EXPECT_EQ(g_sModelName, QStringLiteral("NoSuchModel"));
    EXPECT_EQ(g_sServerHost, test::DemoServerFolder());
    EXPECT_FALSE(g_cnModel.isOpen());
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->focusWidget(), login->cboModelProfiles);
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains(QStringLiteral("|earlier#Model|ERROR|Function: ConnectToDataStoreSQLSERVER()")));

    // A server without models empties the list and the preset model name.
    QTemporaryDir emptyServer;
    login->txtSQLServerHost->setText(emptyServer.path());
    login->cmdSelectDatabase_Click();
    EXPECT_EQ(login->cboSQLServerDB->count(), 0);
    EXPECT_EQ(login->cboSQLServerDB->currentText(), QString());
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
    login->txtSQLServerHost->setText(test::DemoServerFolder());

    // Refresh replaces the list with the server's models, choosing the first; it stores no model name.
    login->cboSQLServerDB->addItem(QStringLiteral("old entry"));
    g_sModelName.clear();
    login->cmdSelectDatabase_Click();
    ASSERT_EQ(login->cboSQLServerDB->count(), 3);
    EXPECT_EQ(login->cboSQLServerDB->currentText(), QStringLiteral("EdgeCaseModel"));
    EXPECT_EQ(g_sModelName, QString());
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
    // An unreachable server keeps the entries and reports; "~" is the home folder.
    login->txtSQLServerHost->setText(QStringLiteral("~/no-such-brisklane-server"));
    login->cmdSelectDatabase_Click();
    EXPECT_EQ(login->cboSQLServerDB->count(), 3);
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].title, QStringLiteral("Connection Failed !"));
    EXPECT_TRUE(seams.boxes.shown[1].prompt.contains("Description: Folder not found: " + QDir::homePath()
                                                     + "/no-such-brisklane-server\r\n"));
    EXPECT_EQ(login->cursor().shape(), Qt::ArrowCursor);

    login->txtSQLServerHost->setText(test::DemoServerFolder());
    login->cboSQLServerDB->setEditText(QStringLiteral(" SalesModel2026 "));
    login->cmdConnect_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(g_cnModel.isOpen());
    EXPECT_EQ(g_cnModel.commandTimeout(), 600);
    EXPECT_EQ(g_sModelName, QStringLiteral("SalesModel2026"));
    EXPECT_EQ(g_sModelKey, test::DemoServerFolder() + QStringLiteral("#SalesModel2026"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()); // the login is unloaded
    EXPECT_EQ(VisibleWindows("frmMDIBKLMain").size(), 1);
    EXPECT_TRUE(VisibleWindows("frmBKLModelLogin").isEmpty());
}
