#include "ShellTestSupport.h"

#include "shell/Log.h"
#include "shell/ui/frmBKLAbout.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {
class ShellAbout : public ShellTest {};
} // namespace

TEST_F(ShellAbout, ToolbarPanelsWhatsNewLinksAndExit)
{
    const QString whatsNew = ApplicationFolderPath(u"config"_s) + "whatsnew.txt";
    QFile::remove(whatsNew);
    frmBKLAbout about;
    about.show();
    // Which panel shows and which button is marked, as "<product panel shown>:<marked buttons>".
    const auto state = [&about] {
        QString marks;
        for (int b = 1; b <= 4; ++b)
            marks += about.tbAboutMarked(b) ? QString::number(b) : QString();
        const bool product = about.picBKL->isVisibleTo(&about) && !about.picFile->isVisibleTo(&about);
        return (product ? u"product:"_s : u"file:"_s) + marks;
    };
    EXPECT_EQ(state(), "product:1");
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Start About Brisklane"_s});

    // A missing file: the panel says so and the reader logs error 53; an empty file only says so.
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), "Error: Can't find whatsnew.txt");
    ASSERT_EQ(LogEntries().size(), 2);
    EXPECT_TRUE(LogEntries()[1].startsWith("ERROR|Function: ReadTheTextForAbout() -> Code: 53 --> Description: "));
    ResetLog();
    WriteFileBytes(whatsNew, "");
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), "Error: Can't find whatsnew.txt");
    EXPECT_TRUE(LogLines().isEmpty());

    // The file is read again at every click, any line ending becoming CR LF.
    WriteFileBytes(whatsNew, "Line one\nLine two\r\nLine three");
    EXPECT_EQ(frmBKLAbout::ReadTheTextForAbout(whatsNew), "Line one\r\nLine two\r\nLine three\r\n");
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(state(), "file:4");
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), "Line one\nLine two\nLine three\n");
    WriteFileBytes(whatsNew, "Changed\r\n");
    about.tbAboutButton(4)->trigger();
    EXPECT_EQ(about.txtReadFromFile->toPlainText(), "Changed\n");
    // Buttons 2 and 3 hide the product panel but move no mark; button 1 brings it back.
    for (int position : {2, 3}) {
        about.tbAboutButton(position)->trigger();
        EXPECT_EQ(state(), "file:4");
    }
    about.tbAboutButton(1)->trigger();
    EXPECT_EQ(state(), "product:1");

    // Links go through the shell; only a failing web link shows a box.
    seams.shell.result = false;
    about.lblEMAIL_Click();
    ASSERT_EQ(seams.shell.opened.size(), 1);
    EXPECT_TRUE(seams.shell.opened[0].startsWith("mailto:"));
    EXPECT_TRUE(seams.boxes.shown.empty());
    about.lblWEB_Click();
    ASSERT_EQ(seams.shell.opened.size(), 2);
    EXPECT_EQ(seams.shell.opened[1], about.lblWEB->text().section('>', 1).section('<', 0, 0));
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[0], u"There was an error when trying to open a default browser"_s, mb::Critical, u"Error"_s));

    ResetLog();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(LogEntries(), QStringList{u"INFO|Exiting About Brisklane"_s});
}
