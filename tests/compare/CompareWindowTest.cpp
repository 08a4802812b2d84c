// The compare window: the section tree, the source list (by kind and from an
// object-list file), the compare list, closing and what survives a close; the
// hand-off from the object list; and the target-model login.
#include "CompareWindowFixture.h"

#include "compare/TargetLogin.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "platform/ui/RunGuard.h"
#include "reports/DetailSectionFlags.h"
#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "support/FileBytes.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>

using namespace bkl;

namespace {

class CompareWindow : public CompareWindowFixture {
protected:
    // One critical box and one ERROR line for a failed load, and the window idle again.
    void ExpectLoadFailureReported()
    {
        ASSERT_EQ(seams.boxes.shown.size(), 1u);
        EXPECT_TRUE(seams.boxes.shown[0].prompt.startsWith(QStringLiteral("Run-time error '")));
        EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
        EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Compare Objects"));
        EXPECT_TRUE(LogMessages().last().startsWith(QStringLiteral("Function: cmdLoadObjects_Click() --> Code: ")));
        const frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
        EXPECT_TRUE(w.cmdLoadObjects->isEnabled());
        EXPECT_FALSE(w.cmdStop->isEnabled());
        EXPECT_FALSE(w.LoadRunning());
    }
};

} // namespace

TEST_F(CompareWindow, CompareTreeSetsTheFlagsOfItsLeavesOnly)
{
    frmBKLCompareObjects& w = Window();
    g_bPlanID = true;
    g_bTailoredCalculations = true;
    // No propagation: unchecking the root "Table" changes only that box.
    w.tvCompare->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(w.tvCompare->topLevelItem(0)->child(0)->checkState(0), Qt::Checked);
    w.tvCompare->topLevelItem(1)->child(0)->setCheckState(0, Qt::Unchecked);  // View / Columns
    w.tvCompare->topLevelItem(3)->child(6)->setCheckState(0, Qt::Unchecked);  // Calculation / Calendar
    w.SetCompareAttributeFlags();
    EXPECT_TRUE(g_bTableType && g_bTableRecordCount && g_bTableColumns);
    EXPECT_FALSE(g_bViewColumns);
    EXPECT_TRUE(g_bViewDependentObjects);
    EXPECT_TRUE(g_bCalendarTimeHierarchy);
    EXPECT_FALSE(g_bCalcCalendar);
    EXPECT_TRUE(g_bCalcFolder && g_bPresentorLinkedReports);
    EXPECT_FALSE(g_bPlanID || g_bPlanPayeeGroup || g_bPlanComments || g_bPlanCalculations);
    EXPECT_FALSE(g_bTailoredReportID || g_bTailoredPayeeGroup || g_bTailoredCalculations);
}

TEST_F(CompareWindow, LoadObjectsByKindFromTheSourceModel)
{
    frmBKLCompareObjects& w = Window();
    w.cmdLoadObjects_Click(); // "<None>": nothing happens
    EXPECT_TRUE(Rows(w.lvObjects).isEmpty());

    LoadKind(QStringLiteral("Calendars"));
    EXPECT_EQ(Rows(w.lvObjects), (QStringList{"(FISCAL) Fiscal Calendar|Calendar", "(RETAIL) Retail Calendar|Calendar",
                                              "(STD) Standard Calendar|Calendar"}));
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 3"));

    // A new load replaces the list and empties the search box.
    w.txtSearch->setText(QStringLiteral("fis"));
    LoadKind(QStringLiteral("Tables"));
    EXPECT_EQ(w.txtSearch->text(), QString());
    EXPECT_EQ(Rows(w.lvObjects).value(0), QStringLiteral("CommissionRates|Table"));
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 15"));

    // A failed listing query is reported and the window is idle again.
    g_cnModel = db::Connection(); // released, as Switch Model leaves it
    LoadKind(QStringLiteral("Tables"));
    ExpectLoadFailureReported();
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 0"));
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
    LoadKind(QStringLiteral("<< Load Objects from file >>"));
    stopper.stop();
    // The rows gathered before that turn were listed, with their count as progress; none after it.
    const int listed = w.lvObjects->topLevelItemCount();
    EXPECT_GT(listed, 0);
    EXPECT_LT(listed, 200000);
    EXPECT_EQ(countAtStop, QStringLiteral("Count: %1").arg(listed));
    EXPECT_EQ(w.lblObjectCount->text(), countAtStop);
    EXPECT_EQ(Rows(w.lvObjects).first(), QStringLiteral("Calc 0|Calculation"));
    EXPECT_EQ(Rows(w.lvObjects).last(), QStringLiteral("Calc %1|Calculation").arg(listed - 1));
    EXPECT_TRUE(w.cmdLoadObjects->isEnabled());
    EXPECT_FALSE(w.cmdStop->isEnabled());
    EXPECT_FALSE(w.m_bStopLoad);
    EXPECT_FALSE(w.LoadRunning());
    EXPECT_TRUE(seams.boxes.shown.empty());
}

