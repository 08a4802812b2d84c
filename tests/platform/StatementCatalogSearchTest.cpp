// Audit-trace and advanced-search statements on the source demo model (seed 1).
#include "StatementCatalog.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace bkl::test;

namespace {
const QString kSource = QStringLiteral("SalesModel2026");
const QString kAuditColumns = QStringLiteral(
    " UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, Time AS AUDITTIME, Message AS AUDITMESSAGE "
    "FROM Audit");
const QString kLatest = QStringLiteral(
    "lchen|Compensation Plans|Plan Modified|2026-08-31 23:39:54|Plan 'Account Executive Plan 2026' modified by lchen");
const QString kEarliest = QStringLiteral(
    "admin|Calculations|Calculation Created|2026-06-03 04:40:27|Calculation 'Quarterly Bonus' created by admin");
} // namespace

TEST(StatementCatalog, AuditTraceAndAdvancedSearchStatements)
{
    const QString restriction = QStringLiteral(
        "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation CAL, CalcConstraintTree CCT, "
        "CalcConstraintValue CCV WHERE CAL.CalculationID = CCT.CalculationID And CCV.ConstraintID = CCT.ConstraintID");
    const QString dependency = QStringLiteral(
        "SELECT DISTINCT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation C, CalculationColumnDependency "
        "CCD WHERE C.CalculationID = CCD.CalculationID");
    const QString byCalendar = QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE ");
    auto calcs = [](QStringList names) {
        for (QString& n : names)
            n += QStringLiteral("|Calculation");
        return names;
    };
    CheckStatements({
        {"event list", kSource, QStringLiteral("SELECT DISTINCT Event FROM Audit ORDER BY Event ASC"),
         {"Calculation Created", "Calculation Deleted", "Calculation Modified", "Import Completed", "Import Started",
          "Login", "Logout", "Model Calculated", "Plan Modified", "Report Published"}},
        {"module list", kSource, QStringLiteral("SELECT DISTINCT Module FROM Audit ORDER BY Module ASC"),
         {"Calculations", "Compensation Plans", "Import", "Model", "Presentor", "Security"}},
        {"user list", kSource, QStringLiteral("SELECT DISTINCT UserID FROM Audit ORDER BY UserID ASC"),
         {"admin", "jsmith", "lchen", "mgarcia", "rpatel", "tnguyen"}},
        {"default trace: top 200, newest first, WHERE cut off", kSource,
         QStringLiteral("SELECT TOP 200") + kAuditColumns + QStringLiteral(" ORDER BY Time DESC"),
         {kLatest}, RowOrder::Exact, 200},
        {"show all, oldest first", kSource, QStringLiteral("SELECT") + kAuditColumns + QStringLiteral(" ORDER BY Time ASC"),
         {kEarliest}, RowOrder::Exact, 400},
        {"event filter, AND cut off", kSource,
         QStringLiteral("SELECT TOP 200") + kAuditColumns + QStringLiteral(" WHERE UPPER(Event) LIKE '%LOGIN%' ORDER BY Time ASC"),
         {}, RowOrder::Exact, 49},
        {"three filters", kSource,
         QStringLiteral("SELECT TOP 200") + kAuditColumns
             + QStringLiteral(" WHERE UPPER(Message) LIKE '%QUARTERLY%' AND UPPER(Module) LIKE '%CALCULATIONS%' AND "
                              "UPPER(UserID) LIKE '%ADMIN%' ORDER BY Time DESC"),
         {"admin|Calculations|Calculation Created|2026-07-25 19:19:19|Calculation 'Quarterly Bonus' created by admin"},
         RowOrder::Exact, 2},
        {"a count that is no number gives TOP 0", kSource,
         QStringLiteral("SELECT TOP 0") + kAuditColumns + QStringLiteral(" ORDER BY Time DESC"), {}},
        {"a fractional count is refused", kSource,
         QStringLiteral("SELECT TOP 12.5") + kAuditColumns + QStringLiteral(" ORDER BY Time DESC"), {}, RowOrder::Exact,
         -1, true},
        {"calendar list", kSource, QStringLiteral("SELECT TimeID, Name FROM Time WHERE Parent IS NULL"),
         {"FISCAL|Fiscal Calendar", "STD|Standard Calendar", "RETAIL|Retail Calendar"}, RowOrder::AnyOrder},
        {"time/reset list", kSource,
         QStringLiteral("SELECT DISTINCT (TimeLevel + '/' +  ResetLevel) TIMERESET FROM Calculation WHERE TimeLevel IS "
                        "NOT NULL AND ResetLevel IS NOT NULL"),
         {"Month/Year", "Quarter/Year", "Month/Quarter"}, RowOrder::AnyOrder},
        {"restriction column and value, neither box", kSource,
         restriction + QStringLiteral(" AND UPPER(CCV.ColumnName)  LIKE '%TITLE%'  AND UPPER(CCV.Value)  LIKE "
                                      "'%ACCOUNT%'  ORDER BY ColName"),
         calcs({"Commission Amount", "Quarterly Bonus"})},
        {"restriction column, whole word and match case, empty value", kSource,
         restriction + QStringLiteral(" AND CCV.ColumnName  = 'TerminationDate'  AND CCV.Value IS NULL  ORDER BY ColName"),
         calcs({"Commission Amount"})},
        {"restriction column, match case only", kSource,
         restriction + QStringLiteral(" AND CCV.ColumnName  LIKE '%Date%'  AND UPPER(CCV.Value)  LIKE '%2026%'  ORDER "
                                      "BY ColName"),
         calcs({"Commission Amount", "New Hire Guarantee"})},
        {"restriction listed once per matching value (no DISTINCT)", kSource,
         restriction + QStringLiteral(" AND UPPER(CCV.ColumnName)  = 'TITLE'  AND UPPER(CCV.Value)  LIKE '%A%'  ORDER "
                                      "BY ColName"),
         calcs({"Commission Amount", "Commission Amount", "Quarterly Bonus"})},
        {"dependency table, neither box", kSource,
         dependency + QStringLiteral(" AND UPPER(CCD.TableName)  LIKE '%COMMISSIONRATES%'  ORDER BY ColName"),
         calcs({"Accelerator Rate", "Commission Amount"})},
        {"dependency table, match case only: no % added", kSource,
         dependency + QStringLiteral(" AND CCD.TableName LIKE 'SalesTransactions'  ORDER BY ColName"),
         calcs({"Commission Amount", "Product Mix", "Total Sales"})},
        {"dependency table with a typed wildcard, and column", kSource,
         dependency + QStringLiteral(" AND CCD.TableName LIKE 'Sales%'  AND CCD.ColumnName = 'Amount'  ORDER BY ColName"),
         calcs({"Commission Amount", "Legacy Adjustment", "Total Sales"})},
        {"no calendar", kSource, byCalendar + QStringLiteral("CalendarUsed IS NULL"),
         calcs({"Accelerator Rate", "Draw Recovery", "Gen Metric 00004", "Gen Metric 00008", "Gen Metric 00012",
                "Gen Metric 00016", "Gen Metric 00020", "Gen Metric 00024", "New Hire Guarantee", "_WR_Dashboard Sales",
                "_WR_Payee Statement Total"}),
         RowOrder::AnyOrder},
        {"calendar used", kSource, byCalendar + QStringLiteral("CalendarUsed = 'FISCAL'"),
         calcs({"Quota Attainment", "Commission Amount", "Quarterly Bonus", "Attainment Rank"}), RowOrder::AnyOrder},
        {"time and reset level", kSource, byCalendar + QStringLiteral("TimeLevel = 'Month' AND ResetLevel = 'Quarter'"),
         calcs({"Gen Metric 00003", "Gen Metric 00006", "Gen Metric 00009", "Gen Metric 00012", "Gen Metric 00015",
                "Gen Metric 00018", "Gen Metric 00021", "Gen Metric 00024", "Product Mix"}),
         RowOrder::AnyOrder},
    });
}

