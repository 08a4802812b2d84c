// The advanced search of calculations: each tab's statement and criterion line,
// and the window that runs them, rechecks Match Case and loads its hits.
#include "mainwindow/AdvancedFindStatement.h"
#include "mainwindow/ui/frmCalculationsAdvancedFind.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/RunGuard.h"
#include "shell/Globals.h"
#include "support/WindowTest.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace bkl::mainwindow;

namespace {

const QString kRestriction = QStringLiteral(
    "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation CAL, CalcConstraintTree CCT, "
    "CalcConstraintValue CCV WHERE CAL.CalculationID = CCT.CalculationID And CCV.ConstraintID = CCT.ConstraintID");
const QString kDependency = QStringLiteral(
    "SELECT DISTINCT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation C, CalculationColumnDependency CCD "
    "WHERE C.CalculationID = CCD.CalculationID");
const QString kByCalculation =
    QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE ");

NameCriterion Name(const char* text, bool wholeWord, bool matchCase) { return {QString::fromUtf8(text), wholeWord, matchCase}; }

// With Match Case the statement also lists the names it tests, for the recheck with letter case.
QString WithNames(QString sql, const char* columns)
{
    return sql.insert(sql.indexOf("ColType") + 7, QLatin1String(columns));
}
const char kColumnName[] = ", CCV.ColumnName AS MatchColumnName";

const char kInputTitle[] = "|64|Advanced Find - Calculations";

class AdvancedFindWindow : public bkl::test::WindowTest {
protected:
    QStringList SearchStatements() const { return statements.filter(QStringLiteral("AS ColName")); }
    QStringList Hits(const frmCalculationsAdvancedFind& w) const { return Rows(w.lvAdvancedFind); }
    static QStringList Calcs(QStringList names)
    {
        for (QString& n : names)
            n += QStringLiteral("|Calculation");
        return names;
    }
};

} // namespace

TEST(AdvancedFindStatement, RestrictionColumnValueAndCriterionLine)
{
    const QString value = QStringLiteral(" AND UPPER(CCV.Value)  LIKE '%191%'  ORDER BY ColName");
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", true, true), "191").sql,
              WithNames(kRestriction, kColumnName) + " AND CCV.ColumnName  = 'trxTypeCd' " + value);
    // Match Case alone: a contains-test with "%" on both sides.
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", false, true), "191").sql,
              WithNames(kRestriction, kColumnName) + " AND CCV.ColumnName  LIKE '%trxTypeCd%' " + value);
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", true, false), "191").sql,
              kRestriction + " AND UPPER(CCV.ColumnName)  = 'TRXTYPECD' " + value);
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", false, false), "191").sql,
              kRestriction + " AND UPPER(CCV.ColumnName)  LIKE '%TRXTYPECD%' " + value);
    // A blank value looks for restrictions without a value.
    const auto empty = RestrictionSearch(Name("trxTypeCd", false, false), "   ");
    EXPECT_EQ(empty.sql, kRestriction + " AND UPPER(CCV.ColumnName)  LIKE '%TRXTYPECD%'  AND CCV.Value IS NULL  ORDER BY ColName");
    EXPECT_EQ(empty.criterion, "Filter: Column = 'trxTypeCd' - Value IS EMPTY");

    // Typed texts reach the SQL with their blanks, ' doubled; the criterion line shows them trimmed as typed.
    const auto typed = RestrictionSearch(Name(" O'Col ", true, true), " it's_50% ");
    EXPECT_EQ(typed.sql, WithNames(kRestriction, kColumnName) + " AND CCV.ColumnName  = ' O''Col '  AND UPPER(CCV.Value)  LIKE '% IT''S_50% %'  ORDER BY ColName");
    EXPECT_EQ(typed.criterion, "Filter: Column = 'O'Col' - Value = 'it's_50%'");
}

