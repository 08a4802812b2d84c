// The compare window: the section tree, the source list (by kind and from an
// object-list file), the compare list, closing and what survives a close; the
// hand-off from the object list; and the target-model login.
#include "CompareWindowFixture.h"

#include "compare/TargetLogin.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/RunGuard.h"
#include "reports/DetailSectionFlags.h"
#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "support/FileBytes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>

using namespace bkl;

namespace {

class CompareWindow : public CompareWindowFixture {
protected:
    // One critical box and one ERROR line for a failed load, and the window idle again with nothing listed.
    void ExpectLoadFailureReported(const QString& prompt = QStringLiteral("Run-time error '"))
    {
        ASSERT_EQ(seams.boxes.shown.size(), 1u);
        EXPECT_TRUE(BoxTexts()[0].startsWith(prompt) && BoxTexts()[0].endsWith("|16|Compare Objects")) << BoxTexts()[0].toStdString();
        EXPECT_TRUE(LogMessages().last().startsWith("Function: cmdLoadObjects_Click() --> Code: "));
        const frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
        EXPECT_TRUE(w.cmdLoadObjects->isEnabled() && !w.cmdStop->isEnabled() && !w.LoadRunning());
        EXPECT_EQ(w.lblObjectCount->text(), "Count: 0");
        seams.boxes.shown.clear();
    }
};

} // namespace

TEST_F(CompareWindow, CompareTreeSetsTheFlagsOfItsLeavesOnly)
{
    frmBKLCompareObjects& w = Window();
    g_bPlanID = g_bTailoredCalculations = true;
    // No propagation: unchecking the root "Table" changes only that box.
    w.tvCompare->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(w.tvCompare->topLevelItem(0)->child(0)->checkState(0), Qt::Checked);
    w.tvCompare->topLevelItem(1)->child(0)->setCheckState(0, Qt::Unchecked); // View / Columns
    w.tvCompare->topLevelItem(3)->child(6)->setCheckState(0, Qt::Unchecked); // Calculation / Calendar
    w.SetCompareAttributeFlags();
    EXPECT_TRUE(g_bTableType && g_bTableRecordCount && g_bTableColumns && g_bViewDependentObjects
                && g_bCalendarTimeHierarchy && g_bCalcFolder && g_bPresentorLinkedReports);
    EXPECT_FALSE(g_bViewColumns || g_bCalcCalendar);
    EXPECT_FALSE(g_bPlanID || g_bPlanPayeeGroup || g_bPlanComments || g_bPlanCalculations);
    EXPECT_FALSE(g_bTailoredReportID || g_bTailoredPayeeGroup || g_bTailoredCalculations);
}

TEST_F(CompareWindow, LoadObjectsByKindFromTheSourceModel)
{
    frmBKLCompareObjects& w = Window();
    w.cmdLoadObjects_Click(); // "<None>": nothing happens
    EXPECT_TRUE(Rows(w.lvObjects).isEmpty());
    LoadKind("Calendars");
    EXPECT_EQ(Rows(w.lvObjects), QStringList({"(FISCAL) Fiscal Calendar|Calendar", "(RETAIL) Retail Calendar|Calendar",
                                              "(STD) Standard Calendar|Calendar"}));
    EXPECT_EQ(w.lblObjectCount->text(), "Count: 3");
    // A new load replaces the list and empties the search box.
    w.txtSearch->setText("fis");
    LoadKind("Tables");
    EXPECT_EQ(w.txtSearch->text(), QString());
    EXPECT_EQ(Rows(w.lvObjects).value(0), "CommissionRates|Table");
    EXPECT_EQ(w.lblObjectCount->text(), "Count: 15");
    // A failed listing query is reported and the window is idle again.
    g_cnModel = db::Connection(); // released, as Switch Model leaves it
    LoadKind("Tables");
    ExpectLoadFailureReported();
}

