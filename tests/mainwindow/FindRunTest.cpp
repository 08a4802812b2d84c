#include "FrameFixture.h"

#include "shell/Globals.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using bkl::mainwindow::ObjectKind;

namespace {

const QStringList kSourceTables = {"CommissionRates", "GenTable0001", "GenTable0002", "GenTable0003", "GenTable0004",
                                   "GenTable0005",    "GenTable0006", "GenTable0007", "GenTable0008", "PayeeMaster",
                                   "ProductLookup",   "QuotaTargets", "RegionLookup", "SalesAdjustments",
                                   "SalesTransactions"};

QStringList WithType(const QStringList& names, const QString& type)
{
    QStringList rows;
    for (const QString& n : names)
        rows << n + QLatin1Char('|') + type;
    return rows;
}

// Runs `action` once, when the list gets its first row of the given type.
void OnFirstRowOfType(frmBKLMain* objects, const QString& type, std::function<void()> action)
{
    auto done = std::make_shared<bool>(false);
    QObject::connect(objects->lvObjects->model(), &QAbstractItemModel::rowsInserted, objects,
                     [objects, type, action, done](const QModelIndex&, int first, int) {
                         if (*done || objects->lvObjects->topLevelItem(first)->text(1) != type)
                             return;
                         *done = true;
                         action();
                     });
}

} // namespace

TEST_F(MainWindowFrame, FindAllKindsListsEachKindInOrder)
{
    OpenFrame();
    SelectKinds({ObjectKind::PresentorReports, ObjectKind::Tables, ObjectKind::Calendars, ObjectKind::Views,
                 ObjectKind::Calculations, ObjectKind::CompensationPlans, ObjectKind::TailoredReports});
    seams.boxes.answers = {bkl::mb::Yes};
    objects->cmdFind_Click();

    ASSERT_EQ(seams.boxes.shown.size(), 1u); // the load-all question, pinned by the text tests
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 15 + 5 + 3 + 41 + 4 + 3 + 4);
    EXPECT_EQ(rows.mid(0, 15), WithType(kSourceTables, "Table"));
    EXPECT_EQ(rows.mid(15, 5), WithType({"GenView0001", "GenView0002", "PayeeEarningsView", "QuotaAttainmentView",
                                         "RegionSalesView"},
                                        "View"));
    EXPECT_EQ(rows.mid(20, 3), WithType({"(FISCAL) Fiscal Calendar", "(RETAIL) Retail Calendar", "(STD) Standard Calendar"},
                                        "Calendar"));
    EXPECT_EQ(rows.mid(23, 41).filter("|Calculation").size(), 41);
    EXPECT_EQ(rows.mid(64, 4), WithType({"(AE2026) Account Executive Plan 2026", "(INT2026) International Plan 2026",
                                         "(NH2026) New Hire Plan 2026", "(SM2026) Sales Manager Plan 2026"},
                                        "Compensation Plan"));
    EXPECT_EQ(rows.mid(68, 3), WithType({"(TR01) Monthly Commission Statement", "(TR02) Quarterly Bonus Summary",
                                         "(TR03) Attainment Overview"},
                                        "Tailored Report"));
    EXPECT_EQ(rows.mid(71, 4),
              WithType({"Payee Statement", "Quota Tracker", "Region Summary", "Sales Dashboard"}, "Presentor Report"));

    EXPECT_EQ(objects->lblSearchResults->text(), "75 Object(s) found");
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <All Objects>");
    EXPECT_FALSE(objects->lblSearchResults->isHidden() || objects->lblFilter->isHidden());
    EXPECT_TRUE(objects->lblLoadStatus->isHidden());
    EXPECT_TRUE(objects->cmdFind->isEnabled() && objects->cmdGetDetails->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled());
    EXPECT_TRUE(frame->mnuExportObjects->isEnabled() && frame->tblMainButton(1)->isEnabled());
    EXPECT_EQ(LogMessages().filter("Find Objects").join(";"), "Find Objects begin...;Find Objects end");
}

TEST_F(MainWindowFrame, FindTextWithAQuoteFindsTheName)
{
    OpenFrame(QStringLiteral("EdgeCaseModel"));
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calculations, ObjectKind::PresentorReports});
    objects->txtFind->setText("O'Brien");
    objects->cmdFind_Click();
    EXPECT_EQ(Rows(), QStringList({"O'Brien Accounts|Table", "O'Brien View|View", "O'Brien Commission|Calculation",
                                   "O'Brien Report|Presentor Report"}));
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <Selected Objects>;Name contains \"O'Brien\"");
}

TEST_F(MainWindowFrame, MatchCaseListsOnlyNamesWithTheTypedLetterCase)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calculations, ObjectKind::CompensationPlans});
    const auto find = [this](const char* text, bool matchCase, bool wholeWord = false) {
        objects->txtFind->setText(text);
        objects->chkMatchCase->setChecked(matchCase);
        objects->chkWholeWord->setChecked(wholeWord);
        objects->cmdFind_Click();
        return Rows();
    };
    EXPECT_TRUE(find("sales", false).contains("Total Sales|Calculation"));
    EXPECT_EQ(find("sales", true), QStringList());
    EXPECT_EQ(objects->lblSearchResults->text(), "0 Object(s) found");
    EXPECT_EQ(find("[RT]%Sales", true), WithType({"_WR_Dashboard Sales", "Region Sales", "Team Sales Rollup",
                                                  "Total Sales", "Year To Date Sales"},
                                                 "Calculation"));
    EXPECT_EQ(find("Sales M", true, false), QStringList({"(SM2026) Sales Manager Plan 2026|Compensation Plan"}));
    EXPECT_EQ(find("total sales", true, true), QStringList());
}