TEST_F(CompareWindow, LoadObjectsFromAFile)
{
    const QString path = test::TestHome() + QStringLiteral("/objects.txt");
    // CR LF, a blank line, blanks kept, LF alone, CR alone; no line after the last line end.
    test::WriteFileBytes(path, "Total Sales\r\n\r\n  Commission Amount  \nQuarterly Bonus\rNo Such Calc\r\n");
    frmBKLCompareObjects& w = Window();
    seams.dialogs.answers.push_back(path);
    LoadKind(QStringLiteral("<< Load Objects from file >>"));
    EXPECT_EQ(seams.dialogs.titles, QStringList{QStringLiteral("Open Quellmar Objects file ...")});
    EXPECT_EQ(Rows(w.lvObjects), (QStringList{"Total Sales|Calculation", "|Calculation",
                                              "  Commission Amount  |Calculation", "Quarterly Bonus|Calculation",
                                              "No Such Calc|Calculation"}));
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 5"));

    // Cancelled: the list was cleared and stays empty. The dialog shows the
    // normal pointer, not the load's hourglass.
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
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 0"));
    EXPECT_TRUE(seams.boxes.shown.empty());

    // A file that cannot be read: an ERROR line and a critical box, and the window is idle again.
    seams.dialogs.answers.push_back(test::TestHome() + QStringLiteral("/missing.txt"));
    w.cmdLoadObjects_Click();
    ExpectLoadFailureReported();
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 0"));

    // Binary content is refused before any row is listed.
    test::WriteFileBytes(path, "PK\x03\x04\x14\0\x08\0"_qba);
    seams.dialogs.answers.push_back(path);
    seams.boxes.shown.clear();
    w.cmdLoadObjects_Click();
    ExpectLoadFailureReported();
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("Run-time error '321':\r\n\r\n") + path
                                               + QStringLiteral(" holds binary content (NUL characters), not text, "
                                                                "and is not read"));
    EXPECT_TRUE(Rows(w.lvObjects).isEmpty());
}

TEST_F(CompareWindow, AddAddAllRemoveAndRemoveAll)
{
    frmBKLCompareObjects& w = Window();
    w.AddSourceRow(QStringLiteral(" T1 "), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("T1"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("t1"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("V1"), QStringLiteral("View"));
    w.lvObjects->topLevelItem(0)->setSelected(true);
    w.lvObjects->topLevelItem(1)->setSelected(true);
    w.cmdAdd_Click();
    w.cmdAdd_Click();
    EXPECT_EQ(Rows(w.lvCompare), QStringList{QStringLiteral("T1|Table|Not Started")});
    EXPECT_EQ(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(0)),
              QStringLiteral("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' "
                             "width='100%'  cellspacing='0' cellpadding='0'><tr ><td colspan='3'><b><font  "
                             "face='Calibri' size='2'>** Compare Status: Not Started</font></b></td></tr></table>"));

    w.cmdAddAll_Click();
    EXPECT_EQ(Rows(w.lvCompare), (QStringList{"T1|Table|Not Started", "t1|Table|Not Started", "V1|View|Not Started"}));
    EXPECT_EQ(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(2)), QString());
    EXPECT_EQ(w.lblCompareCount->text(), QStringLiteral("Count: 3"));

    // Removing the first selects the new first; removing the last selects the one before.
    w.lvCompare->topLevelItem(0)->setSelected(true);
    w.cmdRemove_Click();
    EXPECT_EQ(Rows(w.lvCompare), (QStringList{"t1|Table|Not Started", "V1|View|Not Started"}));
    EXPECT_EQ(w.lvCompare->selectedItems().value(0), w.lvCompare->topLevelItem(0));

    w.m_sDetailedSummary = QStringLiteral("kept");
    w.cmdRemoveAll_Click();
    EXPECT_TRUE(Rows(w.lvCompare).isEmpty());
    EXPECT_EQ(w.lblCompareCount->text(), QStringLiteral("Count: 0"));
    EXPECT_EQ(w.m_sDetailedSummary, QStringLiteral("kept"));
}

