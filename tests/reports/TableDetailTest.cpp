#include "ReportTestSupport.h"

#include "reports/DetailSectionFlags.h"
#include "reports/TableDetail.h"

using namespace bkl::reports;
using bkl::test::LogMessages;

namespace {
class TableDetail : public bkl::test::ReportTest {};

const QString kCountError = QStringLiteral("Function: GetTableCountUsingSYSTables() --> Code: 3021 --> Description: "
                                           "No current record: the recordset is at its end.");
const QString kPlainReference = QString(50, QLatin1Char(' '));
} // namespace

TEST_F(TableDetail, QuotaTargetsHtmlAndText)
{
    EXPECT_EQ(GetTableDetails(source(), QStringLiteral(" QuotaTargets ")),
              QStringLiteral(
                  "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' cellpadding='0'>"
                  "<tr ><td colspan='3' width='100%' ><b><font  face='Calibri' size='2'>Table Type: Data</font></b></td></tr>"
                  "<tr ><td colspan='3' width='100%' ><b><font  face='Calibri' size='2'>Record Count : 160 (approx.)</font></b></td></tr>"
                  "<tr><td width='40%' ><b><font  face='Calibri' size='2'>Column</font></b></td>"
                  "<td width='20%' ><b><font  face='Calibri' size='2'>Data Type</font></b></td>"
                  "<td width='40%' ><b><font  face='Calibri' size='2'>Reference</font></b></td></tr>"
                  "<tr><td width='40%' ><font  face='Calibri' size='2'>PayeeID</font></td>"
                  "<td width='20%' ><font  face='Calibri' size='2'>List</font></td>"
                  "<td width='40%' ><font  face='Calibri' size='2'>PayeeMaster.PayeeID</font></td></tr>"
                  "<tr><td width='40%' ><font  face='Calibri' size='2'>PeriodName</font></td>"
                  "<td width='20%' ><font  face='Calibri' size='2'>Text</font></td>"
                  "<td width='40%' ><font  face='Calibri' size='2'>&nbsp;</font></td></tr>"
                  "<tr><td width='40%' ><font  face='Calibri' size='2'>QuotaAmount</font></td>"
                  "<td width='20%' ><font  face='Calibri' size='2'>Currency</font></td>"
                  "<td width='40%' ><font  face='Calibri' size='2'>&nbsp;</font></td></tr></table>"));

    const QString expectedText = QString(150, QLatin1Char('-')) + QStringLiteral("\r\n")
        + QStringLiteral("Table: QuotaTargets\r\n\r\n"
                         "Table Type: Data\r\n\r\n"
                         "Record Count: 160\r\n\r\n")
        + QStringLiteral("Column").leftJustified(50) + QStringLiteral("Data Type").leftJustified(50)
        + QStringLiteral("Reference").leftJustified(50) + QStringLiteral("\r\n")
        + QStringLiteral("PayeeID").leftJustified(50) + QStringLiteral("List").leftJustified(50)
        + QStringLiteral("PayeeMaster.PayeeID").leftJustified(50) + QStringLiteral("\r\n")
        + QStringLiteral("PeriodName").leftJustified(50) + QStringLiteral("Text").leftJustified(50) + kPlainReference
        + QStringLiteral("\r\n") + QStringLiteral("QuotaAmount").leftJustified(50)
        + QStringLiteral("Currency").leftJustified(50) + kPlainReference + QStringLiteral("\r\n\r\n");
    EXPECT_EQ(ExportTableDetails(source(), QStringLiteral("QuotaTargets")), expectedText);
    EXPECT_TRUE(LogMessages().isEmpty());

    // Sections follow their switches; the closing empty line stays.
    bkl::test::SetAllSectionFlags(false);
    EXPECT_EQ(ExportTableDetails(source(), QStringLiteral("QuotaTargets")),
              QString(150, QLatin1Char('-')) + QStringLiteral("\r\nTable: QuotaTargets\r\n\r\n\r\n"));
    g_bTableRecordCount = true;
    EXPECT_EQ(ExportTableDetails(source(), QStringLiteral("QuotaTargets")),
              QString(150, QLatin1Char('-')) + QStringLiteral("\r\nTable: QuotaTargets\r\n\r\nRecord Count: 160\r\n\r\n\r\n"));
}

