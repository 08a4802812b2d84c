// The preview and summary runs driven through the real frame and object-list
// windows on the demo model, with a recording browser and scripted boxes.
#include "mainwindow/ui/SummaryChart.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/RunGuard.h"
#include "shell/Globals.h"
#include "mainwindow/FindStatement.h"
#include "mainwindow/ObjectKinds.h"
#include "platform/db/Recordset.h"
#include "platform/core/TimeSlice.h"
#include "support/FileBytes.h"
#include "support/SaveAsDuringRun.h"
#include "support/TestEnvironment.h"
#include "support/WindowTest.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace bkl;

namespace {

class PreviewWindow : public test::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
        MarkLog();
    }
    test::RecordingBrowser* browser() const { return browsers->last(); }
    // The level and message of each line logged since the frame opened.
    QStringList Logged() const
    {
        QStringList out;
        for (const QString& line : LogLines())
            out << line.section(QLatin1Char('|'), 2);
        return out;
    }
    QTreeWidgetItem* addRow(const QString& text, const QString& type, bool checked)
    {
        QTreeWidgetItem* row = objects->AddObjectRow(text, type);
        row->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
        return row;
    }
    QStringList checkedTexts() const
    {
        QStringList out;
        for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i)
            if (objects->lvObjects->topLevelItem(i)->checkState(0) == Qt::Checked)
                out << objects->lvObjects->topLevelItem(i)->text(0);
        return out;
    }
};

const QString kDemoCountsPlainTable = QStringLiteral(
    "<table border='0' width='100%' cellspacing='1' cellpadding='2' style='border-style: double; border-width: 3px'>"
    "<tr><td><font face='Calibri' size='2'>Tables: 15</font></td>"
    "<td><font color = '#000000' face='Calibri' size='2'>Compensation Plans: 4</font></td>"
    "<td><font color = '#000000' face='Calibri' size='2'>Active WEB Users: 8</font></td></tr>"
    "<tr><td> <font color = '#000000' face='Calibri' size='2'>Views: 5</font></td>"
    "<td> <font color = '#000000' face='Calibri' size='2'>Tailored Reports: 3</font></td>"
    "<td> <font color = '#000000' face='Calibri' size='2'>Server Imports: 3</font></td></tr>"
    "<tr><td> <font color = '#000000' face='Calibri' size='2'>Calendars: 3</font></td>"
    "<td> <font color = '#000000' face='Calibri' size='2'>Presentor Reports: 4</font></td>"
    "<td> <font color = '#000000' face='Calibri' size='2'>&nbsp;</font></td></tr>"
    "<tr><td> <font color = '#000000' face='Calibri' size='2'>Calculations: 41</font></td>"
    "<td> <font color = '#000000' face='Calibri' size='2'>Active OPX Users: 3</font></td>"
    "<td> <font color = '#000000' face='Calibri' size='2'>&nbsp;</font></td></tr></table>");

} // namespace

