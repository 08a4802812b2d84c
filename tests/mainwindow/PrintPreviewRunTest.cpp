// Print Preview is a run: while the web engine makes the preview's PDF and while
// its dialog is open, the commands that would destroy the browser or its window
// (Switch Model, Close, Esc, another preview or print) are refused, and the
// window is still there when the preview returns to it.
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "mainwindow/ui/frmBKLTraceAuditLog.h"
#include "platform/core/ActiveRun.h"
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"
#include "support/TestWindows.h"
#include "support/WebPages.h"
#include "support/UserInput.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

class PrintPreviewRun : public bkl::test::WindowTest {
protected:
    // Shows a page of `rows` rows in the real web-engine browser `browser`.
    static void ShowPage(bkl::Browser* browser, int rows)
    {
        auto* web = qobject_cast<bkl::WebBrowser*>(browser);
        ASSERT_NE(web, nullptr);
        ASSERT_TRUE(bkl::test::NavigateAndWait(
            *web, web->view(),
            bkl::test::WritePage(QStringLiteral("_temp_01.html"), bkl::test::NumberedTable(rows))));
    }

    // Clicks Print Preview and, at every turn of the event loop until its dialog
    // shows its first pages and once more then, presses what `press` presses;
    // then closes the dialog. Returns how many turns pressed before the pages showed.
    static int PreviewPressingAtEveryTurn(const std::function<void()>& clickPreview, const std::function<void()>& press)
    {
        int pressedTurns = 0;
        bool dialogShown = false;
        QTimer turns;
        turns.setInterval(0);
        QObject::connect(&turns, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<bkl::PrintPreviewDialog*>(QApplication::activeModalWidget());
            press();
            if (!dialog || dialog->pageCount() == 0) {
                ++pressedTurns;
                return;
            }
            dialogShown = true;
            turns.stop();
            dialog->reject();
        });
        turns.start();
        clickPreview();
        turns.stop();
        EXPECT_TRUE(dialogShown);
        EXPECT_FALSE(bkl::RunActive());
        return pressedTurns;
    }
};

} // namespace

TEST_F(PrintPreviewRun, SwitchModelAndClosePressedWhileThePreviewIsMadeAreRefused)
{
    browsers.reset(); // the real browser
    OpenFrame();
    ShowPage(objects->wbObjects, 400);
    const QPointer<frmMDIBKLMain> shown(frame);
    const int pressed = PreviewPressingAtEveryTurn([&] { bkl::BrowserPrintPreview(objects->wbObjects); }, [&] {
        if (!shown)
            return;
        shown->mnuSwitchModel_Click();
        shown->close();
        bkl::BrowserPrintPreview(objects->wbObjects);
    });
    EXPECT_GT(pressed, 0);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(programEnds, 0);
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    EXPECT_TRUE(seams.boxes.shown.empty());

    // Once the preview has returned, Switch Model goes on as ever.
    shown->mnuSwitchModel_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmMDIBKLMain::current(), nullptr);
    EXPECT_EQ(bkl::test::VisibleWindows("frmBKLModelLogin").size(), 1);
}

TEST_F(PrintPreviewRun, TheAuditWindowStaysWhileItsPreviewIsMade)
{
    browsers.reset();
    OpenModel();
    frmBKLTraceAuditLog w;
    w.show();
    ShowPage(w.wbAudit, 200);
    const int pressed = PreviewPressingAtEveryTurn([&] { w.cmdPreview_Click(); }, [&] {
        w.cmdClose_Click();
        QTest::keyClick(&w, Qt::Key_Escape);
        w.close();
        w.cmdPreview_Click();
    });
    EXPECT_GT(pressed, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Exiting Trace Audit Log")));

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(LogMessages().last(), "Exiting Trace Audit Log");
}

// Quit is never refused: Ctrl+Q while a long page's preview is being made stops it
// and ends the program well inside Quit's bound.
TEST_F(PrintPreviewRun, CtrlQWhileALongPagesPreviewIsMadeEndsTheProgram)
{
    browsers.reset(); // the real browser
    OpenFrame();
    ShowPage(objects->wbObjects, 30000);
    MarkLog();
    QElapsedTimer pressed;
    qint64 endedAfter = -1;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (!pressed.isValid()) {
            pressed.start();
            // Where the user is: the preview's dialog once it shows, else the frame.
            QWidget* active = QApplication::activeModalWidget();
            bkl::test::QueueKey(active ? active : frame, Qt::Key_Q, Qt::ControlModifier);
        }
        if (programEnds > 0 && endedAfter < 0)
            endedAfter = pressed.elapsed();
    });
    user.start(300);
    bkl::BrowserPrintPreview(objects->wbObjects);
    for (int waited = 0; programEnds == 0 && waited < 3000; waited += 5)
        QTest::qWait(5);
    user.stop();
    if (endedAfter < 0)
        endedAfter = pressed.elapsed();

    EXPECT_EQ(programEnds, 1);
    EXPECT_LT(endedAfter, 1500);
    EXPECT_FALSE(bkl::RunActive());
    EXPECT_EQ(LogMessages().last(), QStringLiteral("Exiting Brisklane"));
}
