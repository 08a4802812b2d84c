// The compare run: its refusals and question, the locked inputs, the status,
// colour and page of every row, the closing offer; and the compare reports:
// the status table, the report pages and captions.
#include "CompareWindowFixture.h"

#include "compare/CompareReportPage.h"
#include "compare/CompareRunTexts.h"
#include "compare/CompareStatus.h"
#include "compare/ui/CompareListRow.h"
#include "compare/ui/frmBKLCompareReport.h"
#include "reports/DetailSectionFlags.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace bkl;

namespace {

class CompareRun : public CompareWindowFixture {
protected:
    // Status and colour of each compare row, as "name: status #rrggbb".
    QStringList Statuses() const
    {
        QStringList out;
        for (int i = 0; i < Window().lvCompare->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = Window().lvCompare->topLevelItem(i);
            out << row->text(0) + ": " + row->text(2) + ' ' + row->foreground(2).color().name();
        }
        return out;
    }
    // Runs a confirmed compare; the closing offer is declined.
    void RunConfirmed()
    {
        seams.boxes.answers = {mb::Yes, mb::No};
        Window().cmdCompare_Click();
    }
    // Runs a report action and reads the report window it opens: its caption, whether it is
    // modal and stays open at Esc, its page and browser calls; nothing when none opens.
    struct ShownReport {
        QString caption;
        bool modalAndOpenAfterEsc = false;
        QByteArray page;
        QStringList calls;
    };
    std::optional<ShownReport> Show(const std::function<void()>& action)
    {
        std::optional<ShownReport> seen;
        WithModal(action, [&](QWidget* modal) {
            if (auto* report = qobject_cast<frmBKLCompareReport*>(modal)) {
                seen = ShownReport{report->windowTitle(), report->isModal(), browsers->last()->lastPage,
                                   browsers->last()->calls};
                QTest::keyClick(report, Qt::Key_Escape);
                seen->modalAndOpenAfterEsc &= report->isVisible();
                report->cmdClose_Click();
            }
        });
        return seen;
    }
    static QByteArray Page(const QString& fragment)
    {
        return "<html><body>\r\n<br><br>\r\n" + fragment.toUtf8() + "\r\n</body></html>\r\n";
    }
};

} // namespace

TEST(CompareRunStatus, AResultWithoutDigitIsAnError)
{
    using namespace bkl::compare;
    EXPECT_FALSE(StatusOfResult(QString()));
    EXPECT_EQ(StatusOfResult("<p>").value().text, "Error");
    EXPECT_EQ(PageOfResult("<p>") + PageOfResult("3<p>"), "<p><p>");
    EXPECT_EQ(DetailedSummaryEntry(QString()), "<br>");
}

TEST_F(CompareRun, RefusalsAndTheQuestion)
{
    frmBKLCompareObjects& w = Window();
    w.ShowModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.cmdCompare_Click();
    EXPECT_EQ(QApplication::focusWidget(), w.cboObjects);
    w.AddSourceRow("PayeeMaster", "Table");
    w.cmdAddAll_Click();
    w.cmdCompare_Click();
    EXPECT_EQ(QApplication::focusWidget(), w.cmdTargetConnect);
    ConnectTarget();
    w.m_sDetailedSummary = "earlier";
    g_bTableType = false;
    w.cmdCompare_Click(); // answered No
    EXPECT_EQ(BoxTexts(), QStringList({"No objects selected for comparison !|16|Compare Objects",
                                       "Unable to find any active target model connection ! Click Connect button to "
                                       "select the target model. |16|Compare Objects",
                                       QStringLiteral("Run compare?\r\n\r\nSource Model: SalesModel2026@%1\r\nTarget "
                                                      "Model: SalesModel2026_Target@%1\r\n\r\nNote: This may take few "
                                                      "minutes depends on number of model objects selected for "
                                                      "comparison.|36|Compare Objects")
                                           .arg(bkl::test::DemoServerFolder())}));
    EXPECT_EQ(w.m_sDetailedSummary, "earlier");
    EXPECT_FALSE(g_bTableType);
    EXPECT_TRUE(LogMessages().filter("Compare").filter("Begin").isEmpty());
}

