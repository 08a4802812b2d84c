// The compare run: its refusals and question, progress, the status, colour
// and page of every row, the detailed summary and the closing offer.
#include "CompareWindowFixture.h"

#include "compare/CompareRunTexts.h"
#include "compare/CompareStatus.h"
#include "compare/ui/CompareListRow.h"
#include "compare/ui/frmBKLCompareReport.h"
#include "reports/DetailSectionFlags.h"
#include "support/DemoModel.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace bkl;

namespace {

class CompareRun : public CompareWindowFixture {
protected:
    // Status and colour of each compare row, as "name: status #rrggbb".
    QStringList Statuses() const
    {
        QStringList out;
        const QTreeWidget* list = frmBKLCompareObjects::instance().lvCompare;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            out << row->text(0) + QStringLiteral(": ") + row->text(2) + QLatin1Char(' ')
                    + row->foreground(2).color().name();
        }
        return out;
    }
    // Runs a confirmed compare; the closing offer is declined.
    void RunConfirmed()
    {
        seams.boxes.answers = {mb::Yes, mb::No};
        Window().cmdCompare_Click();
    }
};

} // namespace

TEST(CompareRunStatus, AResultWithoutDigitIsAnError)
{
    using namespace bkl::compare;
    EXPECT_FALSE(StatusOfResult(QString()));
    EXPECT_EQ(StatusOfResult(QStringLiteral("<p>")).value().text, QStringLiteral("Error"));
    EXPECT_EQ(PageOfResult(QStringLiteral("<p>")) + PageOfResult(QStringLiteral("3<p>")), QStringLiteral("<p><p>"));
    EXPECT_EQ(DetailedSummaryEntry(QString()), QStringLiteral("<br>"));
}

TEST_F(CompareRun, RefusalsAndTheQuestion)
{
    frmBKLCompareObjects& w = Window();
    w.ShowModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.cmdCompare_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("No objects selected for comparison !"));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Compare Objects"));
    EXPECT_EQ(QApplication::focusWidget(), w.cboObjects);

    w.AddSourceRow(QStringLiteral("PayeeMaster"), QStringLiteral("Table"));
    w.cmdAddAll_Click();
    w.cmdCompare_Click();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].prompt,
              QStringLiteral("Unable to find any active target model connection ! Click Connect button to select "
                             "the target model. "));
    EXPECT_EQ(QApplication::focusWidget(), w.cmdTargetConnect);

    ConnectTarget();
    w.m_sDetailedSummary = QStringLiteral("earlier");
    g_bTableType = false;
    w.cmdCompare_Click(); // answered No
    ASSERT_EQ(seams.boxes.shown.size(), 3u);
    EXPECT_EQ(seams.boxes.shown[2].prompt,
              QStringLiteral("Run compare?\r\n\r\nSource Model: SalesModel2026@%1\r\nTarget Model: "
                             "SalesModel2026_Target@%1\r\n\r\nNote: This may take few minutes depends on number of "
                             "model objects selected for comparison.")
                  .arg(bkl::test::DemoServerFolder()));
    EXPECT_EQ(seams.boxes.shown[2].style, mb::YesNo | mb::Question);
    EXPECT_EQ(w.m_sDetailedSummary, QStringLiteral("earlier"));
    EXPECT_FALSE(g_bTableType);
    EXPECT_TRUE(LogMessages().filter(QStringLiteral("Compare")).filter(QStringLiteral("Begin")).isEmpty());
}