TEST(StatementCatalog, FieldsAreTypedLikeTheServer)
{
    bkl::db::Connection cn;
    cn.setConnectionString(DemoConnectionString(kSource));
    cn.open();
    using Type = bkl::db::Value::Type;
    bkl::db::Recordset audit(QStringLiteral("SELECT TOP 1") + kAuditColumns + QStringLiteral(" ORDER BY Time DESC"), cn);
    EXPECT_EQ(audit.field(QStringLiteral("AUDITUSERID")).type(), Type::Text);
    EXPECT_EQ(audit.field(QStringLiteral("AUDITTIME")).type(), Type::DateTime);
    EXPECT_EQ(audit.field(QStringLiteral("AUDITTIME")).toDateTime(), QDateTime(QDate(2026, 8, 31), QTime(23, 39, 54)));
    bkl::db::Recordset periods(QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS "
                                              "[CALPARENT], [Starting] AS [CALSTARTING], [Ending] AS [CALENDING] FROM "
                                              "[Time] WHERE TimeID = 'FISCAL' AND [Parent] IS NOT NULL  ORDER BY "
                                              "[Parent], Ending "),
                               cn);
    EXPECT_EQ(periods.field(QStringLiteral("CALSTARTING")).type(), Type::DateTime);
    bkl::db::Recordset count(QStringLiteral("SELECT COUNT(1) FROM Calculation "), cn);
    EXPECT_EQ(count.field(0).type(), Type::Integer);
    bkl::db::Recordset calc(QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCCALENDARUSED]= [CalendarUsed] FROM "
                                           "[Calculation] WHERE [Name] = 'Accelerator Rate'"),
                            cn);
    EXPECT_EQ(calc.field(QStringLiteral("CALCID")).type(), Type::Integer);
    EXPECT_TRUE(calc.field(QStringLiteral("CALCCALENDARUSED")).isNull());
    bkl::db::Recordset rate(QStringLiteral("SELECT Rate FROM Currency WHERE CurrencyCode = 'EUR'"), cn);
    EXPECT_EQ(rate.field(0).type(), Type::Decimal);
    EXPECT_EQ(rate.field(0).toText(), QStringLiteral("1.08"));
}