TEST_F(TableDetail, RecordCountIsGroupedAndZeroHasNoApprox)
{
    EXPECT_EQ(GetTableCountUsingSYSTables(source(), QStringLiteral(" SalesTransactions ")), 1500);
    EXPECT_TRUE(GetTableDetails(source(), QStringLiteral("SalesTransactions"))
                    .contains(QStringLiteral(">Record Count : 1,500 (approx.)</font></b></td></tr>")));
    EXPECT_TRUE(ExportTableDetails(source(), QStringLiteral("SalesTransactions"))
                    .contains(QStringLiteral("\r\nRecord Count: 1,500\r\n\r\n")));
    EXPECT_TRUE(LogMessages().isEmpty());

    // A table without a physical table: count 0 after an ERROR line, per renderer.
    EXPECT_EQ(GetTableCountUsingSYSTables(edge(), QStringLiteral("Ghost Table")), 0);
    EXPECT_TRUE(GetTableDetails(edge(), QStringLiteral("Ghost Table"))
                    .contains(QStringLiteral("<tr ><td colspan='3' width='100%' ><b><font  face='Calibri' size='2'>"
                                             "Record Count : 0</font></b></td></tr>")));
    EXPECT_TRUE(ExportTableDetails(edge(), QStringLiteral("Ghost Table")).contains(QStringLiteral("\r\nRecord Count: 0\r\n\r\n")));
    EXPECT_EQ(LogMessages(), QStringList({kCountError, kCountError, kCountError}));
}

TEST_F(TableDetail, ListColumnReferences)
{
    EXPECT_EQ(GetReferenceTableAndColumn(source(), QStringLiteral(" SalesTransactions "), QStringLiteral(" RegionCode ")),
              QStringLiteral("RegionLookup.RegionCode"));
    // Of two reference rows the first read, or the first in text order (the comparison).
    const bkl::db::Connection twoRefs = bkl::test::OpenAlteredDemoModel(
        QLatin1String(bkl::test::kSourceModel), QStringLiteral("INSERT INTO Reference VALUES (1, 'SalesTransactions', "
                                                               "'Atlas'); INSERT INTO ReferenceColumn VALUES (1, "
                                                               "'RegionCode', 'Code');"));
    for (const auto order : {bkl::reports::RowOrder::AsRead, bkl::reports::RowOrder::ByText})
        EXPECT_EQ(GetReferenceTableAndColumn(twoRefs, QStringLiteral("SalesTransactions"), QStringLiteral("RegionCode"),
                                             QStringLiteral("R"), order),
                  order == bkl::reports::RowOrder::ByText ? QStringLiteral("Atlas.Code")
                                                          : QStringLiteral("RegionLookup.RegionCode"));
    EXPECT_TRUE(LogMessages().isEmpty());

    // StatusCode is "List" without a reference row: a blank and an ERROR line.
    // AccountID refers to a table whose name holds a quote. Note is "list": no lookup.
    const QString refError = QStringLiteral("Function: GetReferenceTableAndColumn() --> Code: 3021 --> Description: "
                                            "No current record: the recordset is at its end.");
    EXPECT_EQ(GetReferenceTableAndColumn(edge(), QStringLiteral("Dangling List Table"), QStringLiteral("StatusCode")),
              QStringLiteral(" "));
    EXPECT_EQ(LogMessages(), QStringList({refError}));

    bkl::test::ClearLog();
    const QString html = GetTableDetails(edge(), QStringLiteral("Dangling List Table"));
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<tr><td width='40%' ><font  face='Calibri' size='2'>StatusCode</font></td>"
        "<td width='20%' ><font  face='Calibri' size='2'>List</font></td>"
        "<td width='40%' ><font  face='Calibri' size='2'> </font></td></tr>"
        "<tr><td width='40%' ><font  face='Calibri' size='2'>AccountID</font></td>"
        "<td width='20%' ><font  face='Calibri' size='2'>List</font></td>"
        "<td width='40%' ><font  face='Calibri' size='2'>O&#39;Brien Accounts.AccountID</font></td></tr>"
        "<tr><td width='40%' ><font  face='Calibri' size='2'>Note</font></td>"
        "<td width='20%' ><font  face='Calibri' size='2'>list</font></td>"
        "<td width='40%' ><font  face='Calibri' size='2'>&nbsp;</font></td></tr></table>")))
        << html.toStdString();
    const QString text = ExportTableDetails(edge(), QStringLiteral("Dangling List Table"));
    EXPECT_TRUE(text.endsWith(QStringLiteral("StatusCode").leftJustified(50) + QStringLiteral("List").leftJustified(50)
                              + kPlainReference + QStringLiteral("\r\n") + QStringLiteral("AccountID").leftJustified(50)
                              + QStringLiteral("List").leftJustified(50)
                              + QStringLiteral("O'Brien Accounts.AccountID").leftJustified(50) + QStringLiteral("\r\n")
                              + QStringLiteral("Note").leftJustified(50) + QStringLiteral("list").leftJustified(50)
                              + kPlainReference + QStringLiteral("\r\n\r\n")))
        << text.toStdString();
    EXPECT_EQ(LogMessages(), QStringList({refError, refError}));
}

