#include "ShellTestSupport.h"

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

QString WhatsNew() { return ApplicationFolderPath(QStringLiteral("config")) + QStringLiteral("whatsnew.txt"); }

bool ProductPanelShown(frmBKLAbout& about)
{
    return about.picBKL->isVisibleTo(&about) && !about.picFile->isVisibleTo(&about);
}

class ShellAbout : public ShellTest {};

} // namespace

TEST_F(ShellAbout, ToolbarPanelsWhatsNewLinksAndExit)
{
    QFile::remove(WhatsNew());

    frmBKLAbout about;
    about.show();
    EXPECT_TRUE(ProductPanelShown(about));
    EXPECT_TRUE(about.tbAboutMarked(1));
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Start About Brisklane")));

    // A missing file: the panel says so and the reader logs error 53; an empty file only says so.
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Error: Can't find whatsnew.txt"));
    ASSERT_EQ(LogLines().size(), 2);
    EXPECT_TRUE(LogLines()[1].contains(QStringLiteral("||ERROR|Function: ReadTheTextForAbout() -> Code: 53 --> Description: ")));
    ResetLog();
    WriteFileBytes(WhatsNew(), "");
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Error: Can't find whatsnew.txt"));
    EXPECT_TRUE(LogLines().isEmpty());

    // The file is read again at every click, any line ending becoming CR LF.
    WriteFileBytes(WhatsNew(), "Line one\nLine two\r\nLine three");
    EXPECT_EQ(frmBKLAbout::ReadTheTextForAbout(WhatsNew()), QStringLiteral("Line one\r\nLine two\r\nLine three\r\n"));
    about.tbAboutButton(4)->trigger();
    EXPECT_FALSE(ProductPanelShown(about));
    EXPECT_FALSE(about.tbAboutMarked(1));
    EXPECT_TRUE(about.tbAboutMarked(4));
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Line one\nLine two\nLine three\n"));
    WriteFileBytes(WhatsNew(), "Changed\r\n");
    about.tbAboutButton(4)->trigger();
    EXPECT_TRUE(about.tbAboutMarked(4));
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), QStringLiteral("Changed\n"));

    // Buttons 2 and 3 hide the product panel but move no mark; button 1 brings it back.
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

    // Links go through the shell; only a failing web link shows a box.
    seams.shell.result = false;
    about.lblEMAIL_Click();
    ASSERT_EQ(seams.shell.opened.size(), 1);
    EXPECT_TRUE(seams.shell.opened[0].startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(seams.boxes.shown.empty());
    about.lblWEB_Click();
    ASSERT_EQ(seams.shell.opened.size(), 2);
    EXPECT_EQ(seams.shell.opened[1], about.lblWEB->text().section(QLatin1Char('>'), 1).section(QLatin1Char('<'), 0, 0));
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("There was an error when trying to open a default browser"));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);

    ResetLog();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("||INFO|Exiting About Brisklane")));
}