TEST_F(CompareRun, InputsAreLockedAndCloseIsRefusedDuringTheRun)
{
    frmBKLCompareObjects& w = Window();
    w.ShowModeless();
    w.AddSourceRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"));
    w.cmdAddAll_Click();
    ConnectTarget();
    bool sawLocked = false;
    bool stayedOpen = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!w.CompareRunning() || sawLocked)
            return;
        sawLocked = !w.cmdCompare->isEnabled() && !w.lvObjects->isEnabled() && !w.tvCompare->isEnabled()
            && !w.cmdTargetConnect->isEnabled() && w.pbProgress->isVisible();
        w.cmdClose_Click();
        w.cmdRemoveAll_Click();
        stayedOpen = w.isVisible() && w.lvCompare->topLevelItemCount() == 1;
    });
    probe.start(0);
    RunConfirmed();
    probe.stop();
    EXPECT_TRUE(sawLocked);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(CompareRun, StatusesOfTheDemoTargetWithEverySectionChecked)
{
    frmBKLCompareObjects& w = Window();
    for (const char* kind : {"Tables", "Views", "Calendars", "Presentor Reports"}) {
        LoadKind(QLatin1String(kind));
        w.cmdAddAll_Click();
    }
    LoadKind(QStringLiteral("Calculations"));
    for (const char* calc : {"Commission Amount", "Quarterly Bonus", "Legacy Adjustment"})
        AddCompareRow(QLatin1String(calc), QStringLiteral("Calculation"));
    w.AddSourceRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"));
    w.AddSourceRow(QStringLiteral("(TR01) Monthly Commission Statement"), QStringLiteral("Tailored Report"));
    AddCompareRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"));
    AddCompareRow(QStringLiteral("(TR01) Monthly Commission Statement"), QStringLiteral("Tailored Report"));
    // A status from an earlier run is replaced when the row's turn comes.
    compare::SetRowStatus(w.lvCompare->topLevelItem(0), *compare::StatusOfResult(QStringLiteral("0")));
    ConnectTarget();
    g_bPlanID = true; // the tree has no plan sections: the run's flags switch it off
    RunConfirmed();

    const QStringList statuses = Statuses();
    ASSERT_EQ(statuses.size(), 15 + 5 + 3 + 4 + 3 + 2);
    EXPECT_FALSE(g_bPlanID);
    const QString red = QStringLiteral(" #ff0000"), green = QStringLiteral(" #00ff00"), blue = QStringLiteral(" #0000ff");
    // One row of each outcome; the engine tests pin every object's status.
    for (const QString& expected :
         QStringList{"CommissionRates: Mismatch" + red, "PayeeMaster: Identical" + green,
                     "(RETAIL) Retail Calendar: Not Exists" + blue, "Quarterly Bonus: Mismatch" + red,
                     "(AE2026) Account Executive Plan 2026: Not Started #000000",
                     "(TR01) Monthly Commission Statement: Not Started #000000"})
        EXPECT_TRUE(statuses.contains(expected)) << expected.toStdString();
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].prompt,
              QStringLiteral("Compare ran successfully !\r\n\r\nDo you want to open the detailed summary report ?"));
    EXPECT_EQ(seams.boxes.shown[1].style, mb::YesNo | mb::Question);
    EXPECT_EQ(LogMessages().filter(QRegularExpression(QStringLiteral("^(Begin|End) Compare$"))),
              (QStringList{"Begin Compare", "End Compare"}));
    // Progress ran to its end; the bar is hidden and the inputs enabled again.
    EXPECT_EQ(w.pbProgress->value(), w.pbProgress->maximum());
    EXPECT_EQ(w.lblPercentage->text(), QStringLiteral("100%"));
    EXPECT_FALSE(w.pbProgress->isVisible());
    EXPECT_TRUE(w.cmdCompare->isEnabled() && w.cmdLoadObjects->isEnabled() && w.tvCompare->isEnabled());

    // The detailed summary joins every row's page with "<br>"; a row's tag is its page.
    QString joined;
    for (int i = 0; i < w.lvCompare->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = w.lvCompare->topLevelItem(i);
        joined += (row->text(2) == QLatin1String("Not Started") ? QString() : frmBKLCompareObjects::RowTag(row))
            + QStringLiteral("<br>");
    }
    EXPECT_EQ(w.m_sDetailedSummary, joined);
    EXPECT_TRUE(w.m_sDetailedSummary.contains(QStringLiteral("SalesModel2026_Target@")));
}

TEST_F(CompareRun, ObjectsThatCouldNotBeComparedAreErrorsAndTheEndSaysSo)
{
    frmBKLCompareObjects& w = Window();
    w.AddSourceRow(QStringLiteral("Commission Amount"), QStringLiteral("Calculation"));
    w.AddSourceRow(QStringLiteral("PayeeMaster"), QStringLiteral("Table"));
    w.AddSourceRow(QStringLiteral("(TR01) Monthly Commission Statement"), QStringLiteral("Tailored Report"));
    w.cmdAddAll_Click();
    w.SetTarget(test::OpenAlteredDemoModel(QStringLiteral("SalesModel2026"), QStringLiteral("DROP TABLE Calculation;")),
                QStringLiteral("Broken"), QStringLiteral("copy"));
    RunConfirmed();
    EXPECT_EQ(Statuses(), (QStringList{"Commission Amount: Error #c05000", "PayeeMaster: Identical #00ff00",
                                       "(TR01) Monthly Commission Statement: Not Started #000000"}));
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].prompt,
              QStringLiteral("Compare ran with errors !\r\n\r\n1 of 2 object(s) could not be compared (status Error); "
                             "the log holds the reason.\r\n\r\nDo you want to open the detailed summary report ?"));
    EXPECT_EQ(seams.boxes.shown[1].style, mb::YesNo | mb::Exclamation);
    // The summary shows the failure's line where the comparison would be.
    EXPECT_TRUE(frmBKLCompareObjects::RowTag(w.lvCompare->topLevelItem(0))
                    .contains(QStringLiteral("color = '#C05000' face='Calibri' size='2'>Function: CheckIfObjectExists()")));
}

TEST_F(CompareRun, YesAtTheEndShowsTheDetailedSummary)
{
    frmBKLCompareObjects& w = Window();
    LoadKind(QStringLiteral("Tables"));
    AddCompareRow(QStringLiteral("PayeeMaster"), QStringLiteral("Table"));
    ConnectTarget();
    seams.boxes.answers = {mb::Yes, mb::Yes};
    QString caption;
    QByteArray page;
    WithModal([&] { w.cmdCompare_Click(); },
              [&](QWidget* shown) {
                  auto* report = qobject_cast<frmBKLCompareReport*>(shown);
                  ASSERT_NE(report, nullptr);
                  caption = report->windowTitle();
                  page = browsers->last()->lastPage;
                  report->cmdClose_Click();
              });
    EXPECT_EQ(caption, QStringLiteral("Compare Objects - Detailed Summary"));
    EXPECT_EQ(page, ("<html><body>\r\n<br><br>\r\n" + w.m_sDetailedSummary + "\r\n</body></html>\r\n").toUtf8());
    const QStringList log = LogMessages();
    const int end = log.indexOf(QStringLiteral("End Compare"));
    ASSERT_GE(end, 0);
    EXPECT_EQ(log.mid(end, 4), (QStringList{"End Compare", "Launch Compare Objects",
                                            "Compare Objects - Loading ReportsCompare Objects",
                                            "Exiting Compare Objects - Detailed Summary"}));
}