TEST_F(PreviewWindow, StartupShowsThePlainPageWithTheChartAndReloadTheRichPage)
{
    // The frame's load ran the rich run, whose first use of the object list loaded it:
    // the plain page overwrote the file before both navigations.
    const QString page = test::TestHome() + QStringLiteral("/temp/_temp_01.html");
    EXPECT_EQ(browser()->calls, (QStringList{"navigate " + page, "navigate " + page}));
    const QString plain = QStringLiteral(
        "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
        "<table border='0' width='100%' cellspacing='1' cellpadding='2'> <tr valign='Center' >"
        "<td align='Center' style='border-style: double; border-width: 3px'> <b><font face='Calibri' size='2'><b>"
        "SalesModel2026</b></font></b></td></tr></table><br>\r\n")
        + kDemoCountsPlainTable + QStringLiteral("\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(QString::fromUtf8(browser()->lastPage), plain);
    EXPECT_FALSE(objects->picMain->isHidden());
    EXPECT_EQ(SummaryChartValues(objects->MSChart1), (QList<qreal>{15, 5, 41, 4, 8, 3, 3, 3, 4}));

    frame->mnuReloadModelSummary_Click();
    QString richTable = kDemoCountsPlainTable;
    richTable.replace(QStringLiteral("<table border='0' width='100%' cellspacing='1' cellpadding='2' style="),
                      QStringLiteral("<table bgcolor = '#737CA1' border='0' width='100%' cellspacing='3' "
                                     "cellpadding='1' style="));
    richTable.replace(QStringLiteral("<tr><td><font face='Calibri'"),
                      QStringLiteral("<tr><td><font color = '#000000' face='Calibri'"));
    const QString rich = QStringLiteral(
        "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
        "<table border='1' width='100%' bgcolor='#2B3856' cellspacing='2' cellpadding='3'> <tr valign='Center' >"
        "<td align='Center' style='border-style: double; border-width: 3px'> <b><font color='#FFFFFF' "
        "face='Calibri' size='2'><b>Model: SalesModel2026</b></font></b></td></tr></table><br>\r\n")
        + richTable + QStringLiteral("\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(QString::fromUtf8(browser()->lastPage), rich);
    EXPECT_EQ(browser()->calls.size(), 3);
    EXPECT_EQ(SummaryChartValues(objects->MSChart1).size(), 9); // the reload replaced the series
    EXPECT_EQ(Logged(), QStringList{"INFO|Re-load Object summary"});
}

TEST_F(PreviewWindow, FailingCountsShowZeroAndLog)
{
    g_cnModel = db::Connection(); // never opened: every count fails
    frame->mnuReloadModelSummary_Click();
    EXPECT_TRUE(browser()->lastPage.contains("Tables: 0</font>") && browser()->lastPage.contains("Active OPX Users: 0</font>"));
    EXPECT_EQ(SummaryChartValues(objects->MSChart1), QList<qreal>(9, 0));
    const QStringList log = Logged();
    ASSERT_EQ(log.size(), 11);
    EXPECT_EQ(log[0], "INFO|Re-load Object summary");
    EXPECT_EQ(log.filter(QRegularExpression("^ERROR\\|Function: GetRecordCount\\(\\) --> Code: ")).size(), 10);
}

TEST_F(PreviewWindow, ButtonRunWritesThePageAndRestoresTheControls)
{
    addRow("Commission Amount", "Calculation", true);
    addRow("RegionLookup", "Table", false);
    addRow(" SalesTransactions ", "Table", true);
    objects->SetActionGroup(true, true);

    // Mid-run (the driver pumps events per object) the run's controls are locked
    // and a second preview from the frame is refused.
    bool checkedMidRun = false;
    QTimer::singleShot(0, [&] {
        checkedMidRun = true;
        EXPECT_TRUE(RunGuard::active());
        EXPECT_FALSE(objects->cmdGetDetails->isEnabled() || objects->cmdFind->isEnabled() || objects->lvObjects->isEnabled());
        EXPECT_FALSE(frame->mnuShowPreview->isEnabled() || frame->tblMainButton(3)->isEnabled());
        EXPECT_TRUE(frame->mnuSubBKObjectsMenu->isEnabled()); // only the frame's run locks it
        EXPECT_FALSE(objects->pbProgress->isHidden());
        EXPECT_EQ(objects->pbProgress->maximum(), 3);
        frame->mnuShowPreview_Click();
    });
    objects->cmdGetDetails->click();
    EXPECT_TRUE(checkedMidRun);

    // The page file (its bytes are pinned by the page tests) holds the checked rows by kind.
    EXPECT_EQ(browser()->calls.last(), "navigate " + test::TestHome() + "/temp/_temp_02.html");
    const QStringList lines = QString::fromUtf8(browser()->lastPage).split("\r\n");
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[3].contains("toggleDiv(\"TAB_1\")'>SalesTransactions</span>"));
    EXPECT_TRUE(lines[4].contains("toggleDiv(\"CALC_1\")'>Commission Amount</span>"));

    EXPECT_TRUE(objects->cmdGetDetails->isEnabled() && objects->cmdFind->isEnabled() && objects->lvObjects->isEnabled());
    EXPECT_TRUE(frame->mnuShowPreview->isEnabled() && frame->tblMainButton(1)->isEnabled());
    EXPECT_TRUE(objects->lblPercentage->isHidden() && objects->pbProgress->isHidden()
                && objects->lblPreviewStatus->isHidden() && objects->picMain->isHidden());
    EXPECT_EQ(objects->pbProgress->value(), 3);
    EXPECT_EQ(objects->lblPercentage->text(), "100%");
    EXPECT_FALSE(RunGuard::active());
    const QStringList log = Logged();
    EXPECT_EQ(log.first(), "INFO|Preview Objects begin...");
    EXPECT_EQ(log.last(), "INFO|Preview Objects end");
    EXPECT_FALSE(log.contains("INFO|Preview Objects begin.."));
}

TEST_F(PreviewWindow, NothingCheckedDiffersBetweenButtonAndFrame)
{
    const int calls = browser()->calls.size();
    // Empty list: the button logs and asks, the frame logs and stops, a double-click does nothing.
    objects->cmdGetDetails_Click();
    frame->mnuShowPreview_Click();
    objects->lvObjects_DblClick();
    frame->mnuSubPreviewHighlightedObject_Click();
    EXPECT_EQ(BoxTexts(), QStringList{"No objects selected for preview !|48|Preview Objects"});
    EXPECT_EQ(Logged(), QStringList({"INFO|Preview Objects begin...", "INFO|Preview Objects begin.."}));
    // Rows but none checked: the frame asks too.
    addRow("PayeeMaster", "Table", false);
    frame->mnuShowPreview_Click();
    EXPECT_EQ(BoxTexts().value(1), "No objects selected for preview !|48|Preview Objects");
    EXPECT_EQ(browser()->calls.size(), calls);
}

TEST_F(PreviewWindow, DoubleClickLeavesExactlyTheHighlightedRowChecked)
{
    addRow("PayeeMaster", "Table", true);
    QTreeWidgetItem* view = addRow("RegionSalesView", "View", true);
    addRow("Total Sales", "Calculation", true);
    objects->SetActionGroup(true, true);
    objects->lvObjects->setCurrentItem(view);
    objects->lvObjects_DblClick();
    EXPECT_EQ(checkedTexts(), QStringList{"RegionSalesView"});
    const QString page = QString::fromUtf8(browser()->lastPage);
    EXPECT_TRUE(page.contains("toggleDiv(\"VIE_1\")'>RegionSalesView</span>"));
    EXPECT_FALSE(page.contains("TAB_1") || page.contains("CALC_1"));
    EXPECT_EQ(objects->lblPercentage->text(), "100%");

    // The frame's pop-up item does the same, with the frame's log lines.
    objects->lvObjects->setCurrentItem(objects->lvObjects->topLevelItem(2));
    MarkLog();
    frame->mnuSubPreviewHighlightedObject_Click();
    EXPECT_EQ(checkedTexts(), QStringList{"Total Sales"});
    EXPECT_TRUE(browser()->lastPage.contains("toggleDiv(\"CALC_1\")'>Total Sales</span>"));
    EXPECT_EQ(Logged(), QStringList({"INFO|Preview Objects begin..", "INFO|Launch Preview Objects end"}));
    EXPECT_TRUE(frame->mnuSubBKObjectsMenu->isEnabled());
}

TEST_F(PreviewWindow, DoubleClickOnASortedListUnmarksItsRowsOnTheTimeSlice)
{
    addRow("PayeeMaster", "Table", true);
    QTreeWidgetItem* view = addRow("RegionSalesView", "View", true);
    addRow("Total Sales", "Calculation", true);
    objects->SetActionGroup(true, true);
    objects->lvObjects_ColumnClick(0); // NAME, descending
    objects->lvObjects->setCurrentItem(view);
    SetPumpSliceMsForTesting(0);
    // The loop turns once the first row is unmarked, before the preview starts.
    QStringList checkedAtFirstTurn;
    QTimer::singleShot(0, objects, [&] { checkedAtFirstTurn = checkedTexts(); });
    objects->lvObjects_DblClick();
    EXPECT_EQ(checkedAtFirstTurn, QStringList({"RegionSalesView", "PayeeMaster"}));
    EXPECT_EQ(checkedTexts(), QStringList{"RegionSalesView"});
    EXPECT_TRUE(browser()->lastPage.contains("toggleDiv(\"VIE_1\")'>RegionSalesView</span>"));
    EXPECT_TRUE(objects->lvObjects->isSortingEnabled());
}

TEST_F(PreviewWindow, UnwritablePageEndsTheRunInOrder)
{
    addRow("PayeeMaster", "Table", true);
    objects->SetActionGroup(true, true);
    const QString temp = test::TestHome() + "/temp";
    QDir(temp).removeRecursively();
    test::WriteFileBytes(temp, ""); // a file where the folder should be
    const int calls = browser()->calls.size();
    objects->cmdGetDetails_Click();
    QFile::remove(temp);
    QDir().mkpath(temp);

    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(BoxTexts()[0].startsWith("Run-time error '75':\r\n\r\nCannot write "));
    EXPECT_TRUE(BoxTexts()[0].endsWith("|16|SalesModel2026"));
    const QStringList log = Logged();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[1].startsWith("ERROR|Function: cmdGetDetails_Click() --> Code: 75 --> Description: Cannot write "));
    EXPECT_EQ(browser()->calls.size(), calls);
    EXPECT_TRUE(objects->cmdGetDetails->isEnabled() && objects->lvObjects->isEnabled() && frame->mnuShowPreview->isEnabled());
    EXPECT_FALSE(RunGuard::active());
}