TEST(AdvancedFindStatement, DependencyConditionsByTheirOwnBoxes)
{
    struct Case {
        bool wholeWord, matchCase;
        const char* table;
        const char* column;
    };
    const Case cases[] = {
        {true, true, " AND CCD.TableName = 'Sales' ", " AND CCD.ColumnName = 'Amount' "},
        // Match Case alone: no "%" added, the whole name must match.
        {false, true, " AND CCD.TableName LIKE 'Sales' ", " AND CCD.ColumnName LIKE 'Amount' "},
        {true, false, " AND UPPER(CCD.TableName)  = 'SALES' ", " AND UPPER(CCD.ColumnName)  = 'AMOUNT' "},
        {false, false, " AND UPPER(CCD.TableName)  LIKE '%SALES%' ", " AND UPPER(CCD.ColumnName)  LIKE '%AMOUNT%' "},
    };
    for (const Case& c : cases) {
        const NameCriterion table = Name("Sales", c.wholeWord, c.matchCase);
        const NameCriterion column = Name("Amount", c.wholeWord, c.matchCase);
        const NameCriterion none = Name("  ", !c.wholeWord, !c.matchCase);
        const char* tableName = c.matchCase ? ", CCD.TableName AS MatchTableName" : "";
        const char* columnName = c.matchCase ? ", CCD.ColumnName AS MatchColumnName" : "";
        EXPECT_EQ(DependencySearch(table, none).sql, WithNames(kDependency, tableName) + c.table + " ORDER BY ColName");
        EXPECT_EQ(DependencySearch(none, column).sql, WithNames(kDependency, columnName) + c.column + " ORDER BY ColName");
        EXPECT_EQ(DependencySearch(table, column).sql,
                  WithNames(kDependency, (QByteArray(tableName) + columnName).constData()) + c.table + c.column
                      + " ORDER BY ColName");
    }
    // Each name keeps its own boxes.
    EXPECT_EQ(DependencySearch(Name("Sales%", false, true), Name("amount", true, false)).sql,
              WithNames(kDependency, ", CCD.TableName AS MatchTableName")
                  + " AND CCD.TableName LIKE 'Sales%'  AND UPPER(CCD.ColumnName)  = 'AMOUNT'  ORDER BY ColName");
}

TEST(AdvancedFindStatement, DependencyCriterionLines)
{
    EXPECT_EQ(DependencySearch(Name(" Sales ", false, false), Name("", false, false)).criterion,
              "Filter: Table = 'Sales'");
    EXPECT_EQ(DependencySearch(Name(" ", true, true), Name(" Amount", false, false)).criterion,
              "Filter: Column = 'Amount'");
    EXPECT_EQ(DependencySearch(Name("O'Brien Accounts", false, false), Name("AccountID", false, false)).criterion,
              "Filter: Table = 'O'Brien Accounts' - Column = 'AccountID'");
    EXPECT_EQ(DependencySearch(Name("O'Brien Accounts", true, true), Name("", false, false)).sql,
              WithNames(kDependency, ", CCD.TableName AS MatchTableName") + " AND CCD.TableName = 'O''Brien Accounts'  ORDER BY ColName");
}

TEST(AdvancedFindStatement, CalendarAndTimeResetByStoredValues)
{
    const auto none = CalendarSearch(std::nullopt, "<<None>>");
    EXPECT_EQ(none.sql, kByCalculation + "CalendarUsed IS NULL");
    EXPECT_EQ(none.criterion, "Filter: Calendar Used - <<None>>");

    // The id as stored: a "-" in it and a quote are no trouble.
    const auto dashed = CalendarSearch(QStringLiteral("FY-26 O'B"), "FY-26 O'B - Fiscal");
    EXPECT_EQ(dashed.sql, kByCalculation + "CalendarUsed = 'FY-26 O''B'");
    EXPECT_EQ(dashed.criterion, "Filter: Calendar Used - FY-26 O'B - Fiscal");

    const auto levels = TimeResetSearch("Month", "Quarter", "Month/Quarter");
    EXPECT_EQ(levels.sql, kByCalculation + "TimeLevel = 'Month' AND ResetLevel = 'Quarter'");
    EXPECT_EQ(levels.criterion, "Filter: Time/Reset Level - Month/Quarter");
    EXPECT_EQ(TimeResetSearch("Half/Year", "Year's", "Half/Year/Year's").sql,
              kByCalculation + "TimeLevel = 'Half/Year' AND ResetLevel = 'Year''s'");
}