TEST_F(MainWindowFrame, NoKindSelectedShowsTheExclamationBoxAndChangesNothing)
{
    OpenFrame();
    SelectKinds({ObjectKind::Views});
    objects->txtFind->setText("View");
    objects->cmdFind_Click();
    const QStringList before = Rows();
    ASSERT_EQ(before.size(), 5);

    SelectKinds({});
    objects->txtFind->setText("Sales");
    objects->cmdFind_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, "Atleast one object type must be selected !");
    EXPECT_EQ(seams.boxes.shown[0].style, 48);
    EXPECT_EQ(seams.boxes.shown[0].title, "Load Objects");
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(objects->lblSearchResults->text(), "5 Object(s) found");
    EXPECT_EQ(LogMessages().filter("Find Objects begin").size(), 1);

    // Enter in the find text starts a find as the Find button does.
    QTest::keyClick(objects->txtFind, Qt::Key_Return);
    EXPECT_EQ(seams.boxes.shown.size(), 2u);
}

TEST_F(MainWindowFrame, BlankTextAsksBeforeLoadingAllAndNoChangesNothing)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calendars});
    objects->txtFind->setText("   ");
    objects->cmdFind_Click(); // unanswered: the default No
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.contains("\r\n\r\n* Tables\r\n* Calendars\r\n\r\n"));
    EXPECT_EQ(seams.boxes.shown[0].style, bkl::mb::YesNo | bkl::mb::Question | bkl::mb::DefaultButton2);
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(objects->lblFilter->isHidden());
    EXPECT_TRUE(LogMessages().filter("Find Objects").isEmpty());

    seams.boxes.answers = {bkl::mb::Yes};
    objects->cmdFind_Click();
    EXPECT_EQ(Rows(), WithType(kSourceTables, "Table") +
                          WithType({"(FISCAL) Fiscal Calendar", "(RETAIL) Retail Calendar", "(STD) Standard Calendar"},
                                   "Calendar"));
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <Selected Objects>");
}

TEST_F(MainWindowFrame, StopKeepsTheRowsReadAndQueriesNoLaterKind)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars, ObjectKind::Calculations});
    seams.boxes.answers = {bkl::mb::Yes};
    bool runningAtStop = false;
    OnFirstRowOfType(objects, "Calendar", [&] {
        runningAtStop = objects->FindRunning() && objects->cmdStop->isEnabled() && !objects->cmdFind->isEnabled();
        EXPECT_EQ(objects->lblLoadStatus->text(), "Loading Calendars...");
        QTest::mouseClick(objects->cmdStop, Qt::LeftButton);
        EXPECT_FALSE(objects->cmdStop->isEnabled());
        EXPECT_FALSE(objects->cmdFind->isEnabled());
    });
    objects->cmdFind_Click();

    EXPECT_TRUE(runningAtStop);
    const QStringList rows = Rows();
    EXPECT_EQ(rows.size(), 15 + 5 + 1);
    EXPECT_EQ(rows.last(), "(FISCAL) Fiscal Calendar|Calendar");
    EXPECT_TRUE(rows.filter("|Calculation").isEmpty());
    EXPECT_EQ(objects->lblSearchResults->text(), "21 Object(s) found");
    EXPECT_TRUE(objects->cmdFind->isEnabled() && objects->cmdGetDetails->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled() || objects->m_bStopFind || objects->FindRunning());
}

TEST_F(MainWindowFrame, CommandsThatWouldEndTheWindowsAreRefusedWhileFindRuns)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calculations});
    seams.boxes.answers = {bkl::mb::Yes};
    OnFirstRowOfType(objects, "Table", [&] {
        frame->mnuSwitchModel->trigger();
        frame->tblMainButton(5)->trigger();
        frame->mnuQuit->trigger();
        frame->close();
        // The action group is off while the run goes on.
        EXPECT_FALSE(frame->mnuShowPreview->isEnabled());
        EXPECT_FALSE(frame->mnuCompareObjects->isEnabled());
        EXPECT_FALSE(frame->tblMainButton(7)->isEnabled());
    });
    objects->cmdFind_Click();

    EXPECT_EQ(Rows().size(), 15 + 41);
    EXPECT_EQ(frmMDIBKLMain::current(), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(g_cnModel.isOpen());
    EXPECT_EQ(programEnds, 0);
    EXPECT_FALSE(LogMessages().contains("Launch Switch Model"));
    EXPECT_TRUE(LogMessages().filter("Exiting").isEmpty());

    // Once the run has ended Switch Model goes ahead.
    frame->mnuSwitchModel->trigger();
    EXPECT_TRUE(LogMessages().contains("Launch Switch Model"));
}

TEST_F(MainWindowFrame, DatabaseErrorEndsTheFindInOrderKeepingItsRows)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars});
    seams.boxes.answers = {bkl::mb::Yes};
    // The connection goes away while views are listed: the calendars cannot be read.
    OnFirstRowOfType(objects, "View", [] { g_cnModel = bkl::db::Connection(); });
    objects->cmdFind_Click();

    EXPECT_EQ(Rows().size(), 15 + 5);
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].style, bkl::mb::Critical);
    EXPECT_EQ(seams.boxes.shown[1].title, "SalesModel2026");
    const QStringList errors = LogLines().filter("|ERROR|");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("|ERROR|Function: cmdFind_Click() --> Code: "));
    EXPECT_EQ(LogMessages().filter("Find Objects").join(";"), "Find Objects begin...;Find Objects end");
    EXPECT_EQ(objects->lblSearchResults->text(), "20 Object(s) found");
    EXPECT_TRUE(objects->cmdFind->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled() || objects->FindRunning());
}
