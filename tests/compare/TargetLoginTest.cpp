// The target-model login on the demo server: profiles, the model list, the
// same-model refusal, a connect that fills the compare window, a failed one.
#include "CompareWindowFixture.h"

#include "compare/TargetLogin.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace bkl;

namespace {

class TargetLogin : public CompareWindowFixture {
protected:
    void SetUp() override
    {
        CompareWindowFixture::SetUp();
        QFile::remove(ProfileFilePath());
        g_cnTarget = db::Connection();
    }
    void TearDown() override
    {
        g_cnTarget = db::Connection();
        CompareWindowFixture::TearDown();
    }
    // A login over the loaded compare window, with the demo server typed in.
    std::unique_ptr<frmBKLTargetModelLogin> OpenLogin(const QString& model)
    {
        auto login = std::make_unique<frmBKLTargetModelLogin>(&Window());
        login->txtSQLServerHost->setText(test::DemoServerFolder());
        login->txtSQLServerUser->setText(QStringLiteral("demo"));
        login->txtSQLServerPassword->setText(QStringLiteral("demo"));
        login->cboSQLServerDB->setEditText(model);
        return login;
    }
};

} // namespace

TEST_F(TargetLogin, ProfilesPresetTheDefaultAndLeaveTheSourceSettingsAlone)
{
    test::WriteFileBytes(ProfileFilePath(), "First|h1|u1|p1|m1|N|N\r\nbroken line\nTarget|" + test::DemoServerFolder().toUtf8()
                                          + "|tu|tp|SalesModel2026_Target|Y|Y\nOdd|h3|u3|p3|m3|X|N\r\n<none>|h4|u4|p4|m4|N|N\r\n");
    g_bWindowsAuth = false;
    frmBKLTargetModelLogin login(&Window());
    EXPECT_EQ(login.windowTitle(), QStringLiteral("Brisklane"));
    EXPECT_EQ(login.cboModelProfiles->count(), 4);
    EXPECT_EQ(login.cboModelProfiles->currentText(), QStringLiteral("Target"));
    EXPECT_EQ(login.txtSQLServerHost->text(), test::DemoServerFolder());
    EXPECT_EQ(login.cboSQLServerDB->currentText(), QStringLiteral("SalesModel2026_Target"));
    EXPECT_TRUE(login.chkWindowsAuth->isChecked());
    EXPECT_FALSE(login.txtSQLServerUser->isEnabled());
    EXPECT_FALSE(g_bWindowsAuth);

    login.cboModelProfiles->setCurrentIndex(0);
    login.cboModelProfiles_Click();
    EXPECT_EQ(login.txtSQLServerHost->text(), QStringLiteral("h1"));
    EXPECT_FALSE(login.chkWindowsAuth->isChecked());
    EXPECT_TRUE(login.txtSQLServerPassword->isEnabled());
    // A flag other than Y or N changes the fields but not the box.
    login.chkWindowsAuth->setChecked(true);
    login.cboModelProfiles->setCurrentIndex(2);
    login.cboModelProfiles_Click();
    EXPECT_EQ(login.txtSQLServerHost->text(), QStringLiteral("h3"));
    EXPECT_TRUE(login.chkWindowsAuth->isChecked());
    EXPECT_FALSE(login.txtSQLServerUser->isEnabled());
    EXPECT_FALSE(g_bWindowsAuth);
    // Only the text "<None>" itself is no profile; a profile named "<none>" applies.
    login.cboModelProfiles->setCurrentIndex(3);
    login.cboModelProfiles_Click();
    EXPECT_EQ(login.txtSQLServerHost->text(), QStringLiteral("h4"));
}

TEST_F(TargetLogin, RefusesTheSourceModelAndAnEmptyModelName)
{
    auto login = OpenLogin(QStringLiteral(" SalesModel2026 "));
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Source and Target models cannot be the same !. Please re-select"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Compare Objects"));
    EXPECT_FALSE(g_cnTarget.isOpen());
    EXPECT_FALSE(Window().m_cnTarget.isOpen());
    EXPECT_EQ(Window().lblTargetModel->text(), QString());

    login->cboSQLServerDB->setEditText(QStringLiteral("  "));
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].prompt, QStringLiteral("Quellmar Model Name expected ! "));
    EXPECT_EQ(seams.boxes.shown[1].title, QStringLiteral("Select Model"));
}

TEST_F(TargetLogin, ConnectFillsTheCompareWindowAndAFailureKeepsThePreviousTarget)
{
    {
        auto login = OpenLogin(QStringLiteral("SalesModel2026_Target"));
        login->show();
        login->cmdConnect_Click();
        EXPECT_FALSE(login->isVisible());
    }
    frmBKLCompareObjects& w = Window();
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_TRUE(g_cnTarget.isOpen());
    EXPECT_TRUE(w.m_cnTarget.sameAs(g_cnTarget));
    const QString host = test::DemoServerFolder();
    EXPECT_EQ(w.lblTargetModel->text(), QStringLiteral("SalesModel2026_Target@") + host);
    EXPECT_EQ(w.lblConnectionStatus->text(), QStringLiteral("Connection Status: Connected"));
    EXPECT_EQ(w.lblModelName->text(), QStringLiteral("Model Name: SalesModel2026_Target"));
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Connected to target model: ")),
              QStringList{QStringLiteral("Connected to target model: SalesModel2026_Target")});
    const db::Connection first = w.m_cnTarget;

    auto login = OpenLogin(QStringLiteral("NoSuchModel"));
    login->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.startsWith(
        QStringLiteral("Unable to connect to target model database !\r\n\r\nDetails:\r\nNumber: ")));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Connection Failed !"));
    EXPECT_TRUE(LogMessages().last().startsWith(
        QStringLiteral("Function: ConnectToTargetDataStoreSQLSERVER() --> Connection Failed ! Source: ")));
    // The compare window still compares against the first target, which stays open.
    EXPECT_TRUE(w.m_cnTarget.sameAs(first));
    EXPECT_TRUE(w.m_cnTarget.isOpen());
    EXPECT_FALSE(g_cnTarget.sameAs(first));
    EXPECT_EQ(w.lblTargetModel->text(), QStringLiteral("SalesModel2026_Target@") + host);
}
