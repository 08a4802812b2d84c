// The Save As / Print Preview / Print trio: each click sends its command to the
// browser; a failure shows the critical box of its own button and logs nothing.
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "platform/core/ScriptedSeams.h"
#include "support/LogReader.h"
#include "support/RecordingBrowser.h"

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
    browser.saveAsFailure = "Disk full.";
    browser.printPreviewFailure = "No preview.";
    browser.printFailure = "The page could not be printed.";
    buttons.cmdIEPreview_Click();
    buttons.cmdPreview_Click();
    buttons.cmdPrint_Click();
    QStringList boxes;
    for (const ShownBox& box : seams.boxes.shown)
        boxes << QStringLiteral("%1|%2|%3").arg(box.prompt).arg(box.style).arg(box.title);
    EXPECT_EQ(boxes, QStringList({"Unable to perform the command\r\n\r\nDisk full.|16|Save Error",
                                  "Unable to perform the command\r\n\r\nNo preview.|16|Preview Error",
                                  "Unable to perform the command\r\n\r\nThe page could not be printed.|16|Print Error"}));
    EXPECT_TRUE(test::LogLines().isEmpty());
    // The trio stays usable after a failure; each click sent its own command.
    browser.printFailure.clear();
    buttons.cmdPrint->click();
    EXPECT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(browser.calls, QStringList({"saveAs", "printPreview", "print", "print"}));
}
