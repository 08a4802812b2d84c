// The user is never trapped and nothing is deleted under a handler that waits:
// while a window the frame opened modal is open (after one of its own boxes came
// and went), a click on Switch Model and the frame's title-bar close are refused,
// and Ctrl+Q closes that window and ends the program. A statement outside runs
// that waits for a held server refuses clicks and keys (nothing is replayed once
// it ends), says what it waits for with a Stop, and Ctrl+Q ends the program.
#include "compare/ui/frmBKLCompareObjects.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "mainwindow/ui/frmCalculationsAdvancedFind.h"
#include "platform/core/ActiveRun.h"
#include "platform/core/OutsideRunWait.h"
#include "platform/core/Seams.h"
#include "platform/ui/ModalWindows.h"
#include "platform/ui/ProgramQuit.h"
#include "platform/ui/QtSeams.h"
#include "platform/ui/WaitInput.h"
#include "mainwindow/ModelSummary.h"
#include "shell/Globals.h"
#include "shell/ModelConnection.h"
#include "shell/ProfileFile.h"
#include "shell/ui/LastWindowQuit.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "support/DemoModel.h"
#include "support/FileBytes.h"
#include "support/TdsStandIn.h"
#include "support/TestWindows.h"
#include "support/UserInput.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QRadioButton>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <functional>

namespace {

class UserNeverTrapped : public bkl::test::WindowTest {
protected:
    // The stand-in's arguments that make it hold the model summary's count for 30 s.
    static QStringList HoldingTheSummary() { return {"--hold-ms", "30000", "--hold-when", "FROM WebReport"}; }

    // The frame on the stand-in's source model, the log marked.
    void OpenFrameOn(const bkl::test::TdsStandIn& standIn)
    {
        OpenFrame();
        g_cnModel = standIn.open(bkl::test::kSourceModel);
        MarkLog();
    }

    // The login on the stand-in's source model (the profile file names it), shown.
    static frmBKLModelLogin* ShowLoginOn(const bkl::test::TdsStandIn& standIn)
    {
        bkl::test::WriteFileBytes(bkl::ProfileFilePath(),
                                  "Demo|" + standIn.server().toUtf8() + "|demo|demo|SalesModel2026|N|Y\r\n");
        auto* login = new frmBKLModelLogin;
        login->show();
        login->cboSQLServerDB->setEditText(QStringLiteral("SalesModel2026"));
        return login;
    }

    // The wait's notice on screen, or nullptr.
    static bkl::WaitNotice* ShownNotice()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* notice = qobject_cast<bkl::WaitNotice*>(w); notice && notice->isVisible())
                return notice;
        return nullptr;
    }

    QWidget* ToolbarButton(int index) const { return frame->tblMain->widgetForAction(frame->tblMainButton(index)); }

    // Turns the loop until the program has been ended (at most `ms`).
    void WaitForProgramEnd(int ms = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (programEnds == 0 && clock.elapsed() < ms)
            QTest::qWait(5);
    }
};

// Each window the frame opens modal, opened as the user opens it.
struct ModalOpener {
    const char* name;
    bool logsExit; // the window writes "Exiting <caption>" as it closes
    std::function<void()> open;
};

} // namespace

