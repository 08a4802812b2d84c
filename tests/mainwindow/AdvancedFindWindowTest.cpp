#include "mainwindow/ui/frmCalculationsAdvancedFind.h"

#include "AuditTraceFixture.h"

#include "platform/db/Connection.h"
#include "platform/ui/RunGuard.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kByCalculation =
    QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE ");
const char kInputTitle[] = "|64|Advanced Find - Calculations";

class AdvancedFindWindow : public AuditTraceFixture {
protected:
    QStringList SearchStatements() const { return statements.filter(QStringLiteral("AS ColName")); }
    static QStringList Hits(const QTreeWidget* list)
    {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
        return rows;
    }
    static QStringList Calcs(QStringList names)
    {
        for (QString& n : names)
            n += QStringLiteral("|Calculation");
        return names;
    }
};

} // namespace

TEST_F(AdvancedFindWindow, OpensOnTheFirstTabWithTheListsFilled)
{
    OpenDemoModel();
    frmCalculationsAdvancedFind w;
    EXPECT_EQ(w.windowTitle(), " Advanced Find - Calculations");
    EXPECT_EQ(w.sstCalculations->currentIndex(), 0);
    EXPECT_EQ(w.sstCalculations->tabText(0), "Find Calculations By Restriction/Constraints");
    EXPECT_EQ(w.sstCalculations->tabText(1), "Find Calculations Dependent on Table and/or Column");
    EXPECT_EQ(w.sstCalculations->tabText(2), "Find Calculations - Miscellaneous");
    EXPECT_TRUE(w.lblLoadStatus->isHidden() && w.lblSearchResults->isHidden() && w.lblFilter->isHidden());
    EXPECT_FALSE(w.cmdLoadResults->isEnabled());
    EXPECT_TRUE(w.cmdOk->isDefault());
    EXPECT_EQ(w.cmdOk->toolTip(), "Find Calculations");
    EXPECT_TRUE(w.optCalendarUsed->isChecked());
    EXPECT_FALSE(w.cboCalendarUsed->isEditable() || w.cboTimeReset->isEditable());

    QStringList calendars = Items(w.cboCalendarUsed);
    ASSERT_EQ(calendars.size(), 4);
    EXPECT_EQ(calendars.takeFirst(), "<<None>>");
    calendars.sort();
    EXPECT_EQ(calendars, QStringList({"FISCAL - Fiscal Calendar", "RETAIL - Retail Calendar", "STD - Standard Calendar"}));
    EXPECT_EQ(w.cboCalendarUsed->currentIndex(), 0);
    EXPECT_FALSE(w.cboCalendarUsed->currentData().isValid());
    EXPECT_EQ(w.cboCalendarUsed->itemData(w.cboCalendarUsed->findText("STD - Standard Calendar")).toString(), "STD");

    QStringList pairs = Items(w.cboTimeReset);
    pairs.sort();
    EXPECT_EQ(pairs, QStringList({"Month/Quarter", "Month/Year", "Quarter/Year"}));
    EXPECT_EQ(w.cboTimeReset->currentIndex(), 0);
    EXPECT_EQ(w.cboTimeReset->itemData(w.cboTimeReset->findText("Month/Quarter")).toStringList(),
              QStringList({"Month", "Quarter"}));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(AdvancedFindWindow, RestrictionSearchListsAMatchPerValue)
{
    OpenDemoModel();
    frmCalculationsAdvancedFind w;
    w.cmdOk_Click(); // no column name
    EXPECT_EQ(BoxTexts(), QStringList({QStringLiteral("Restriction/Constraint Column Name cannot be null !") + kInputTitle}));
    EXPECT_EQ(w.focusWidget(), w.txtColumn);
    EXPECT_TRUE(SearchStatements().isEmpty());
    EXPECT_EQ(LogMessages(), QStringList({"Advanced Find - Calculations begin..."}));

    w.txtColumn->setText("Title");
    w.txtValue->setText(" account");
    w.cmdOk_Click(); // the blank stays in the pattern: no value has " ACCOUNT"
    EXPECT_TRUE(Hits(w.lvAdvancedFind).isEmpty());
    w.txtValue->setText("account");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Commission Amount", "Quarterly Bonus"}));
    EXPECT_EQ(w.lblSearchResults->text(), "2 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'Title' - Value = 'account'");
    EXPECT_TRUE(w.lblLoadStatus->isHidden());
    EXPECT_FALSE(w.lblSearchResults->isHidden() || w.lblFilter->isHidden());
    EXPECT_EQ(w.lblLoadStatus->text(), "Loading Calculations...");
    EXPECT_TRUE(w.cmdLoadResults->isEnabled());

    // Whole Word: one row per matching restriction value.
    w.chkWholeWordColumn->setChecked(true);
    w.txtValue->setText("A");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Commission Amount", "Commission Amount", "Quarterly Bonus"}));

    // A column whose restrictions have no value.
    w.chkMatchCaseColumn->setChecked(true);
    w.txtColumn->setText("TerminationDate");
    w.txtValue->clear();
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Commission Amount"}));
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'TerminationDate' - Value IS EMPTY");
    EXPECT_EQ(SearchStatements().last(),
              "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation CAL, CalcConstraintTree CCT, "
              "CalcConstraintValue CCV WHERE CAL.CalculationID = CCT.CalculationID And CCV.ConstraintID = "
              "CCT.ConstraintID AND CCV.ColumnName  = 'TerminationDate'  AND CCV.Value IS NULL  ORDER BY ColName");

    // No hit: the count 0, the criterion line, and nothing to load.
    w.txtColumn->setText("No Such Column");
    w.cmdOk_Click();
    EXPECT_TRUE(Hits(w.lvAdvancedFind).isEmpty());
    EXPECT_EQ(w.lblSearchResults->text(), "0 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'No Such Column' - Value IS EMPTY");
    EXPECT_FALSE(w.cmdLoadResults->isEnabled());
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Advanced Find - Calculations end")).size(), 5);
}

TEST_F(AdvancedFindWindow, DependencySearchByTableAndOrColumn)
{
    OpenDemoModel();
    frmCalculationsAdvancedFind w;
    w.sstCalculations->setCurrentIndex(1);
    w.txtTableName->setText("  ");
    w.cmdOk_Click();
    EXPECT_EQ(BoxTexts(), QStringList({QStringLiteral("Both Table Name and Column cannot be null !") + kInputTitle}));
    EXPECT_EQ(w.focusWidget(), w.txtTableName);

    // Match Case alone matches the whole name only.
    w.txtTableName->setText("SalesTransactions");
    w.chkTableMatchCase->setChecked(true);
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Commission Amount", "Product Mix", "Total Sales"}));
    EXPECT_EQ(w.lblFilter->text(), "Filter: Table = 'SalesTransactions'");
    w.txtTableName->setText("Sales");
    w.cmdOk_Click();
    EXPECT_TRUE(Hits(w.lvAdvancedFind).isEmpty());

    // A column alone: the table's boxes do not matter.
    w.txtTableName->clear();
    w.txtTableColumnName->setText("rate");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Accelerator Rate", "Commission Amount"}));
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'rate'");
    EXPECT_EQ(SearchStatements().last(),
              "SELECT DISTINCT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation C, "
              "CalculationColumnDependency CCD WHERE C.CalculationID = CCD.CalculationID AND UPPER(CCD.ColumnName)  "
              "LIKE '%RATE%'  ORDER BY ColName");
}

TEST_F(AdvancedFindWindow, CalendarAndTimeResetSearchesUseTheStoredValues)
{
    OpenDemoModel();
    frmCalculationsAdvancedFind w;
    w.sstCalculations->setCurrentIndex(2);
    w.cmdOk_Click(); // <<None>>
    EXPECT_EQ(w.lvAdvancedFind->topLevelItemCount(), 11);
    EXPECT_EQ(w.lblFilter->text(), "Filter: Calendar Used - <<None>>");

    w.cboCalendarUsed->setCurrentIndex(w.cboCalendarUsed->findText("FISCAL - Fiscal Calendar"));
    w.cmdOk_Click();
    QStringList hits = Hits(w.lvAdvancedFind);
    hits.sort();
    EXPECT_EQ(hits, Calcs({"Attainment Rank", "Commission Amount", "Quarterly Bonus", "Quota Attainment"}));
    EXPECT_EQ(w.lblSearchResults->text(), "4 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Calendar Used - FISCAL - Fiscal Calendar");

    w.optTimeReset->setChecked(true);
    w.cboTimeReset->setCurrentIndex(w.cboTimeReset->findText("Month/Quarter"));
    w.cmdOk_Click();
    EXPECT_EQ(w.lvAdvancedFind->topLevelItemCount(), 9);
    EXPECT_EQ(w.lblFilter->text(), "Filter: Time/Reset Level - Month/Quarter");
    EXPECT_EQ(SearchStatements(), QStringList({kByCalculation + "CalendarUsed IS NULL",
                                               kByCalculation + "CalendarUsed = 'FISCAL'",
                                               kByCalculation + "TimeLevel = 'Month' AND ResetLevel = 'Quarter'"}));
    EXPECT_TRUE(seams.boxes.shown.empty());
}

TEST_F(AdvancedFindWindow, NoTimeResetPairGivesAMessage)
{
    OpenDemoModel(QStringLiteral("SalesArchive2025"));
    frmCalculationsAdvancedFind w;
    EXPECT_EQ(w.cboTimeReset->count(), 0);
    EXPECT_EQ(Items(w.cboCalendarUsed), QStringList({"<<None>>"}));
    w.sstCalculations->setCurrentIndex(2);
    w.optTimeReset->setChecked(true);
    w.cmdOk_Click();
    EXPECT_EQ(BoxTexts(), QStringList({QStringLiteral("No calculation has Time/Reset Levels !") + kInputTitle}));
    EXPECT_EQ(w.focusWidget(), w.cboTimeReset);
    EXPECT_TRUE(SearchStatements().isEmpty());

    w.optCalendarUsed->setChecked(true);
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Archived Total"}));
}

TEST_F(AdvancedFindWindow, FailuresAreLoggedAndShown)
{
    g_cnModel = bkl::db::Connection(); // never opened
    {
        frmCalculationsAdvancedFind w;
        EXPECT_EQ(Items(w.cboCalendarUsed), QStringList({"<<None>>"}));
        EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: FillCalendarAndTimeResetLists() --> Code: 3704")).size(), 1);
        ASSERT_EQ(seams.boxes.shown.size(), 1u);
        EXPECT_EQ(seams.boxes.shown[0].style, bkl::mb::Critical);
        EXPECT_EQ(seams.boxes.shown[0].title, " Advanced Find - Calculations");
    }

    OpenDemoModel();
    frmCalculationsAdvancedFind w;
    w.txtColumn->setText("TerminationDate");
    w.cmdOk_Click();
    ASSERT_GT(w.lvAdvancedFind->topLevelItemCount(), 0);
    g_cnModel.close();
    w.cmdOk_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(seams.boxes.shown[1].prompt.startsWith(QStringLiteral("Run-time error '3704':\r\n\r\n")));
    EXPECT_EQ(seams.boxes.shown[1].style, bkl::mb::Critical);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: cmdOk_Click() --> Code: 3704")).size(), 1);
    EXPECT_EQ(LogMessages().last(), "Advanced Find - Calculations end");
    EXPECT_EQ(w.lblSearchResults->text(), "0 Objects(s) found");
    EXPECT_FALSE(w.cmdLoadResults->isEnabled());
    EXPECT_TRUE(w.cmdOk->isEnabled() && w.cmdClose->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(AdvancedFindWindow, NothingRunsOrClosesWhileAFindRuns)
{
    OpenFrame();
    frmCalculationsAdvancedFind w;
    w.show();
    w.txtColumn->setText("Title");
    w.cmdOk_Click();
    objects->lvObjects->clear();
    {
        bkl::RunGuard findRun;
        w.txtColumn->setText("Amount");
        w.cmdOk_Click();
        w.cmdLoadResults_Click();
        w.cmdClose_Click();
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_EQ(SearchStatements().size(), 1);
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'Title' - Value IS EMPTY");
    EXPECT_EQ(objects->lvObjects->topLevelItemCount(), 0);
    EXPECT_TRUE(seams.boxes.shown.empty());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(AdvancedFindWindow, LoadReplacesTheObjectListAndEnablesTheActionGroup)
{
    OpenFrame();
    objects->AddObjectRow("Old Row", "Table");
    objects->SetActionGroup(false, false);
    objects->cmdFind->setEnabled(false);
    objects->cmdStop->setEnabled(true);

    frmCalculationsAdvancedFind w(frame);
    w.show();
    w.sstCalculations->setCurrentIndex(2);
    w.cboCalendarUsed->setCurrentIndex(w.cboCalendarUsed->findText("FISCAL - Fiscal Calendar"));
    w.cmdOk_Click();
    const QStringList hits = Hits(w.lvAdvancedFind);
    w.cmdLoadResults_Click(); // answered No: the window stays with its hits

    EXPECT_EQ(Rows(), hits);
    for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i)
        EXPECT_EQ(objects->lvObjects->topLevelItem(i)->checkState(0), Qt::Unchecked);
    for (QWidget* b : {objects->cmdGetDetails, objects->cmdExport, objects->cmdCompare, objects->cmdFind})
        EXPECT_TRUE(b->isEnabled());
    for (QAction* a : {frame->mnuShowPreview, frame->mnuExportObjects, frame->mnuCompareObjects,
                       frame->tblMainButton(1), frame->tblMainButton(3), frame->tblMainButton(7)})
        EXPECT_TRUE(a->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled());
    EXPECT_FALSE(objects->lblSearchResults->isHidden() || objects->lblFilter->isHidden());
    EXPECT_EQ(objects->lblSearchResults->text(), "4 Objects(s) found");
    EXPECT_EQ(objects->lblFilter->text(), "Filter: Calendar Used - FISCAL - Fiscal Calendar");
    EXPECT_EQ(objects->lblLoadStatus->text(), "Loading Calculations...");
    EXPECT_EQ(BoxTexts(), QStringList({"Objects loaded in the main window. \r\n\r\nClose screen?|36|Brisklane"}));
    EXPECT_EQ(LogMessages().last(), "Load objects to main window end");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Hits(w.lvAdvancedFind), hits);

    // Yes closes the window.
    seams.boxes.answers = {bkl::mb::Yes};
    w.cmdLoadResults_Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Rows(), hits);
}

TEST_F(AdvancedFindWindow, TheFrameOpensItModalFromMenuToolbarAndButtonMenu)
{
    OpenFrame();
    QStringList opened;
    auto closeWhenOpen = [&opened] {
        QTimer::singleShot(0, [&opened] {
            if (auto* w = qobject_cast<frmCalculationsAdvancedFind*>(QApplication::activeModalWidget())) {
                opened << w->windowTitle();
                QTest::keyClick(w, Qt::Key_Escape);
            }
        });
    };
    closeWhenOpen();
    frame->mnuAdvancedFindCalculations->trigger();
    closeWhenOpen();
    frame->tblMainButton(2)->trigger();
    closeWhenOpen();
    frame->mnuSubAdvancedFindCalculations->trigger();
    EXPECT_EQ(opened, QStringList(3, " Advanced Find - Calculations"));
}