TEST_F(CompareWindow, LoadingALargeListTurnsTheEventLoopAndStops)
{
    QByteArray names;
    for (int i = 0; i < 200000; ++i)
        names += "Calc " + QByteArray::number(i) + "\n";
    const QString path = test::TestHome() + QStringLiteral("/large.txt");
    test::WriteFileBytes(path, names);
    seams.dialogs.answers.push_back(path);
    // Stop is pressed at the first turn of the event loop that finds rows listed.
    frmBKLCompareObjects& w = Window();
    QString countAtStop;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (w.lvObjects->topLevelItemCount() > 0 && countAtStop.isEmpty()) {
            countAtStop = w.lblObjectCount->text();
            w.cmdStop_Click();
        }
    });
    stopper.start(0);
    LoadKind("<< Load Objects from file >>");
    stopper.stop();
    // The rows gathered before that turn were listed, with their count as progress; none after it.
    const int listed = w.lvObjects->topLevelItemCount();
    EXPECT_TRUE(listed > 0 && listed < 200000) << listed;
    EXPECT_EQ(countAtStop, QStringLiteral("Count: %1").arg(listed));
    EXPECT_EQ(w.lblObjectCount->text(), countAtStop);
    EXPECT_EQ(Rows(w.lvObjects).first(), "Calc 0|Calculation");
    EXPECT_EQ(Rows(w.lvObjects).last(), QStringLiteral("Calc %1|Calculation").arg(listed - 1));
    EXPECT_TRUE(w.cmdLoadObjects->isEnabled() && !w.cmdStop->isEnabled() && !w.m_bStopLoad && !w.LoadRunning());
    EXPECT_TRUE(seams.boxes.shown.empty());
}

TEST_F(CompareWindow, LoadObjectsFromAFile)
{
    const QString path = test::TestHome() + QStringLiteral("/objects.txt");
    // CR LF, a blank line, blanks kept, LF alone, CR alone; no line after the last line end.
    test::WriteFileBytes(path, "Total Sales\r\n\r\n  Commission Amount  \nQuarterly Bonus\rNo Such Calc\r\n");
    frmBKLCompareObjects& w = Window();
    seams.dialogs.answers.push_back(path);
    LoadKind("<< Load Objects from file >>");
    EXPECT_EQ(seams.dialogs.titles, QStringList{"Open Quellmar Objects file ..."});
    EXPECT_EQ(Rows(w.lvObjects), QStringList({"Total Sales|Calculation", "|Calculation", "  Commission Amount  |Calculation",
                                              "Quarterly Bonus|Calculation", "No Such Calc|Calculation"}));
    EXPECT_EQ(w.lblObjectCount->text(), "Count: 5");

    // Cancelled: the list was cleared and stays empty. The dialog shows the normal pointer, not the load's hourglass.
    struct PointerAtDialog final : FileDialogSeam {
        std::optional<Qt::CursorShape> shape;
        QString openFile(const QString&, const QString&, const QString&) override
        {
            shape = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
            return QString();
        }
        QString saveFile(const QString&, const QString&, const QString&) override { return QString(); }
        QString browseFolder(const QString&, const QString&) override { return QString(); }
    } pointer;
    SetFileDialogs(&pointer);
    w.cmdLoadObjects_Click();
    SetFileDialogs(&seams.dialogs);
    EXPECT_EQ(pointer.shape, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Rows(w.lvObjects).isEmpty());
    EXPECT_EQ(w.lblObjectCount->text(), "Count: 0");
    EXPECT_TRUE(seams.boxes.shown.empty());

    // A file that cannot be read, and binary content, are reported before any row is listed.
    seams.dialogs.answers.push_back(test::TestHome() + QStringLiteral("/missing.txt"));
    w.cmdLoadObjects_Click();
    ExpectLoadFailureReported();
    test::WriteFileBytes(path, "PK\x03\x04\x14\0\x08\0"_qba);
    seams.dialogs.answers.push_back(path);
    w.cmdLoadObjects_Click();
    ExpectLoadFailureReported("Run-time error '321':\r\n\r\n" + path
                              + " holds binary content (NUL characters), not text, and is not read|");
    EXPECT_TRUE(Rows(w.lvObjects).isEmpty());
}

TEST_F(CompareWindow, AddAddAllRemoveAndRemoveAll)
{
    frmBKLCompareObjects& w = Window();
    for (const char* name : {" T1 ", "T1", "t1"})
        w.AddSourceRow(name, "Table");
    w.AddSourceRow("V1", "View");
    w.lvObjects->topLevelItem(0)->setSelected(true);
    w.lvObjects->topLevelItem(1)->setSelected(true);
    w.cmdAdd_Click();
    w.cmdAdd_Click();
    EXPECT_EQ(Rows(w.lvCompare), QStringList{"T1|Table|Not Started"});
    EXPECT_EQ(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(0)),
              "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  "
              "cellspacing='0' cellpadding='0'><tr ><td colspan='3'><b><font  face='Calibri' size='2'>** Compare "
              "Status: Not Started</font></b></td></tr></table>");

    w.cmdAddAll_Click();
    EXPECT_EQ(Rows(w.lvCompare), QStringList({"T1|Table|Not Started", "t1|Table|Not Started", "V1|View|Not Started"}));
    EXPECT_EQ(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(2)), QString());
    EXPECT_EQ(w.lblCompareCount->text(), "Count: 3");

    // Removing the first selects the new first.
    w.lvCompare->topLevelItem(0)->setSelected(true);
    w.cmdRemove_Click();
    EXPECT_EQ(Rows(w.lvCompare), QStringList({"t1|Table|Not Started", "V1|View|Not Started"}));
    EXPECT_EQ(w.lvCompare->selectedItems().value(0), w.lvCompare->topLevelItem(0));
    w.m_sDetailedSummary = "kept";
    w.cmdRemoveAll_Click();
    EXPECT_TRUE(Rows(w.lvCompare).isEmpty());
    EXPECT_EQ(w.lblCompareCount->text(), "Count: 0");
    EXPECT_EQ(w.m_sDetailedSummary, "kept");
}