TEST_F(CompareRun, InputsAreLockedAndCloseAndASecondRunAreRefusedDuringTheRun)
{
    frmBKLCompareObjects& w = Window();
    w.ShowModeless();
    w.AddSourceRow("(AE2026) Account Executive Plan 2026", "Compensation Plan");
    w.cmdAddAll_Click();
    ConnectTarget();
    bool sawLocked = false, stayedOpen = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!w.CompareRunning() || sawLocked)
            return;
        sawLocked = !w.cmdCompare->isEnabled() && !w.lvObjects->isEnabled() && !w.tvCompare->isEnabled()
            && !w.cmdTargetConnect->isEnabled() && w.pbProgress->isVisible();
        w.cmdClose_Click();
        w.cmdRemoveAll_Click();
        w.cmdCompare_Click();
        stayedOpen = w.isVisible() && w.lvCompare->topLevelItemCount() == 1;
    });
    probe.start(0);
    RunConfirmed();
    probe.stop();
    EXPECT_TRUE(sawLocked && stayedOpen && w.isVisible());
    EXPECT_EQ(LogMessages().filter("Begin Compare").size(), 1);
    EXPECT_EQ(seams.boxes.shown.size(), 2u);
}

TEST_F(CompareRun, HeaderClicksSortTheCompareListAfterARun)
{
    frmBKLCompareObjects& w = ShownWithRows({{"CommissionRates", "Table"}, {"PayeeMaster", "Table"}});
    ConnectTarget();
    RunConfirmed();
    ClickHeader(w.lvCompare, 0);
    EXPECT_EQ(Names(w.lvCompare), QStringList({"PayeeMaster", "CommissionRates"}));
    ClickHeader(w.lvCompare, 0);
    EXPECT_EQ(Names(w.lvCompare), QStringList({"CommissionRates", "PayeeMaster"}));
}

TEST_F(CompareRun, StatusesOfTheDemoTargetWithEverySectionChecked)
{
    frmBKLCompareObjects& w = Window();
    for (const char* kind : {"Tables", "Views", "Calendars", "Presentor Reports"}) {
        LoadKind(kind);
        w.cmdAddAll_Click();
    }
    LoadKind("Calculations");
    for (const char* calc : {"Commission Amount", "Quarterly Bonus", "Legacy Adjustment"})
        AddCompareRow(calc, "Calculation");
    w.AddSourceRow("(AE2026) Account Executive Plan 2026", "Compensation Plan");
    w.AddSourceRow("(TR01) Monthly Commission Statement", "Tailored Report");
    AddCompareRow("(AE2026) Account Executive Plan 2026", "Compensation Plan");
    AddCompareRow("(TR01) Monthly Commission Statement", "Tailored Report");
    // A status from an earlier run is replaced when the row's turn comes.
    compare::SetRowStatus(w.lvCompare->topLevelItem(0), *compare::StatusOfResult("0"));
    ConnectTarget();
    g_bPlanID = true; // the tree has no plan sections: the run's flags switch it off
    RunConfirmed();

    const QStringList statuses = Statuses();
    ASSERT_EQ(statuses.size(), 15 + 5 + 3 + 4 + 3 + 2);
    EXPECT_FALSE(g_bPlanID);
    // One row of each outcome; the comparator tests pin every object's status.
    for (const char* expected :
         {"CommissionRates: Mismatch #ff0000", "PayeeMaster: Identical #00ff00", "(RETAIL) Retail Calendar: Not Exists #0000ff",
          "Quarterly Bonus: Mismatch #ff0000", "(AE2026) Account Executive Plan 2026: Not Started #000000",
          "(TR01) Monthly Commission Statement: Not Started #000000"})
        EXPECT_TRUE(statuses.contains(expected)) << expected;
    EXPECT_EQ(BoxTexts().value(1),
              "Compare ran successfully !\r\n\r\nDo you want to open the detailed summary report ?|36|Compare Objects");
    EXPECT_EQ(LogMessages().filter(QRegularExpression("^(Begin|End) Compare$")), QStringList({"Begin Compare", "End Compare"}));
    // Progress ran to its end; the bar is hidden and the inputs enabled again.
    EXPECT_EQ(w.pbProgress->value(), w.pbProgress->maximum());
    EXPECT_EQ(w.lblPercentage->text(), "100%");
    EXPECT_FALSE(w.pbProgress->isVisible());
    EXPECT_TRUE(w.cmdCompare->isEnabled() && w.cmdLoadObjects->isEnabled() && w.tvCompare->isEnabled());

    // The detailed summary joins every row's page with "<br>"; a row's tag is its page.
    QString joined;
    for (int i = 0; i < w.lvCompare->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = w.lvCompare->topLevelItem(i);
        joined += (row->text(2) == "Not Started" ? QString() : frmBKLCompareObjects::RowTag(row)) + "<br>";
    }
    EXPECT_EQ(w.m_sDetailedSummary, joined);
    EXPECT_TRUE(w.m_sDetailedSummary.contains("SalesModel2026_Target@"));
}

