// Every calculation of every demo model renders in both forms, and only the
// edge-case model's traps write ERROR lines.
#include "reports/CalculationDetail.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"

#include "platform/db/Recordset.h"

#include "CalcTestSupport.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;
using namespace bkl::test;

TEST(CalcAllDemo, EveryCalculationRendersInBothForms)
{
    g_bCalcType = g_bCalcDescription = g_bCalcDataSources = g_bCalcFormula = g_bCalcPartitions = g_bCalcRestrictions =
        g_bCalcCalendar = g_bCalcDependencies = g_bCalcFolder = true;
    for (const char* model : {"SalesModel2026", "SalesModel2026_Target", kEdgeModel}) {
        ClearLog();
        auto cn = OpenDemoModel(QLatin1String(model));
        bkl::db::Recordset rs(QStringLiteral("SELECT [Name] FROM Calculation ORDER BY [Name]"), cn);
        int count = 0;
        for (; !rs.eof(); rs.moveNext(), ++count) {
            const QString name = rs.field(0).toText();
            const QString html = GetCalculationDetails(cn, name);
            EXPECT_TRUE(html.startsWith(QLatin1String(kFullWidthDetailTableOpen))) << model << ": " << name.toStdString();
            EXPECT_EQ(html.count(QStringLiteral("<td width='20%' ><b>")), 9) << model << ": " << name.toStdString();
            const QString text = ExportCalculationDetails(cn, name);
            EXPECT_TRUE(text.contains(QStringLiteral("Calculation: ") + name + QStringLiteral("\r\n\r\nType: ")))
                << model << ": " << name.toStdString();
            EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n\r\n"))) << model << ": " << name.toStdString();
        }
        EXPECT_GT(count, 15) << model;
        QStringList errors = LogMessages();
        if (QLatin1String(model) == QLatin1String(kEdgeModel)) {
            // The cyclic restriction tree and the two cyclic folder trees (once per
            // form each), and the calendar that does not exist.
            EXPECT_EQ(errors.filter(QStringLiteral("Code: 28 --> ")).size(), 6) << errors.join('\n').toStdString();
            EXPECT_EQ(errors.filter(QStringLiteral("Function: GetTimeCalendar() --> Code: 3021")).size(), 2);
            EXPECT_EQ(errors.size(), 8) << errors.join('\n').toStdString();
        } else {
            EXPECT_TRUE(errors.isEmpty()) << model << ": " << errors.join('\n').toStdString();
        }
    }
    g_bCalcType = g_bCalcDescription = g_bCalcDataSources = g_bCalcFormula = g_bCalcPartitions = g_bCalcRestrictions =
        g_bCalcCalendar = g_bCalcDependencies = g_bCalcFolder = false;
}