TEST_F(UserNeverTrapped, OverEveryModalWindowSwitchModelAndCloseAreRefusedAndQuitClosesItFirst)
{
    OpenFrame();
    for (bkl::mainwindow::ObjectKind kind : bkl::mainwindow::kAllKinds)
        objects->KindPickerItem(kind)->setCheckState(kind == bkl::mainwindow::ObjectKind::Tables ? Qt::Checked
                                                                                             : Qt::Unchecked);
    objects->txtFind->setText(QStringLiteral("Lookup"));
    QTest::mouseClick(objects->cmdFind, Qt::LeftButton);
    ASSERT_GT(objects->lvObjects->topLevelItemCount(), 0);
    objects->lvObjects->topLevelItem(0)->setCheckState(0, Qt::Checked);
    frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
    const std::vector<ModalOpener> openers = {
        {"Trace Audit Log", true, [&] { QTest::mouseClick(ToolbarButton(11), Qt::LeftButton); }},
        {"Advanced Find", false, [&] { QTest::mouseClick(ToolbarButton(2), Qt::LeftButton); }},
        {"Export Objects", true, [&] { QTest::mouseClick(ToolbarButton(3), Qt::LeftButton); }},
        {"Compare Objects", true, [&] { QTest::mouseClick(objects->cmdCompare, Qt::LeftButton); }},
        {"Manage Model Profiles", true, [&] { frame->mnuManageModelProfiles->trigger(); }},
        {"User Preferences", true, [&] { frame->mnuUserPreferences->trigger(); }},
        {"About", true, [&] { frame->mnuAboutBrisklane->trigger(); }},
        {"compare report", true, [&] {
             compare.ShowModeless();
             compare.optDetailedSummary->setChecked(true);
             QTest::mouseClick(compare.cmdReport, Qt::LeftButton);
         }},
    };
    // Real boxes, so that the window's own box is a modal window of its own.
    bkl::InstallDesktopSeams();
    for (const ModalOpener& opener : openers) {
        SCOPED_TRACE(opener.name);
        MarkLog();
        programEnds = 0;
        bkl::ForgetQuitForTesting();
        QString caption;
        bool sawBox = false;
        bkl::test::WithModal(opener.open, [&](QWidget* modal) {
            ASSERT_NE(modal, nullptr);
            caption = modal->windowTitle();
            bkl::test::WithModal([&] { bkl::MsgBox(QStringLiteral("A box of the window"), bkl::mb::Exclamation, caption); },
                                 [&](QWidget* box) {
                                     sawBox = box != nullptr && box != modal;
                                     if (box)
                                         box->close();
                                 });
            // The frame answers the user's click and the window system's close as if it
            // had the focus back, and refuses both.
            // At several turns of the window's own loop.
            for (int turn = 0; turn < 5; ++turn) {
                QTest::mouseClick(ToolbarButton(5), Qt::LeftButton);
                bkl::test::QueueClose(frame);
                QCoreApplication::processEvents();
            }
            EXPECT_FALSE(frame->close());
            EXPECT_EQ(frmMDIBKLMain::current(), frame);
            EXPECT_TRUE(frame->isVisible() && modal->isVisible());
            EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
            // Ctrl+Q pressed in the window: it closes first, then the program ends.
            QTest::keyClick(modal, Qt::Key_Q, Qt::ControlModifier);
        });
        WaitForProgramEnd();
        EXPECT_TRUE(sawBox);
        EXPECT_EQ(programEnds, 1);
        EXPECT_FALSE(bkl::ModalWindowOpen());
        const QStringList log = LogMessages();
        ASSERT_FALSE(log.isEmpty());
        EXPECT_EQ(log.last(), QStringLiteral("Exiting Brisklane"));
        EXPECT_EQ(log.count(QStringLiteral("Exiting Brisklane")), 1);
        if (opener.logsExit)
            EXPECT_TRUE(log.contains(QStringLiteral("Exiting ") + caption)) << log.join(';').toStdString();
        EXPECT_EQ(frmMDIBKLMain::current(), frame);
    }
    bkl::SetMessageBoxes(&seams.boxes);
}

