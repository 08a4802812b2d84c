// The preview page file: grouping of checked rows, the kind order, the exact
// page lines with CR LF and the status hooks.
#include "mainwindow/PreviewPage.h"
#include "reports/CalculationDetail.h"
#include "reports/CalendarDetail.h"
#include "reports/CompensationPlanDetail.h"
#include "reports/Fragments.h"
#include "reports/PresentorReportDetail.h"
#include "reports/TableDetail.h"
#include "reports/TailoredReportDetail.h"
#include "reports/ViewDetail.h"
#include "shell/Globals.h"
#include "support/DemoModel.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::mainwindow;

namespace {

const QString kScript = QStringLiteral("<script type='text/javascript'>function toggleDiv(id) {}</script>");

QString KindHtml(const char* caption, const QString& id, const QString& item, const QString& fragment)
{
    return "<table border='0' width='100%' bgcolor='#000080' cellspacing='2' cellpadding='0'><tr><td> <b><font "
           "color='#FFFFFF' face='Calibri' size='2'><b>" + QString::fromUtf8(caption)
        + "</b></font></b></td></tr></table><p><b><font face='Calibri' size='2'><span title='Click here to see more "
          "information' style='cursor:pointer; cursor:hand' onclick='toggleDiv(\"" + id + "\")'>" + item
        + "</span></font></b></p><div id='" + id + "'><p><b><font face='Calibri' size='2'>" + fragment
        + "</font></b></p></div>";
}

} // namespace

TEST(PreviewPage, GroupsCheckedRowsByKindInPreviewOrder)
{
    const PreviewLists lists = GroupCheckedRows({
        {"  CUST  ", "Table"},
        {"(3) Monthly", " calendar "},
        {"Rate Calc", "Calculation"},
        {"ORDERS", "TABLE"},
        {"Odd", "Gadget"},
        {"V Sales", "View"},
        {"(1) Plan A", "Compensation Plan"},
        {"(2) Statement", "Tailored Report"},
        {"Dash", "Presentor Report"},
    });
    EXPECT_EQ(QStringList(lists.begin(), lists.end()),
              (QStringList{"|CUST|ORDERS", "|V Sales", "|Rate Calc", "|(3) Monthly", "|(1) Plan A", "|(2) Statement", "|Dash"}));
}

TEST(PreviewPage, OneObjectOfEachKindGivesTheExactPage)
{
    g_cnModel = bkl::test::OpenDemoModel(QStringLiteral("SalesModel2026"));
    PreviewLists lists;
    const QStringList items{"SalesTransactions", "PayeeEarningsView", "Commission Amount", "(FISCAL) Fiscal Calendar",
                            "(AE2026) Account Executive Plan 2026", "(TR01) Monthly Commission Statement",
                            "Sales Dashboard"};
    for (int k = 0; k < 7; ++k)
        lists[k] = QLatin1Char('|') + items[k];
    g_lPreviewDone = 0;
    g_lPreviewTotal = 7;
    reports::PlainProgressSink sink(1, 8, 1);
    QStringList statuses;
    int finished = 0;
    QDir().mkpath(bkl::test::TestHome() + QStringLiteral("/temp"));
    const QString path = PreviewPagePath();
    WritePreviewPage(path, kScript, lists, sink, {[&](const QString& s) { statuses << s; }, [&] { ++finished; }});

    // The fragments are the renderers' own (pinned by their tests); here they must
    // be real details of the demo objects, framed exactly.
    const db::Connection& cn = g_cnModel;
    const QStringList fragments{
        reports::GetTableDetails(cn, items[0]),           reports::GetViewDetails(cn, items[1]),
        reports::GetCalculationDetails(cn, items[2]),     reports::GetCalendarDetails(cn, items[3]),
        reports::GetCompensationPlanDetails(cn, items[4]), reports::GetTailoredReportDetails(cn, items[5]),
        reports::GetPresentorReportDetails(cn, items[6])};
    for (const QString& fragment : fragments) {
        EXPECT_GT(fragment.size(), 200);
        EXPECT_NE(fragment, QLatin1String(reports::kErrorSpacer));
    }
    const char* captions[] = {"Tables", "Views", "Calculations", "Calendars", "Compensation Plans",
                              "Tailored Reports", "Presentor Reports"};
    const char* ids[] = {"TAB_1", "VIE_1", "CALC_1", "CALE_1", "COMP_1", "TAIL_1", "PRES_1"};
    QString expected = "<html><body>\r\n" + kScript + "\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n";
    for (int k = 0; k < 7; ++k)
        expected += KindHtml(captions[k], ids[k], items[k], fragments[k]) + "\r\n";
    expected += "</body>\r\n</html>\r\n";
    EXPECT_EQ(bkl::test::FileBytes(path), expected.toUtf8());
    EXPECT_EQ(statuses, (QStringList{"Preview Table(s)...", "Preview View(s)...", "Preview Calculation(s)...",
                                     "Preview Calendar(s)...", "Preview Compensation Plan(s)...",
                                     "Preview Tailored Report(s)...", "Preview Presentor Report(s)..."}));
    EXPECT_EQ(finished, 7);
    EXPECT_EQ(sink.value(), 8);
    EXPECT_EQ(sink.caption(), "100%");
    EXPECT_TRUE(path.endsWith("/temp/_temp_02.html"));
    g_cnModel = db::Connection();
}
