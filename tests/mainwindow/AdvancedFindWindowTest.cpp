#include "mainwindow/ui/frmCalculationsAdvancedFind.h"

#include "AuditTraceFixture.h"

#include "platform/db/Connection.h"
#include "platform/ui/RunGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
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
    w.txtValue->setText("account");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Commission Amount", "Quarterly Bonus"}));
    EXPECT_EQ(w.lblSearchResults->text(), "2 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'Title' - Value = 'account'");
    EXPECT_TRUE(w.cmdLoadResults->isEnabled());

    // Whole Word: one row per matching restriction value.
    w.chkWholeWordColumn->setChecked(true);
    w.txtValue->setText("A");
    w.cmdOk_Click();
    EXPECT_EQ(Hits(w.lvAdvancedFind), Calcs({"Commission Amount", "Commission Amount", "Quarterly Bonus"}));

    // No hit: the count 0, the criterion line, and nothing to load.
    w.txtColumn->setText("No Such Column");
    w.txtValue->clear();
    w.cmdOk_Click();
    EXPECT_TRUE(Hits(w.lvAdvancedFind).isEmpty());
    EXPECT_EQ(w.lblSearchResults->text(), "0 Objects(s) found");
    EXPECT_EQ(w.lblFilter->text(), "Filter: Column = 'No Such Column' - Value IS EMPTY");
    EXPECT_FALSE(w.cmdLoadResults->isEnabled());
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Advanced Find - Calculations end")).size(), 3);
}

TEST_F(AdvancedFindWindow, MatchCaseBoxesListOnlyNamesWithTheTypedLetterCase)
{
    OpenDemoModel();
    frmCalculationsAdvancedFind w;
    const auto search = [&](QLineEdit* box, const char* text, QCheckBox* matchCase) {
        box->setText(text);
        matchCase->setChecked(true);
        w.cmdOk_Click();
        return Hits(w.lvAdvancedFind);
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

    EXPECT_EQ(SearchStatements(), QStringList({kByCalculation + "CalendarUsed = 'FISCAL'"}));
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
    EXPECT_EQ(Hits(w.lvAdvancedFind), hits);

    // Yes closes the window.
    seams.boxes.answers = {bkl::mb::Yes};
    w.cmdLoadResults_Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Rows(), hits);
}