TEST_F(CompareWindow, AddClickedWhileAnAddStillAddsIsRefused)
{
    frmBKLCompareObjects& w = Window();
    LoadKind("Calculations");
    ASSERT_EQ(w.lblObjectCount->text(), "Count: 41");
    w.lvObjects->topLevelItem(40)->setSelected(true);
    SetPumpSliceMsForTesting(0); // the event loop turns after every added row
    // At the first turn, Add All and Add are clicked again, then Compare and Close.
    bool busy = false;
    QString countAfterClicks;
    QTimer::singleShot(0, [&] {
        busy = RunGuard::active();
        w.cmdAddAll->click();
        w.cmdAdd->click();
        countAfterClicks = w.lblCompareCount->text();
        w.cmdCompare->click();
        w.cmdClose->click();
    });
    w.cmdAddAll->click();
    EXPECT_TRUE(busy);
    EXPECT_EQ(countAfterClicks, "Count: 0");
    const QStringList rows = Rows(w.lvCompare);
    EXPECT_EQ(rows.size(), 41);
    EXPECT_EQ(QSet<QString>(rows.begin(), rows.end()).size(), 41);
    EXPECT_EQ(w.lblCompareCount->text(), "Count: 41");
    // Compare (no target: its box) and Close were refused too; the window is idle again.
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_TRUE(w.IsLoaded() && !RunGuard::active());
    w.cmdRemoveAll_Click();
    w.cmdAddAll->click();
    EXPECT_EQ(w.lblCompareCount->text(), "Count: 41");
}

TEST_F(CompareWindow, HeaderClicksSortDescendingFirstThenAlternateOverBothLists)
{
    frmBKLCompareObjects& w = ShownWithRows({{"beta", "View"}, {"Alpha", "Table"}, {"Gamma", "Calculation"}});
    // Letter case does not count.
    ClickHeader(w.lvObjects, 0);
    EXPECT_EQ(Names(w.lvObjects), QStringList({"Gamma", "beta", "Alpha"}));
    ClickHeader(w.lvCompare, 1);
    EXPECT_EQ(Names(w.lvCompare), QStringList({"Gamma", "Alpha", "beta"}));
    ClickHeader(w.lvCompare, 1);
    EXPECT_EQ(Names(w.lvCompare), QStringList({"beta", "Alpha", "Gamma"}));
    ClickHeader(w.lvObjects, 0);
    EXPECT_EQ(Names(w.lvObjects), QStringList({"Alpha", "beta", "Gamma"}));
    // A sorted list places rows added later by its order.
    w.AddSourceRow("Delta", "Table");
    EXPECT_EQ(Names(w.lvObjects), QStringList({"Alpha", "beta", "Delta", "Gamma"}));
}

