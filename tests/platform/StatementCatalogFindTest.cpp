// Find, model summary and model-test statements on the demo server.
#include "StatementCatalog.h"

#include <gtest/gtest.h>

using namespace bkl::test;

namespace {

const QString kSource = QStringLiteral("SalesModel2026");

QStringList Numbered(const QString& pattern, int count, int width, const QString& suffix)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << pattern.arg(i, width, 10, QLatin1Char('0')) + suffix;
    return out;
}

} // namespace

TEST(StatementCatalog, ModelTestSummaryAndFindStatements)
{
    const QString modelTest = QStringLiteral(
        "SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' AND UPPER(TABLE_CATALOG) = "
        "'%1'  AND UPPER(TABLE_NAME) IN ('CALCULATION', 'CALCULATIONTREE', 'CONFIG','CURRENCY', 'SALUTATION', "
        "'IMPORT', 'DOCUMENT', 'ADMIN', 'AUDIT')");
    QStringList tables = {"CommissionRates|Table"};
    tables << Numbered(QStringLiteral("GenTable%1"), 8, 4, QStringLiteral("|Table"));
    tables << QStringList{"PayeeMaster|Table", "ProductLookup|Table", "QuotaTargets|Table", "RegionLookup|Table",
                          "SalesAdjustments|Table", "SalesTransactions|Table"};
    QStringList calculations = {"_WR_Dashboard Sales", "_WR_Payee Statement Total", "Accelerator Rate",
                                "Attainment Rank", "Commission Amount", "Draw Recovery"};
    calculations << Numbered(QStringLiteral("Gen Metric %1"), 25, 5, QString());
    calculations << QStringList{"Legacy Adjustment", "New Hire Guarantee", "Prior Year Sales", "Product Mix",
                                "Quarterly Bonus", "Quota Attainment", "Region Sales", "Team Sales Rollup",
                                "Total Sales", "Year To Date Sales"};
    for (QString& c : calculations)
        c += QStringLiteral("|Calculation");
    CheckStatements({
        {"database list", QStringLiteral("master"), QStringLiteral("SELECT name FROM sysdatabases ORDER BY NAME"),
         {"EdgeCaseModel", "master", "model", "msdb", "SalesArchive2025", "SalesModel2026", "SalesModel2026_Target",
          "tempdb"}},
        {"model test, source", QStringLiteral("SALESMODEL2026"), modelTest.arg(QStringLiteral("SALESMODEL2026")), {"9"}},
        {"model test, target", QStringLiteral("SALESMODEL2026_TARGET"),
         modelTest.arg(QStringLiteral("SALESMODEL2026_TARGET")), {"9"}},
        {"model test, edge cases", QStringLiteral("EDGECASEMODEL"), modelTest.arg(QStringLiteral("EDGECASEMODEL")),
         {"9"}},
        {"model test, not a model", QStringLiteral("SALESARCHIVE2025"), modelTest.arg(QStringLiteral("SALESARCHIVE2025")),
         {"8"}},
        {"tables", kSource, QStringLiteral("SELECT COUNT(1)  FROM CustomTable WHERE TableType <> 'View' "), {"15"}},
        {"views", kSource, QStringLiteral("SELECT COUNT(1)  FROM CustomTable WHERE TableType = 'View' "), {"5"}},
        {"calculations", kSource, QStringLiteral("SELECT COUNT(1) FROM Calculation "), {"41"}},
        {"calendars", kSource, QStringLiteral("SELECT COUNT(1) FROM TimeCalendar"), {"3"}},
        {"plans, plain", kSource, QStringLiteral("SELECT COUNT(1) FROM CompPlan "), {"4"}},
        {"plans, rich", kSource, QStringLiteral("SELECT COUNT(1) FROM CompPlan"), {"4"}},
        {"tailored reports", kSource, QStringLiteral("SELECT COUNT(1) FROM TailoredReport "), {"3"}},
        {"presentor reports", kSource, QStringLiteral("SELECT COUNT(1) FROM WebReport"), {"4"}},
        {"admins", kSource, QStringLiteral("SELECT COUNT(1) FROM [Admin] "), {"3"}},
        {"web users", kSource, QStringLiteral("SELECT COUNT(1) FROM [Users]"), {"8"}},
        {"server imports", kSource, QStringLiteral("SELECT COUNT(1) FROM [Import] WHERE IsLocal = 0"), {"3"}},
        {"tables", kSource,
         QStringLiteral("SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' "
                        "ORDER BY ColName"),
         tables},
        {"views", kSource,
         QStringLiteral("SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' "
                        "ORDER BY ColName"),
         {"GenView0001|View", "GenView0002|View", "PayeeEarningsView|View", "QuotaAttainmentView|View",
          "RegionSalesView|View"}},
        {"calendars", kSource,
         QStringLiteral("SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE "
                        "Parent IS NULL ORDER BY ColName"),
         {"(FISCAL) Fiscal Calendar|Calendar", "(RETAIL) Retail Calendar|Calendar",
          "(STD) Standard Calendar|Calendar"}},
        {"calculations", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation ORDER BY ColName"),
         calculations},
        {"compensation plans", kSource,
         QStringLiteral("SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM "
                        "CompPlan ORDER BY ColName"),
         {"(AE2026) Account Executive Plan 2026|Compensation Plan", "(INT2026) International Plan 2026|Compensation Plan",
          "(NH2026) New Hire Plan 2026|Compensation Plan", "(SM2026) Sales Manager Plan 2026|Compensation Plan"}},
        {"tailored reports", kSource,
         QStringLiteral("SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport "
                        "ORDER BY ColName"),
         {"(TR01) Monthly Commission Statement|Tailored Report", "(TR02) Quarterly Bonus Summary|Tailored Report",
          "(TR03) Attainment Overview|Tailored Report"}},
        {"presentor reports", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport ORDER BY ColName"),
         {"Payee Statement|Presentor Report", "Quota Tracker|Presentor Report", "Region Summary|Presentor Report",
          "Sales Dashboard|Presentor Report"}},
        {"tables, whole word and match case (no blank before ORDER)", kSource,
         QStringLiteral("SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' "
                        "AND TableName = 'PayeeMaster'ORDER BY ColName"),
         {"PayeeMaster|Table"}},
        {"tables, match case only", kSource,
         QStringLiteral("SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' "
                        "AND TableName LIKE '%Lookup%' ORDER BY ColName"),
         {"ProductLookup|Table", "RegionLookup|Table"}},
        {"views, whole word only", kSource,
         QStringLiteral("SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' "
                        "AND UPPER(TableName) = 'REGIONSALESVIEW' ORDER BY ColName"),
         {"RegionSalesView|View"}},
        {"views, neither", kSource,
         QStringLiteral("SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' "
                        "AND UPPER(TableName) LIKE '%GEN%' ORDER BY ColName"),
         {"GenView0001|View", "GenView0002|View"}},
        {"calendars, whole word and match case", kSource,
         QStringLiteral("SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE "
                        "Parent IS NULL AND [Name] = 'Fiscal Calendar'ORDER BY ColName"),
         {"(FISCAL) Fiscal Calendar|Calendar"}},
        {"calendars, neither", kSource,
         QStringLiteral("SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE "
                        "Parent IS NULL AND UPPER([Name]) LIKE '%STANDARD%' ORDER BY ColName"),
         {"(STD) Standard Calendar|Calendar"}},
        {"calculations, match case still compares like the server's collation (case-insensitive)", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND [Name] = "
                        "'total sales' ORDER BY ColName"),
         {"Total Sales|Calculation"}},
        {"calculations, neither", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND "
                        "UPPER([Name]) LIKE '%SALES%' ORDER BY ColName"),
         {"_WR_Dashboard Sales|Calculation", "Prior Year Sales|Calculation", "Region Sales|Calculation",
          "Team Sales Rollup|Calculation", "Total Sales|Calculation", "Year To Date Sales|Calculation"}},
        {"calculations, a typed character class stays a wildcard", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND "
                        "UPPER([Name]) LIKE '%[XY]%' ORDER BY ColName"),
         {"_WR_Payee Statement Total|Calculation", "Draw Recovery|Calculation", "Legacy Adjustment|Calculation",
          "Prior Year Sales|Calculation", "Product Mix|Calculation", "Quarterly Bonus|Calculation",
          "Year To Date Sales|Calculation"}},
        {"calculations, a typed quote becomes a double quote", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND "
                        "UPPER([Name]) LIKE '%O\"BRIEN%' ORDER BY ColName"),
         {}},
        {"compensation plans, match case only", kSource,
         QStringLiteral("SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM "
                        "CompPlan WHERE 1 = 1 AND [Name] LIKE '%Manager%' ORDER BY ColName"),
         {"(SM2026) Sales Manager Plan 2026|Compensation Plan"}},
        {"tailored reports, whole word only", kSource,
         QStringLiteral("SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport "
                        "WHERE 1 = 1 AND UPPER([Name]) = 'ATTAINMENT OVERVIEW' ORDER BY ColName"),
         {"(TR03) Attainment Overview|Tailored Report"}},
        {"presentor reports, whole word with a trailing blank", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE [Name] = "
                        "'Sales Dashboard ' ORDER BY ColName"),
         {"Sales Dashboard|Presentor Report"}},
        {"presentor reports, neither (form with a leading blank)", kSource,
         QStringLiteral("SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE  UPPER([Name]) "
                        "LIKE '%[QR]%' ORDER BY ColName"),
         {"Quota Tracker|Presentor Report", "Region Summary|Presentor Report", "Sales Dashboard|Presentor Report"}},
    });
}
