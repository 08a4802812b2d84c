// The compare reports: the report page bytes, the captions, the status table
// and the report window's browser commands.
#include "CompareWindowFixture.h"

#include "compare/CompareReportPage.h"
#include "compare/ui/frmBKLCompareReport.h"
#include "shell/Log.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace bkl;

namespace {

struct ShownReport {
    bool shown = false;
    bool modal = false;
    QString caption;
    QByteArray page;
    QStringList calls;
    bool openAfterEsc = false;
};

class CompareReport : public CompareWindowFixture {
protected:
    // Runs a report action and reads the report window it opens.
    ShownReport Show(const std::function<void()>& action)
    {
        ShownReport seen;
        WithModal(action, [&](QWidget* modal) {
            auto* report = qobject_cast<frmBKLCompareReport*>(modal);
            if (!report)
                return;
            seen.shown = true;
            seen.modal = report->isModal();
            seen.caption = report->windowTitle();
            seen.page = browsers->last()->lastPage;
            seen.calls = browsers->last()->calls;
            QTest::keyClick(report, Qt::Key_Escape);
            seen.openAfterEsc = report->isVisible();
            report->cmdClose_Click();
        });
        return seen;
    }
    static QByteArray Page(const QByteArray& fragment)
    {
        return "<html><body>\r\n<br><br>\r\n" + fragment + "\r\n</body></html>\r\n";
    }
};

} // namespace

TEST_F(CompareReport, DetailedSummaryBeforeAnyRunIsAnEmptyPage)
{
    frmBKLCompareObjects& w = Window();
    w.optDetailedSummary->setChecked(true);
    const ShownReport seen = Show([&] { w.cmdReport_Click(); });
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.modal && seen.openAfterEsc);
    EXPECT_EQ(seen.caption, QStringLiteral("Compare Objects - Detalied Summary"));
    EXPECT_EQ(seen.page, Page(""));
    EXPECT_EQ(seen.calls, QStringList{QStringLiteral("navigate ") + compare::CompareReportPagePath()});
    EXPECT_EQ(LogMessages().mid(1), (QStringList{"Launch Compare Objects",
                                                 "Compare Objects - Loading ReportsCompare Objects",
                                                 "Exiting Compare Objects - Detalied Summary"}));
}

TEST_F(CompareReport, ObjectSummaryOfTheSelectedRow)
{
    frmBKLCompareObjects& w = Window();
    // Nothing in the list: no report.
    EXPECT_FALSE(Show([&] { w.cmdReport_Click(); }).shown);
    w.AddSourceRow(QStringLiteral("PayeeMaster"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("RegionLookup"), QStringLiteral("Table"));
    w.lvObjects->topLevelItem(0)->setSelected(true);
    w.cmdAdd_Click();
    w.cmdAddAll_Click();
    // Rows but none selected: no report.
    w.lvCompare->clearSelection();
    EXPECT_FALSE(Show([&] { w.cmdReport_Click(); }).shown);

    w.lvCompare->topLevelItem(0)->setSelected(true);
    ShownReport seen = Show([&] { w.cmdReport_Click(); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QStringLiteral("Compare Objects - Object Summary"));
    EXPECT_EQ(seen.page, Page(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(0)).toUtf8()));

    // A row added by Add All and not compared shows only the two line breaks.
    w.lvCompare->clearSelection();
    w.lvCompare->topLevelItem(1)->setSelected(true);
    seen = Show([&] { w.lvCompare_DblClick(); });
    EXPECT_EQ(seen.page, Page(""));
    seen = Show([&] { w.mnuViewCompareSummary_Click(); });
    EXPECT_EQ(seen.caption, QStringLiteral("Compare Objects - Object Summary"));
}

TEST_F(CompareReport, StatusSummaryTableBytes)
{
    frmBKLCompareObjects& w = Window();
    w.optStatusSummary->setChecked(true);
    EXPECT_FALSE(Show([&] { w.cmdReport_Click(); }).shown);
    w.AddSourceRow(QStringLiteral("CommissionRates"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("Rates <2026> & More"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"));
    w.cmdAddAll_Click();
    w.lvCompare->topLevelItem(0)->setText(2, QStringLiteral("Mismatch"));
    w.lvCompare->topLevelItem(1)->setText(2, QStringLiteral("Identical"));
    // Before any target login the target row shows nothing after its caption.
    const ShownReport seen = Show([&] { w.cmdReport_Click(); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QStringLiteral("Compare Objects - Status Summary"));
    const QByteArray source = ("SalesModel2026@" + test::DemoServerFolder()).toUtf8();
    const QByteArray cell = "<td> <font  face='Calibri' size='2'>";
    EXPECT_EQ(seen.page,
              Page("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  "
                   "cellspacing='0' cellpadding='0'>"
                   "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: "
                   + source
                   + "</font></b></td></tr>"
                     "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Target Model: </font></b></td></tr>"
                     "<tr><td> <b><font  face='Calibri' size='2'>Object Name</font></b></td>"
                     "<td> <b><font  face='Calibri' size='2'>Object Type</font></b></td>"
                     "<td> <b><font  face='Calibri' size='2'>Compare Status</font></b></td></tr>"
                     "<tr>"
                   + cell + "CommissionRates</font></td>" + cell
                   + "Table</font></td><td> <font  color = '#FF0000' face='Calibri' size='2'>Mismatch</font></td></tr>"
                     "<tr>"
                   + cell + "Rates &lt;2026&gt; &amp; More</font></td>" + cell
                   + "Table</font></td><td> <font  color = '#00FF00' face='Calibri' size='2'>Identical</font></td></tr>"
                     "<tr>"
                   + cell + "(AE2026) Account Executive Plan 2026</font></td>" + cell
                   + "Compensation Plan</font></td><td> <font  color = '#000000' face='Calibri' size='2'>Not "
                     "Started</font></td></tr>"
                     "</table>"));
}

TEST(CompareReportPage, NotExistsIsNavyErrorDarkOrangeAndTextsAreEscaped)
{
    const QString table = compare::StatusSummaryTable(
        QStringLiteral("A&B@h"), QStringLiteral("T'1@h"),
        {{QStringLiteral("Q"), QStringLiteral("View"), QStringLiteral(" Not Exists ")},
         {QStringLiteral("R"), QStringLiteral("View"), QStringLiteral("Error")}});
    EXPECT_TRUE(table.contains(QStringLiteral("<td> <font  color = '#C05000' face='Calibri' size='2'>Error</font></td>")));
    EXPECT_TRUE(table.contains(QStringLiteral("Source Model: A&amp;B@h</font>")));
    EXPECT_TRUE(table.contains(QStringLiteral("Target Model: T&#39;1@h</font>")) || table.contains(QStringLiteral("Target Model: T&#x27;1@h</font>")));
    EXPECT_TRUE(table.contains(QStringLiteral("<td> <font  color = '#0000A0' face='Calibri' size='2'>Not Exists</font></td>")));
}

