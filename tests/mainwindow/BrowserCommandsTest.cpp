// The Save As / Print Preview / Print trio: each click sends its command to the
// browser; a failure shows the critical box of its own button and logs nothing.
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "platform/core/ScriptedSeams.h"
#include "support/RecordingBrowser.h"
#include "support/LogReader.h"

#include <QToolButton>
#include <gtest/gtest.h>

using namespace bkl;

TEST(BrowserCommandsTrio, FailureShowsTheButtonsBoxWithoutALogLine)
{
    SeamGuard seams;
    seams.install();
    test::ClearLog();
    test::RecordingBrowser browser;
    BrowserCommandButtons buttons(&browser, Qt::Horizontal);
    browser.saveAsFailure = QStringLiteral("Disk full.");
    browser.printPreviewFailure = QStringLiteral("No preview.");
    browser.printFailure = QStringLiteral("The page could not be printed.");
    buttons.cmdIEPreview_Click();
    buttons.cmdPreview_Click();
    buttons.cmdPrint_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Unable to perform the command\r\n\r\nDisk full."));
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Save Error"));
    EXPECT_EQ(seams.boxes.shown[1].title, QStringLiteral("Preview Error"));
    EXPECT_EQ(seams.boxes.shown[2].prompt,
              QStringLiteral("Unable to perform the command\r\n\r\nThe page could not be printed."));
    EXPECT_EQ(seams.boxes.shown[2].title, QStringLiteral("Print Error"));
    for (const ShownBox& box : seams.boxes.shown)
        EXPECT_EQ(box.style, mb::Critical);
    EXPECT_TRUE(test::LogLines().isEmpty());
    // The trio stays usable after a failure; each click sent its own command.
    browser.printFailure.clear();
    buttons.cmdPrint->click();
    EXPECT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(browser.calls, (QStringList{"saveAs", "printPreview", "print", "print"}));
}