TEST_F(CompareRun, ObjectsThatCouldNotBeComparedAreErrorsAndTheEndSaysSo)
{
    frmBKLCompareObjects& w = Window();
    w.AddSourceRow("Commission Amount", "Calculation");
    w.AddSourceRow("PayeeMaster", "Table");
    w.AddSourceRow("(TR01) Monthly Commission Statement", "Tailored Report");
    w.cmdAddAll_Click();
    w.SetTarget(test::OpenAlteredDemoModel("SalesModel2026", "DROP TABLE Calculation;"), "Broken", "copy");
    RunConfirmed();
    EXPECT_EQ(Statuses(), QStringList({"Commission Amount: Error #c05000", "PayeeMaster: Identical #00ff00",
                                       "(TR01) Monthly Commission Statement: Not Started #000000"}));
    EXPECT_EQ(BoxTexts().value(1), "Compare ran with errors !\r\n\r\n1 of 2 object(s) could not be compared (status Error); "
                                   "the log holds the reason.\r\n\r\nDo you want to open the detailed summary report "
                                   "?|52|Compare Objects");
    // The summary shows the failure's line where the comparison would be.
    EXPECT_TRUE(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(0))
                    .contains("color = '#C05000' face='Calibri' size='2'>Function: CheckIfObjectExists()"));
}

TEST_F(CompareRun, YesAtTheEndShowsTheDetailedSummary)
{
    LoadKind("Tables");
    AddCompareRow("PayeeMaster", "Table");
    ConnectTarget();
    seams.boxes.answers = {mb::Yes, mb::Yes};
    const auto seen = Show([&] { Window().cmdCompare_Click(); });
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->caption, QStringLiteral("Compare Objects - Detailed Summary"));
    EXPECT_EQ(seen->page, Page(Window().m_sDetailedSummary));
    const QStringList log = LogMessages();
    const int end = log.indexOf(QStringLiteral("End Compare"));
    ASSERT_GE(end, 0);
    EXPECT_EQ(log.mid(end, 4), (QStringList{"End Compare", "Launch Compare Objects",
                                            "Compare Objects - Loading ReportsCompare Objects",
                                            "Exiting Compare Objects - Detailed Summary"}));
}