// The compare window the frame opens modeless works on the frame's model: while it is
// on screen the frame refuses the user's Switch Model and the title-bar close (which
// would leave it alone on screen); Ctrl+Q in it ends the program; once it is closed,
// Switch Model goes on.
TEST_F(UserNeverTrapped, WhileTheCompareWindowIsOnScreenSwitchModelAndCloseAreRefused)
{
    OpenFrame();
    QTest::mouseClick(ToolbarButton(7), Qt::LeftButton);
    frmBKLCompareObjects* compare = frmBKLCompareObjects::existing();
    ASSERT_TRUE(compare && compare->isVisible());
    bkl::test::WithModal([&] { bkl::MsgBox(QStringLiteral("A box of the window"), bkl::mb::Exclamation, compare->windowTitle()); },
                         [&](QWidget* box) {
                             if (box)
                                 box->close();
                         });
    MarkLog();
    QTest::mouseClick(ToolbarButton(5), Qt::LeftButton);
    bkl::test::QueueClose(frame);
    QTest::qWait(50);
    EXPECT_EQ(frmMDIBKLMain::current(), frame);
    EXPECT_TRUE(frame->isVisible() && compare->isVisible());
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Exiting Brisklane")));

    QTest::keyClick(compare, Qt::Key_Q, Qt::ControlModifier);
    WaitForProgramEnd();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(LogMessages().last(), QStringLiteral("Exiting Brisklane"));

    bkl::ForgetQuitForTesting();
    QTest::mouseClick(compare->cmdClose, Qt::LeftButton);
    ASSERT_FALSE(compare->isVisible());
    QTest::mouseClick(ToolbarButton(5), Qt::LeftButton);
    EXPECT_TRUE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    CloseWindows();
}

// Reload Model Summary while the server holds the summary's count: the user's click
// on Switch Model, the title-bar close and a key are refused as they come (nothing is
// replayed when the statement ends); past a second a window names the connection, and
// its Stop ends the wait within the bound.
TEST_F(UserNeverTrapped, AWaitOutsideRunsRefusesInputSaysWhatItWaitsForAndStops)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    const bkl::test::TdsStandIn standIn({}, HoldingTheSummary());
    ASSERT_TRUE(standIn.running());
    OpenFrameOn(standIn);
    const QString typed = objects->txtFind->text();

    QPointer<bkl::WaitNotice> notice;
    QString noticeText;
    QElapsedTimer clock;
    qint64 stoppedAt = -1;
    QTimer user;
    int step = 0;
    QObject::connect(&user, &QTimer::timeout, [&] {
        ++step;
        if (step == 5) {
            bkl::test::QueueClick(ToolbarButton(5));
            bkl::test::QueueClose(frame);
            bkl::test::QueueKey(objects->txtFind, Qt::Key_A);
        }
        if (bkl::WaitNotice* shown = ShownNotice(); shown && !notice) {
            notice = shown;
            noticeText = shown->lblWaiting->text();
            stoppedAt = clock.elapsed();
            bkl::test::QueueClick(shown->cmdStop);
        }
    });
    clock.start();
    user.start(20);
    frame->mnuReloadModelSummary->trigger();
    const qint64 ended = clock.elapsed();
    user.stop();
    QTest::qWait(50); // anything held back would come now

    EXPECT_EQ(noticeText, QStringLiteral("Waiting for %1 (SalesModel2026)...").arg(standIn.server()));
    EXPECT_GE(stoppedAt, bkl::kWaitNoticeMs * 9 / 10); // not at once: a short wait shows nothing
    EXPECT_LT(ended - stoppedAt, 2000);
    EXPECT_FALSE(notice && notice->isVisible());
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    EXPECT_EQ(frmMDIBKLMain::current(), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(objects->txtFind->text(), typed);
    EXPECT_EQ(programEnds, 0);
    // The statements that came after the Stop were not sent: the reload ended at once.
    EXPECT_LT(ended, 6000);
    g_cnModel = bkl::db::Connection();
}

// Ctrl+Q pressed as the window system delivers it while a statement outside runs
// waits for a server that holds it: the statement is stopped and the program ends.
TEST_F(UserNeverTrapped, CtrlQDuringAWaitOutsideRunsEndsTheProgramWithinTwoSeconds)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    const bkl::test::TdsStandIn standIn({}, HoldingTheSummary());
    ASSERT_TRUE(standIn.running());
    OpenFrameOn(standIn);

    QElapsedTimer clock;
    qint64 pressedAt = -1;
    qint64 endedAt = -1;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (pressedAt < 0 && clock.elapsed() >= 300) {
            pressedAt = clock.elapsed();
            bkl::test::QueueKey(frame, Qt::Key_Q, Qt::ControlModifier);
        }
        if (programEnds > 0 && endedAt < 0)
            endedAt = clock.elapsed();
    });
    clock.start();
    user.start(10);
    frame->mnuReloadModelSummary->trigger();
    WaitForProgramEnd();
    if (endedAt < 0)
        endedAt = clock.elapsed();
    user.stop();

    EXPECT_EQ(programEnds, 1);
    ASSERT_GE(pressedAt, 0);
    EXPECT_LT(endedAt - pressedAt, 2000);
    EXPECT_EQ(LogMessages().last(), QStringLiteral("Exiting Brisklane"));
    g_cnModel = bkl::db::Connection();
}