TEST_F(CompareWindow, CloseAndEscUnloadButMembersSurvive)
{
    frmBKLCompareObjects& w = Window();
    w.ShowModeless();
    w.AddSourceRow("T1", "Table");
    w.cmdAddAll_Click();
    w.tvCompare->topLevelItem(0)->child(0)->setCheckState(0, Qt::Unchecked);
    w.m_sDetailedSummary = "<p>last run</p><br>";
    ConnectTarget();
    const db::Connection target = w.m_cnTarget;
    w.lvObjects_ColumnClick(0);

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible() || w.IsLoaded());
    EXPECT_EQ(LogMessages().filter("Exiting "), QStringList{"Exiting Compare Objects"});

    // Opened again: blank lists, every node checked; the members kept their values, and
    // the labels show the target that is still connected.
    frmBKLCompareObjects::instance().ShowModeless();
    EXPECT_TRUE(Rows(w.lvObjects).isEmpty() && Rows(w.lvCompare).isEmpty());
    const QString host = test::DemoServerFolder();
    EXPECT_EQ(QStringList({w.lblTargetModel->text(), w.lblConnectionStatus->text(), w.lblServerHost->text(),
                           w.lblModelName->text(), w.lblConnectionStatus->palette().color(QPalette::WindowText).name()}),
              QStringList({"SalesModel2026_Target@" + host, "Connection Status: Connected", "Server/Host: " + host,
                           "Model Name: SalesModel2026_Target", "#00ff00"}));
    EXPECT_EQ(w.tvCompare->topLevelItem(0)->child(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(w.m_sDetailedSummary, "<p>last run</p><br>");
    EXPECT_TRUE(w.m_cnTarget.sameAs(target));
    EXPECT_EQ(w.m_iSortOrder, 1);
    w.cmdClose_Click();
    EXPECT_EQ(LogMessages().filter("Exiting ").size(), 2);
}

namespace {

class CompareWindowHandOff : public CompareWindowFixture {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
    }
    void AddRow(const QString& name, const QString& type, bool checked = true)
    {
        objects->AddObjectRow(name, type)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
};

} // namespace

TEST_F(CompareWindowHandOff, ButtonOpensTheWindowModalWithTheCheckedRows)
{
    AddRow("  T1 ", " Table ");
    AddRow("V1", "View", false);
    AddRow("(AE2026) Account Executive Plan 2026", "Compensation Plan");
    AddRow("Odd", "Something Else");
    QStringList seen;
    WithModal([&] { objects->cmdCompare_Click(); },
              [&](QWidget* shown) {
                  auto* w = qobject_cast<frmBKLCompareObjects*>(shown);
                  ASSERT_NE(w, nullptr);
                  seen << (w->isModal() || w->testAttribute(Qt::WA_ShowModal) ? "modal" : "modeless")
                       << Rows(w->lvObjects) << w->lblObjectCount->text();
                  QTest::keyClick(w, Qt::Key_Escape);
              });
    EXPECT_EQ(seen, QStringList({"modal", "T1|Table", "(AE2026) Account Executive Plan 2026|Compensation Plan",
                                 "Odd|Something Else", "Count: 3"}));
    EXPECT_FALSE(frmBKLCompareObjects::instance().isVisible());
}

TEST_F(CompareWindowHandOff, FrameCommandOpensItModelessAndAppends)
{
    AddRow("T1", "Table");
    AddRow("Total Sales", "Calculation");
    frame->mnuCompareObjects_Click();
    frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Used again while the window stays open: the rows are there twice.
    frame->mnuSubCompareSelectedObjects_Click();
    EXPECT_EQ(Rows(w.lvObjects), QStringList({"T1|Table", "Total Sales|Calculation", "T1|Table", "Total Sales|Calculation"}));
    EXPECT_EQ(w.lblObjectCount->text(), "Count: 4");
    // The object-list window's button brings the open window to the front instead of a second showing.
    objects->cmdCompare_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 6);
    EXPECT_EQ(LogMessages().filter("Launch Screen: ").size(), 1);
    // While a run is active the frame refuses the command.
    {
        RunGuard run({}, false);
        frame->mnuCompareObjects_Click();
        objects->cmdCompare_Click();
    }
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 6);
}

namespace {

class TargetLogin : public CompareWindowFixture {
protected:
    // A login over the loaded compare window, with the demo server typed in.
    std::unique_ptr<frmBKLTargetModelLogin> OpenLogin(const QString& model)
    {
        QFile::remove(ProfileFilePath());
        auto login = std::make_unique<frmBKLTargetModelLogin>(&Window());
        login->txtSQLServerHost->setText(test::DemoServerFolder());
        login->txtSQLServerUser->setText("demo");
        login->txtSQLServerPassword->setText("demo");
        login->cboSQLServerDB->setEditText(model);
        return login;
    }
};

} // namespace

TEST_F(TargetLogin, ProfilesPresetTheDefaultAndLeaveTheSourceSettingsAlone)
{
    test::WriteFileBytes(ProfileFilePath(), "First|h1|u1|p1|m1|N|N\r\nTarget|" + test::DemoServerFolder().toUtf8()
                                                + "|tu|tp|SalesModel2026_Target|Y|Y\n<none>|h4|u4|p4|m4|N|N\r\n");
    g_bWindowsAuth = false;
    frmBKLTargetModelLogin login(&Window());
    EXPECT_EQ(login.windowTitle(), "Brisklane");
    EXPECT_EQ(login.cboModelProfiles->currentText(), "Target");
    EXPECT_EQ(login.txtSQLServerHost->text(), test::DemoServerFolder());
    EXPECT_EQ(login.cboSQLServerDB->currentText(), "SalesModel2026_Target");
    EXPECT_TRUE(login.chkWindowsAuth->isChecked() && !login.txtSQLServerUser->isEnabled());
    EXPECT_FALSE(g_bWindowsAuth);

    login.cboModelProfiles->setCurrentIndex(0);
    login.cboModelProfiles_Click();
    EXPECT_EQ(login.txtSQLServerHost->text(), "h1");
    EXPECT_TRUE(!login.chkWindowsAuth->isChecked() && login.txtSQLServerPassword->isEnabled());
    EXPECT_FALSE(g_bWindowsAuth);
    // Only the text "<None>" itself is no profile; a profile named "<none>" applies.
    login.cboModelProfiles->setCurrentIndex(2);
    login.cboModelProfiles_Click();
    EXPECT_EQ(login.txtSQLServerHost->text(), "h4");
}