TEST_F(AdvancedFindWindow, RestrictionSearchListsAMatchPerValue)
{
    OpenModel();
    frmCalculationsAdvancedFind w;
    w.cmdOk_Click(); // no column name
    EXPECT_EQ(BoxTexts(), QStringList({QStringLiteral("Restriction/Constraint Column Name cannot be null !") + kInputTitle}));
    EXPECT_EQ(w.focusWidget(), w.txtColumn);
    EXPECT_TRUE(SearchStatements().isEmpty());
    EXPECT_EQ(LogMessages(), QStringList({"Advanced Find - Calculations begin..."}));

    w.txtColumn->setText("Title");
    w.txtValue->setText("account");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w), Calcs({"Commission Amount", "Quarterly Bonus"}));
    EXPECT_EQ(w.lblSearchResults->text(), "2 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'Title' - Value = 'account'");
    EXPECT_TRUE(w.cmdLoadResults->isEnabled());

    // Whole Word: one row per matching restriction value.
    w.chkWholeWordColumn->setChecked(true);
    w.txtValue->setText("A");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w), Calcs({"Commission Amount", "Commission Amount", "Quarterly Bonus"}));

    // No hit: the count 0, the criterion line, and nothing to load.
    w.txtColumn->setText("No Such Column");
    w.txtValue->clear();
    w.cmdOk_Click();
    EXPECT_TRUE(Hits(w).isEmpty());
    EXPECT_EQ(w.lblSearchResults->text(), "0 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'No Such Column' - Value IS EMPTY");
    EXPECT_FALSE(w.cmdLoadResults->isEnabled());
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Advanced Find - Calculations end")).size(), 3);
}

TEST_F(AdvancedFindWindow, MatchCaseBoxesListOnlyNamesWithTheTypedLetterCase)
{
    OpenModel();
    frmCalculationsAdvancedFind w;
    const auto search = [&](QLineEdit* box, const char* text, QCheckBox* matchCase) {
        box->setText(text);
        matchCase->setChecked(true);
        w.cmdOk_Click();
        return Hits(w);
    };
    w.txtValue->setText("account");
    EXPECT_EQ(search(w.txtColumn, "title", w.chkMatchCaseColumn), QStringList());
    EXPECT_EQ(search(w.txtColumn, "Tit", w.chkMatchCaseColumn), Calcs({"Commission Amount", "Quarterly Bonus"}));
    w.sstCalculations->setCurrentIndex(1);
    EXPECT_EQ(search(w.txtTableName, "salestransactions", w.chkTableMatchCase), QStringList());
    // A calculation depending on several columns of the table is listed once.
    EXPECT_EQ(search(w.txtTableName, "SalesTransactions", w.chkTableMatchCase),
              Calcs({"Commission Amount", "Product Mix", "Total Sales"}));
    EXPECT_EQ(search(w.txtTableColumnName, "amount", w.chkColumnMatchCase), QStringList());
    EXPECT_EQ(w.lblSearchResults->text(), "0 Objects(s) found");
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

    OpenModel();
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
    const QStringList hits = Hits(w);
    w.cmdLoadResults_Click(); // answered No: the window stays with its hits

    EXPECT_EQ(Rows(), hits);
    for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i)
        EXPECT_EQ(objects->lvObjects->topLevelItem(i)->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(objects->cmdGetDetails->isEnabled() && objects->cmdExport->isEnabled() && objects->cmdFind->isEnabled());
    EXPECT_TRUE(frame->mnuShowPreview->isEnabled() && frame->tblMainButton(3)->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled());
    EXPECT_EQ(objects->lblSearchResults->text(), "4 Objects(s) found");
    EXPECT_EQ(objects->lblFilter->text(), "Filter: Calendar Used - FISCAL - Fiscal Calendar");
    EXPECT_EQ(objects->lblLoadStatus->text(), "Loading Calculations...");
    EXPECT_EQ(BoxTexts(), QStringList({"Objects loaded in the main window. \r\n\r\nClose screen?|36|Brisklane"}));
    EXPECT_EQ(LogMessages().last(), "Load objects to main window end");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Hits(w), hits);

    // Into a list the user has sorted, the hits go in as one batch and then take their places.
    objects->lvObjects_ColumnClick(0); // NAME, descending
    bkl::SetPumpSliceMsForTesting(1000000);
    int insertions = 0;
    QObject::connect(objects->lvObjects->model(), &QAbstractItemModel::rowsInserted, objects,
                     [&insertions] { ++insertions; });
    w.cmdLoadResults_Click();
    EXPECT_EQ(insertions, 1);
    QStringList descending = hits;
    std::stable_sort(descending.begin(), descending.end(),
                     [](const QString& a, const QString& b) { return b.compare(a, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(Rows(), descending);
    EXPECT_TRUE(objects->lvObjects->isSortingEnabled());

    // Yes closes the window.
    seams.boxes.answers = {bkl::mb::Yes};
    w.cmdLoadResults_Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Rows(), descending);
}