TEST_F(CompareRun, ReportsOfTheListAndTheirCaptions)
{
    frmBKLCompareObjects& w = Window();
    // Before any run the detailed summary is an empty page.
    w.optDetailedSummary->setChecked(true);
    auto seen = Show([&] { w.cmdReport_Click(); });
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->modalAndOpenAfterEsc);
    EXPECT_EQ(seen->caption, QStringLiteral("Compare Objects - Detalied Summary"));
    EXPECT_EQ(seen->page, Page(""));
    EXPECT_EQ(seen->calls, QStringList{QStringLiteral("navigate ") + compare::CompareReportPagePath()});
    EXPECT_EQ(LogMessages().mid(1), (QStringList{"Launch Compare Objects", "Compare Objects - Loading ReportsCompare Objects",
                                                 "Exiting Compare Objects - Detalied Summary"}));

    // The object summary and the status table need rows; the object summary a selected one.
    w.optObjectSummary->setChecked(true);
    EXPECT_FALSE(Show([&] { w.cmdReport_Click(); }));
    w.optStatusSummary->setChecked(true);
    EXPECT_FALSE(Show([&] { w.cmdReport_Click(); }));
    w.AddSourceRow(QStringLiteral("CommissionRates"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("Rates <2026> & More"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"));
    w.lvObjects->topLevelItem(0)->setSelected(true);
    w.cmdAdd_Click();
    w.cmdAddAll_Click();
    w.lvCompare->topLevelItem(0)->setText(2, QStringLiteral("Mismatch"));
    w.lvCompare->topLevelItem(1)->setText(2, QStringLiteral("Identical"));
    w.lvCompare->clearSelection();
    // Before any target login the target row shows nothing after its caption.
    seen = Show([&] { w.cmdReport_Click(); });
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->caption, QStringLiteral("Compare Objects - Status Summary"));
    EXPECT_EQ(seen->page, Page(compare::StatusSummaryTable(
                              "SalesModel2026@" + test::DemoServerFolder(), "",
                              {{"CommissionRates", "Table", "Mismatch"}, {"Rates <2026> & More", "Table", "Identical"},
                               {"(AE2026) Account Executive Plan 2026", "Compensation Plan", "Not Started"}})));

    w.optObjectSummary->setChecked(true);
    EXPECT_FALSE(Show([&] { w.cmdReport_Click(); }));
    w.lvCompare->topLevelItem(0)->setSelected(true);
    seen = Show([&] { w.cmdReport_Click(); });
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->caption, QStringLiteral("Compare Objects - Object Summary"));
    EXPECT_EQ(seen->page, Page(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(0))));
    // A row added by Add All and not compared shows only the two line breaks.
    w.lvCompare->clearSelection();
    w.lvCompare->topLevelItem(1)->setSelected(true);
    EXPECT_EQ(Show([&] { w.lvCompare_DblClick(); })->page, Page(""));
    EXPECT_EQ(Show([&] { w.mnuViewCompareSummary_Click(); })->caption, QStringLiteral("Compare Objects - Object Summary"));
}

TEST(CompareReportPage, StatusTableColoursEachStatusAndEscapesEveryText)
{
    const QString cell = QStringLiteral("<td> <font  face='Calibri' size='2'>");
    const auto row = [&](const char* name, const char* type, const char* colour, const char* status) {
        return "<tr>" + cell + name + "</font></td>" + cell + type + "</font></td><td> <font  color = '" + colour
            + "' face='Calibri' size='2'>" + status + "</font></td></tr>";
    };
    EXPECT_EQ(compare::StatusSummaryTable("A&B@h", "T'1@h",
                                          {{"CommissionRates", "Table", "Mismatch"}, {"Rates <2026> & More", "Table", "Identical"},
                                           {"Q", "View", " Not Exists "}, {"R", "View", "Error"},
                                           {"(AE2026) Plan", "Compensation Plan", "Not Started"}}),
              "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  "
              "cellspacing='0' cellpadding='0'>"
              "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: A&amp;B@h</font></b></td></tr>"
              "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Target Model: T&#39;1@h</font></b></td></tr>"
              "<tr><td> <b><font  face='Calibri' size='2'>Object Name</font></b></td>"
              "<td> <b><font  face='Calibri' size='2'>Object Type</font></b></td>"
              "<td> <b><font  face='Calibri' size='2'>Compare Status</font></b></td></tr>"
                  + row("CommissionRates", "Table", "#FF0000", "Mismatch")
                  + row("Rates &lt;2026&gt; &amp; More", "Table", "#00FF00", "Identical")
                  + row("Q", "View", "#0000A0", "Not Exists") + row("R", "View", "#C05000", "Error")
                  + row("(AE2026) Plan", "Compensation Plan", "#000000", "Not Started") + "</table>");
}