TEST_F(PreviewWindow, SaveAsDuringThePreviewSavesTheShownPageWhole)
{
    addRow("PayeeMaster", "Table", true);
    objects->SetActionGroup(true, true);
    objects->cmdGetDetails_Click();
    const QByteArray shown = browser()->lastPage;
    ASSERT_TRUE(shown.endsWith("</html>\r\n"));

    // Every calculation and table previewed, with the loop turning after each object: Save As
    // pressed at each turn saves the page on screen, never the part of the next one written so far.
    for (const mainwindow::ObjectKind kind : {mainwindow::ObjectKind::Calculations, mainwindow::ObjectKind::Tables})
        for (db::Recordset rs(mainwindow::FindStatement(kind, QString(), false, false), g_cnModel); !rs.eof(); rs.moveNext())
            addRow(rs.field(0).toText(), mainwindow::ListTypeText(kind), true);
    SetPumpSliceMsForTesting(0);
    {
        test::SaveAsDuringRun user(seams.dialogs, [this] { objects->cmdIEPreview->click(); });
        objects->cmdGetDetails_Click();
        EXPECT_GE(user.saved.size(), 41);
        for (const QByteArray& saved : user.saved)
            ASSERT_TRUE(saved == shown) << saved.size() << " bytes saved";
    }
    // Once the run is done, the new page is shown and saved whole; nothing is left beside the pages.
    const QByteArray previewed = browser()->lastPage;
    EXPECT_TRUE(previewed.endsWith("</html>\r\n") && previewed.size() > shown.size());
    const QString target = test::TestHome() + "/saved.html";
    seams.dialogs.answers.push_back(target);
    objects->cmdIEPreview->click();
    EXPECT_EQ(test::FileBytes(target), previewed);
    const QStringList temp = QDir(test::TestHome() + "/temp").entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(temp.filter(QRegularExpression("^_temp_0\\d\\.html$")), temp);
    EXPECT_TRUE(seams.boxes.shown.empty());
}