// Connect to a server that holds the summary's count: the login stays on screen until
// the frame shows, the notice comes over it within about a second, and its Stop (by
// its key) lets the frame open.
TEST_F(UserNeverTrapped, AfterConnectAWindowIsOnScreenWhileTheFrameWaits)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    const bkl::test::TdsStandIn standIn({}, HoldingTheSummary());
    ASSERT_TRUE(standIn.running());
    frmBKLModelLogin* login = ShowLoginOn(standIn);

    QElapsedTimer clock;
    qint64 longestWithoutWindow = 0;
    qint64 lastSeen = 0;
    bool stopped = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (bkl::AnyWindowOpen())
            lastSeen = clock.elapsed();
        longestWithoutWindow = std::max(longestWithoutWindow, clock.elapsed() - lastSeen);
        if (bkl::WaitNotice* notice = ShownNotice(); notice && !stopped) {
            stopped = true;
            // The Stop button's own key (Alt+S), as a user at the keyboard stops.
            bkl::test::QueueKey(notice->cmdStop, Qt::Key_S, Qt::AltModifier);
        }
    });
    clock.start();
    look.start(10);
    login->cmdConnect_Click();
    look.stop();

    EXPECT_TRUE(stopped);
    EXPECT_EQ(longestWithoutWindow, 0) << "no window of the program was on screen for a while after Connect";
    frame = frmMDIBKLMain::current();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_LT(clock.elapsed(), 5000);
    // The summary page keeps the counts read before the Stop, as the chart does.
    using namespace bkl::mainwindow;
    const int32_t tables = bkl::GetRecordCount(SummaryCountSql(SummaryStyle::Rich)[0], bkl::test::OpenDemoModel(bkl::test::kSourceModel));
    ASSERT_GT(tables, 0);
    EXPECT_TRUE(bkl::test::FileBytes(SummaryPagePath()).contains("'>Tables: " + QByteArray::number(tables)));
    CloseWindows();
    g_cnModel = bkl::db::Connection();
}

// The target login lists the server's models while the server holds the list: the
// notice belongs to the login (a window of its own would be blocked by it), its Stop
// ends the wait, and Ctrl+Q pressed in the notice ends the program, the login closed first.
TEST_F(UserNeverTrapped, OverAModalWindowTheNoticesStopAndCtrlQAnswer)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    const bkl::test::TdsStandIn standIn({}, {"--hold-ms", "30000", "--hold-when", "FROM sysdatabases"});
    ASSERT_TRUE(standIn.running());
    OpenFrame();
    frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
    compare.ShowModeless();
    MarkLog();

    // What the user does with each notice: Stop the first, Ctrl+Q in the second.
    int notices = 0;
    QElapsedTimer pressed;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (bkl::WaitNotice* notice = ShownNotice(); notice && notice->property("answered").isNull()) {
            notice->setProperty("answered", true);
            ++notices;
            pressed.start();
            if (notices == 1)
                bkl::test::QueueClick(notice->cmdStop);
            else
                bkl::test::QueueKey(notice, Qt::Key_Q, Qt::ControlModifier);
        }
    });
    user.start(10);
    qint64 firstStop = -1;
    bkl::test::WithModal([&] { QTest::mouseClick(compare.cmdTargetConnect, Qt::LeftButton); }, [&](QWidget* modal) {
        auto* login = qobject_cast<frmBKLTargetModelLogin*>(modal);
        ASSERT_NE(login, nullptr);
        login->txtSQLServerHost->setText(standIn.server());
        login->txtSQLServerUser->setText(QStringLiteral("demo"));
        login->txtSQLServerPassword->setText(QStringLiteral("demo"));
        QTest::mouseClick(login->cmdSelectDatabase, Qt::LeftButton);
        firstStop = pressed.elapsed();
        EXPECT_EQ(notices, 1);
        EXPECT_EQ(BoxTexts(), QStringList()); // a stopped list is no failure
        EXPECT_TRUE(login->isVisible());
        EXPECT_EQ(login->cboSQLServerDB->count(), 0);
        QTest::qWait(20); // the user's next click comes from the loop
        QTest::mouseClick(login->cmdSelectDatabase, Qt::LeftButton);
    });
    WaitForProgramEnd();
    user.stop();

    EXPECT_LT(firstStop, 2000);
    EXPECT_EQ(notices, 2);
    EXPECT_LT(pressed.elapsed(), 2500);
    EXPECT_EQ(programEnds, 1);
    EXPECT_TRUE(bkl::test::VisibleWindows("frmBKLTargetModelLogin").isEmpty());
    EXPECT_EQ(LogMessages().last(), QStringLiteral("Exiting Brisklane"));
    frmBKLCompareObjects::discardInstance();
}

