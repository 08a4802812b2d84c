#include "ShellTestSupport.h"

#include "platform/core/ScriptedSeams.h"
#include "shell/BuildText.h"
#include "shell/Log.h"
#include "shell/ui/frmBKLAbout.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

class ShellAbout : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureFolders();
        ResetLog();
        seams.install();
        QFile::remove(WhatsNew());
    }
    static QString WhatsNew() { return ApplicationFolderPath(QStringLiteral("config")) + QStringLiteral("whatsnew.txt"); }
    static bool ProductPanelShown(const frmBKLAbout& about)
    {
        return about.picBKL->isVisibleTo(const_cast<frmBKLAbout*>(&about))
            && !about.picFile->isVisibleTo(const_cast<frmBKLAbout*>(&about));
    }
    SeamGuard seams;
};

} // namespace

TEST_F(ShellAbout, LoadShowsTheProductPanel)
{
    frmBKLAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Brisklane"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Brisklane"));
    EXPECT_EQ(about.lblVersion->text(), BuildText());
    EXPECT_EQ(about.lblAnnote->text(), QStringLiteral("Quellmar SPM 6.1 and above"));
    EXPECT_TRUE(about.lblEMAIL->text().contains(QStringLiteral("BKL Support")));
    QStringList captions;
    for (int i = 1; i <= 4; ++i)
        captions << about.tbAboutButton(i)->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Brisklane"), QStringLiteral("Development Credits"),
                                     QStringLiteral("Keyboard Shortcuts"), QStringLiteral("Version History")}));
    EXPECT_TRUE(ProductPanelShown(about));
    EXPECT_TRUE(about.tbAboutMarked(1));
    EXPECT_FALSE(about.tbAboutMarked(4));
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Start About Brisklane")));
}

TEST_F(ShellAbout, ToolbarSwitchesPanelsAndReadsTheFileAtEveryClick)
{
    frmBKLAbout about;
    about.show();
    WriteFile(WhatsNew(), "Line one\nLine two\r\nLine three");
    about.tbAboutButton(4)->trigger();
    EXPECT_FALSE(ProductPanelShown(about));
    EXPECT_FALSE(about.tbAboutMarked(1));
    EXPECT_TRUE(about.tbAboutMarked(4));
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Line one\nLine two\nLine three\n"));

    WriteFile(WhatsNew(), "Changed\r\n");
    about.tbAboutButton(4)->trigger();
    EXPECT_TRUE(about.tbAboutMarked(4)); // a second click keeps the mark
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Changed\n"));

    for (int position : {2, 3}) {
        about.tbAboutButton(position)->trigger();
        EXPECT_FALSE(ProductPanelShown(about));
        EXPECT_TRUE(about.tbAboutMarked(4));
        EXPECT_FALSE(about.tbAboutMarked(position));
    }

    about.tbAboutButton(1)->trigger();
    EXPECT_TRUE(ProductPanelShown(about));
    EXPECT_TRUE(about.tbAboutMarked(1));
    EXPECT_FALSE(about.tbAboutMarked(4));
    about.tbAboutButton(1)->trigger();
    EXPECT_TRUE(about.tbAboutMarked(1));
}

TEST_F(ShellAbout, MissingOrEmptyWhatsNew)
{
    EXPECT_EQ(frmBKLAbout::ReadTheTextForAbout(WhatsNew()), QString());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains(QStringLiteral("||ERROR|Function: ReadTheTextForAbout() -> Code: 53 --> Description: ")));

    frmBKLAbout about;
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Error: Can't find whatsnew.txt"));

    ResetLog();
    WriteFile(WhatsNew(), "");
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Error: Can't find whatsnew.txt"));
    EXPECT_TRUE(LogLines().isEmpty());

    WriteFile(WhatsNew(), "a\nb\nc\n");
    EXPECT_EQ(frmBKLAbout::ReadTheTextForAbout(WhatsNew()), QStringLiteral("a\r\nb\r\nc\r\n"));
}

TEST_F(ShellAbout, LinksGoThroughTheShell)
{
    frmBKLAbout about;
    seams.shell.result = false;
    about.lblEMAIL_Click();
    ASSERT_EQ(seams.shell.opened.size(), 1);
    EXPECT_TRUE(seams.shell.opened[0].startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(seams.boxes.shown.empty()); // a failing mail link shows nothing

    about.lblWEB_Click();
    ASSERT_EQ(seams.shell.opened.size(), 2);
    EXPECT_EQ(seams.shell.opened[1], about.lblWEB->text().section(QLatin1Char('>'), 1).section(QLatin1Char('<'), 0, 0));
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("There was an error when trying to open a default browser"));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);

    seams.shell.result = true;
    about.lblWEB_Click();
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
}

TEST_F(ShellAbout, EscClosesAndLogsTheExit)
{
    frmBKLAbout about;
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(LogLines().last().endsWith(QStringLiteral("||INFO|Exiting About Brisklane")));
    EXPECT_EQ(LogLines().size(), 2);
}