TEST_F(TableDetail, FixedWidthColumnsAt50And51)
{
    const QString text = ExportTableDetails(edge(), QStringLiteral("Wide Columns"));
    const QString fifty = QStringLiteral("QuarterlyAcceleratedCommissionThresholdAmountLocal");
    const QString fiftyOne = QStringLiteral("QuarterlyAcceleratedCommissionThresholdAmountGlobal");
    ASSERT_EQ(fifty.size(), 50);
    ASSERT_EQ(fiftyOne.size(), 51);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n") + fifty + QStringLiteral("Currency").leftJustified(50) + kPlainReference
                              + QStringLiteral("\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n") + fiftyOne + QStringLiteral("\tCurrency").leftJustified(51)
                              + kPlainReference + QStringLiteral("\r\n")));
}

TEST_F(TableDetail, BlankUnknownAndColumnlessTables)
{
    // A blank name still runs the count (one ERROR line each) and shows the marker.
    EXPECT_EQ(GetTableDetails(source(), QStringLiteral("   ")), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(ExportTableDetails(source(), QString()), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(LogMessages(), QStringList({kCountError, kCountError}));

    // Unknown table and a table without CustomColumn rows: empty results.
    bkl::test::ClearLog();
    EXPECT_EQ(GetTableDetails(source(), QStringLiteral("NoSuchTable")), QString());
    EXPECT_EQ(ExportTableDetails(source(), QStringLiteral("NoSuchTable")), QString());
    EXPECT_EQ(LogMessages().size(), 2);
    EXPECT_EQ(GetTableDetails(edge(), QStringLiteral("No Columns Table")), QString());
    EXPECT_EQ(ExportTableDetails(edge(), QStringLiteral("No Columns Table")), QString());
}

TEST_F(TableDetail, NamesWithQuoteAndMarkup)
{
    // The quote is doubled in the statement, so the table is found; markup is escaped in HTML only.
    const QString html = GetTableDetails(edge(), QStringLiteral("Rates <2026> & More"));
    EXPECT_TRUE(html.contains(QStringLiteral(">Table Type: Lookup</font>")));
    EXPECT_TRUE(GetTableDetails(edge(), QStringLiteral("O'Brien Accounts")).contains(QStringLiteral(">Record Count : 3 (approx.)<")));
    EXPECT_TRUE(ExportTableDetails(edge(), QStringLiteral("Rates <2026> & More"))
                    .startsWith(QString(150, QLatin1Char('-')) + QStringLiteral("\r\nTable: Rates <2026> & More\r\n\r\n")));
    EXPECT_TRUE(LogMessages().isEmpty());
}