// Advanced Find opened from the toolbar while the server holds its calendar list: the
// notice's Stop ends the wait and the window opens with the lists read so far, the
// program still running (a Stop there once ended it), nothing logged or shown.
TEST_F(UserNeverTrapped, StopWhileAdvancedFindReadsItsListsOpensTheWindow)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn({}, {"--hold-ms", "30000", "--hold-when", "FROM Time WHERE Parent IS NULL"});
    ASSERT_TRUE(standIn.running());
    OpenFrame();
    g_cnModel = standIn.open(bkl::test::kSourceModel);
    MarkLog();

    bool stopped = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (bkl::WaitNotice* notice = ShownNotice(); notice && !stopped) {
            stopped = true;
            // The Stop button's own key (Alt+S), as a user at the keyboard stops.
            bkl::test::QueueKey(notice->cmdStop, Qt::Key_S, Qt::AltModifier);
        }
    });
    user.start(20);
    QElapsedTimer clock;
    clock.start();
    qint64 openedAt = -1;
    QStringList calendars;
    bkl::test::WithModal([&] { QTest::mouseClick(ToolbarButton(2), Qt::LeftButton); },
                         [&](QWidget* modal) {
                             ASSERT_NE(modal, nullptr);
                             openedAt = clock.elapsed();
                             if (auto* find = qobject_cast<frmCalculationsAdvancedFind*>(modal))
                                 calendars = Items(find->cboCalendarUsed);
                             modal->close();
                         });
    user.stop();

    EXPECT_TRUE(stopped);
    EXPECT_EQ(calendars, QStringList({"<<None>>"}));
    EXPECT_GE(openedAt, 0);
    EXPECT_LT(openedAt, 6000);
    EXPECT_TRUE(LogMessages().filter(QStringLiteral("FillCalendarAndTimeResetLists")).isEmpty());
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_EQ(frmMDIBKLMain::current(), frame);
    g_cnModel = bkl::db::Connection();
}

// Connect to a server that has stopped answering: the notice's Stop gives the connect
// up within the bound, and the login stays as it was, with no box (nothing failed).
TEST_F(UserNeverTrapped, StopDuringAConnectToAFrozenServerLeavesTheLoginAsItWas)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    frmBKLModelLogin* login = ShowLoginOn(standIn);
    standIn.pause(true);

    QElapsedTimer pressed;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (bkl::WaitNotice* notice = ShownNotice(); notice && !pressed.isValid()) {
            pressed.start();
            bkl::test::QueueClick(notice->cmdStop);
        }
    });
    user.start(10);
    login->cmdConnect_Click();
    user.stop();
    standIn.pause(false);

    ASSERT_TRUE(pressed.isValid());
    EXPECT_LT(pressed.elapsed(), 2000);
    EXPECT_EQ(frmMDIBKLMain::current(), nullptr);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(BoxTexts(), QStringList());
    EXPECT_FALSE(g_cnModel.isOpen());
    CloseWindows();
}