TEST_F(CompareWindow, CloseAndEscUnloadButMembersSurvive)
{
    frmBKLCompareObjects& w = Window();
    w.ShowModeless();
    w.AddSourceRow(QStringLiteral("T1"), QStringLiteral("Table"));
    w.cmdAddAll_Click();
    w.tvCompare->topLevelItem(0)->child(0)->setCheckState(0, Qt::Unchecked);
    w.m_sDetailedSummary = QStringLiteral("<p>last run</p><br>");
    ConnectTarget();
    const db::Connection target = w.m_cnTarget;
    w.lvObjects_ColumnClick(0);

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Exiting ")), QStringList{QStringLiteral("Exiting Compare Objects")});

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
    EXPECT_EQ(w.m_sDetailedSummary, QStringLiteral("<p>last run</p><br>"));
    EXPECT_TRUE(w.m_cnTarget.sameAs(target));
    EXPECT_EQ(w.m_iSortOrder, 1);

    w.cmdClose_Click();
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Exiting ")).size(), 2);
}

namespace {

class CompareWindowHandOff : public CompareWindowFixture {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
    }
    void AddRow(const QString& name, const QString& type, bool checked)
    {
        objects->AddObjectRow(name, type)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
};

} // namespace

TEST_F(CompareWindowHandOff, ButtonOpensTheWindowModalWithTheCheckedRows)
{
    AddRow(QStringLiteral("  T1 "), QStringLiteral(" Table "), true);
    AddRow(QStringLiteral("V1"), QStringLiteral("View"), false);
    AddRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"), true);
    AddRow(QStringLiteral("Odd"), QStringLiteral("Something Else"), true);
    bool modal = false;
    QStringList rows;
    QString count;
    WithModal([&] { objects->cmdCompare_Click(); },
              [&](QWidget* shown) {
                  auto* w = qobject_cast<frmBKLCompareObjects*>(shown);
                  ASSERT_NE(w, nullptr);
                  modal = w->isModal() || w->testAttribute(Qt::WA_ShowModal);
                  rows = Rows(w->lvObjects);
                  count = w->lblObjectCount->text();
                  QTest::keyClick(w, Qt::Key_Escape);
              });
    EXPECT_TRUE(modal);
    EXPECT_EQ(rows, (QStringList{"T1|Table", "(AE2026) Account Executive Plan 2026|Compensation Plan",
                                 "Odd|Something Else"}));
    EXPECT_EQ(count, QStringLiteral("Count: 3"));
    EXPECT_FALSE(frmBKLCompareObjects::instance().isVisible());
}

TEST_F(CompareWindowHandOff, FrameCommandOpensItModelessAndAppends)
{
    AddRow(QStringLiteral("T1"), QStringLiteral("Table"), true);
    AddRow(QStringLiteral("Total Sales"), QStringLiteral("Calculation"), true);
    frame->mnuCompareObjects_Click();
    frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Used again while the window stays open: the rows are there twice.
    frame->mnuSubCompareSelectedObjects_Click();
    EXPECT_EQ(Rows(w.lvObjects), (QStringList{"T1|Table", "Total Sales|Calculation", "T1|Table",
                                              "Total Sales|Calculation"}));
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 4"));
    // The object-list window's button brings the open window to the front instead of a second showing.
    objects->cmdCompare_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 6);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Launch Screen: ")).size(), 1);

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
    void SetUp() override
    {
        CompareWindowFixture::SetUp();
        QFile::remove(ProfileFilePath());
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