TEST_F(TargetLogin, LowerCaseWindowsAuthFlagLeavesTheLoginToSqlServer)
{
    // A hand-edited default profile with "y" for Windows authentication: the login is not ticked, and the user
    // and password stay open for the SQL Server login; chosen from the list, "y" leaves the box as it was.
    test::WriteFileBytes(ProfileFilePath(), "Sql|hs|us|ps|ms|N|N\r\nHand|hh|uh|ph|mh|y|Y\r\nWin|hw|uw|pw|mw|Y|N\r\n");
    frmBKLTargetModelLogin login(&Window());
    const auto shown = [&login] {
        return QStringList{login.cboModelProfiles->currentText(), login.txtSQLServerUser->text(),
                           login.chkWindowsAuth->isChecked() ? "ticked" : "unticked",
                           login.txtSQLServerUser->isEnabled() && login.txtSQLServerPassword->isEnabled() ? "open" : "grey"}
            .join('|');
    };
    EXPECT_EQ(shown(), "Hand|uh|unticked|open");
    const auto choose = [&login](int index) {
        login.cboModelProfiles->setCurrentIndex(index);
        login.cboModelProfiles_Click();
    };
    choose(2);
    EXPECT_EQ(shown(), "Win|uw|ticked|grey");
    choose(1);
    EXPECT_EQ(shown(), "Hand|uh|ticked|grey");
    choose(0);
    choose(1);
    EXPECT_EQ(shown(), "Hand|uh|unticked|open");
}

TEST_F(TargetLogin, RefusesTheSourceModelAndAnEmptyModelName)
{
    auto login = OpenLogin(" SalesModel2026 ");
    login->cmdConnect_Click();
    EXPECT_FALSE(g_cnTarget.isOpen() || Window().m_cnTarget.isOpen());
    EXPECT_EQ(Window().lblTargetModel->text(), QString());
    login->cboSQLServerDB->setEditText("  ");
    login->cmdConnect_Click();
    EXPECT_EQ(BoxTexts(), QStringList({"Source and Target models cannot be the same !. Please re-select|16|Compare Objects",
                                       "Quellmar Model Name expected ! |64|Select Model"}));
}

TEST_F(TargetLogin, ConnectFillsTheCompareWindowAndAFailureKeepsThePreviousTarget)
{
    auto login = OpenLogin("SalesModel2026_Target");
    login->show();
    login->cmdConnect_Click();
    EXPECT_FALSE(login->isVisible());
    frmBKLCompareObjects& w = Window();
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_TRUE(g_cnTarget.isOpen() && w.m_cnTarget.sameAs(g_cnTarget));
    const QString host = test::DemoServerFolder();
    EXPECT_EQ(QStringList({w.lblTargetModel->text(), w.lblConnectionStatus->text(), w.lblModelName->text()}),
              QStringList({"SalesModel2026_Target@" + host, "Connection Status: Connected",
                           "Model Name: SalesModel2026_Target"}));
    EXPECT_EQ(LogMessages().filter("Connected to target model: "), QStringList{"Connected to target model: SalesModel2026_Target"});
    const db::Connection first = w.m_cnTarget;

    OpenLogin("NoSuchModel")->cmdConnect_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(BoxTexts()[0].startsWith("Unable to connect to target model database !\r\n\r\nDetails:\r\nNumber: "));
    EXPECT_TRUE(BoxTexts()[0].endsWith("|Connection Failed !"));
    EXPECT_TRUE(LogMessages().last().startsWith("Function: ConnectToTargetDataStoreSQLSERVER() --> Connection Failed ! Source: "));
    // The compare window still compares against the first target, which stays open.
    EXPECT_TRUE(w.m_cnTarget.sameAs(first) && w.m_cnTarget.isOpen() && !g_cnTarget.sameAs(first));
    EXPECT_EQ(w.lblTargetModel->text(), "SalesModel2026_Target@" + host);
}
