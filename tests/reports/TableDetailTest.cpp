#include "reports/DetailSectionFlags.h"
#include "reports/TableDetail.h"

#include "ReportTestSupport.h"

using TableDetail = ReportTest;

namespace {

const QString kCountError = u"Function: GetTableCountUsingSYSTables() --> Code: 3021 --> Description: "
                            "No current record: the recordset is at its end."_s;
const QString kRefError = u"Function: GetReferenceTableAndColumn() --> Code: 3021 --> Description: "
                          "No current record: the recordset is at its end."_s;

// A column row: in HTML (`cell` is the tag opening each cell's font) and in text, each field in 50 columns.
QString HtmlRow(const char* column, const char* type, const char* reference, const char* cell = "{F}")
{
    const QString f = Html(cell);
    return "<tr><td width='40%' >" + f + QString::fromUtf8(column) + "</font></td><td width='20%' >" + f
        + QString::fromUtf8(type) + "</font></td><td width='40%' >" + f + QString::fromUtf8(reference) + "</font></td></tr>";
}
QString TextRow(const char* column, const char* type, const char* reference = "")
{
    return QString::fromUtf8(column).leftJustified(50) + QString::fromUtf8(type).leftJustified(50)
        + QString::fromUtf8(reference).leftJustified(50) + "\r\n";
}
} // namespace

TEST_F(TableDetail, QuotaTargetsHtmlAndText)
{
    EXPECT_EQ(GetTableDetails(source(), u" QuotaTargets "_s),
              Html("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' "
                   "cellpadding='0'><tr ><td colspan='3' width='100%' ><b>{F}Table Type: Data</font></b></td></tr>"
                   "<tr ><td colspan='3' width='100%' ><b>{F}Record Count : 160 (approx.)</font></b></td></tr>")
                  + HtmlRow("Column", "Data Type", "Reference", "<b>{F}").replace(u"</font></td>"_s, u"</font></b></td>"_s)
                  + HtmlRow("PayeeID", "List", "PayeeMaster.PayeeID") + HtmlRow("PeriodName", "Text", "&nbsp;")
                  + HtmlRow("QuotaAmount", "Currency", "&nbsp;") + "</table>");
    const QString heading = Rule(150) + "Table: QuotaTargets\r\n\r\n";
    EXPECT_EQ(ExportTableDetails(source(), u"QuotaTargets"_s),
              heading + "Table Type: Data\r\n\r\nRecord Count: 160\r\n\r\n" + TextRow("Column", "Data Type", "Reference")
                  + TextRow("PayeeID", "List", "PayeeMaster.PayeeID") + TextRow("PeriodName", "Text")
                  + TextRow("QuotaAmount", "Currency") + "\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
    // Sections follow their switches; the closing empty line stays.
    SetAllSectionFlags(false);
    EXPECT_EQ(ExportTableDetails(source(), u"QuotaTargets"_s), heading + "\r\n");
    g_bTableRecordCount = true;
    EXPECT_EQ(ExportTableDetails(source(), u"QuotaTargets"_s), heading + "Record Count: 160\r\n\r\n\r\n");
}

TEST_F(TableDetail, RecordCountIsGroupedAndZeroHasNoApprox)
{
    EXPECT_EQ(GetTableCountUsingSYSTables(source(), u" SalesTransactions "_s), 1500);
    ExpectPieces(GetTableDetails(source(), u"SalesTransactions"_s), {">Record Count : 1,500 (approx.)</font></b></td></tr>"});
    ExpectPieces(ExportTableDetails(source(), u"SalesTransactions"_s), {"\r\nRecord Count: 1,500\r\n\r\n"});
    EXPECT_TRUE(LogMessages().isEmpty());
    // A table without a physical table: count 0 after an ERROR line, per renderer.
    EXPECT_EQ(GetTableCountUsingSYSTables(edge(), u"Ghost Table"_s), 0);
    ExpectPieces(GetTableDetails(edge(), u"Ghost Table"_s),
                 {"<tr ><td colspan='3' width='100%' ><b><font  face='Calibri' size='2'>Record Count : 0</font></b></td></tr>"});
    ExpectPieces(ExportTableDetails(edge(), u"Ghost Table"_s), {"\r\nRecord Count: 0\r\n\r\n"});
    EXPECT_EQ(LogMessages(), QStringList({kCountError, kCountError, kCountError}));
}

TEST_F(TableDetail, ListColumnReferences)
{
    EXPECT_EQ(GetReferenceTableAndColumn(source(), u" SalesTransactions "_s, u" RegionCode "_s), "RegionLookup.RegionCode");
    // Of two reference rows the first read, or the first in text order (the comparison).
    const bkl::db::Connection twoRefs = OpenAlteredDemoModel(
        QLatin1String(kSourceModel), u"INSERT INTO Reference VALUES (1, 'SalesTransactions', 'Atlas'); "
                                     "INSERT INTO ReferenceColumn VALUES (1, 'RegionCode', 'Code');"_s);
    for (const auto order : {RowOrder::AsRead, RowOrder::ByText})
        EXPECT_EQ(GetReferenceTableAndColumn(twoRefs, u"SalesTransactions"_s, u"RegionCode"_s, u"R"_s, order),
                  order == RowOrder::ByText ? "Atlas.Code" : "RegionLookup.RegionCode");
    EXPECT_TRUE(LogMessages().isEmpty());

    // StatusCode is "List" without a reference row: a blank and an ERROR line.
    // AccountID refers to a table whose name holds a quote. Note is "list": no lookup.
    EXPECT_EQ(GetReferenceTableAndColumn(edge(), u"Dangling List Table"_s, u"StatusCode"_s), " ");
    EXPECT_EQ(LogMessages(), QStringList({kRefError}));
    ClearLog();
    ExpectPieces(GetTableDetails(edge(), u"Dangling List Table"_s),
                 {HtmlRow("StatusCode", "List", " ") + HtmlRow("AccountID", "List", "O&#39;Brien Accounts.AccountID")
                  + HtmlRow("Note", "list", "&nbsp;") + "</table>"});
    EXPECT_TRUE(ExportTableDetails(edge(), u"Dangling List Table"_s)
                    .endsWith(TextRow("StatusCode", "List") + TextRow("AccountID", "List", "O'Brien Accounts.AccountID")
                              + TextRow("Note", "list") + "\r\n"));
    EXPECT_EQ(LogMessages(), QStringList({kRefError, kRefError}));
}

TEST_F(TableDetail, FixedWidthColumnsBlankUnknownAndMarkedUpTables)
{
    // A column name of 50 characters is followed by the type; one of 51 by a tab.
    ExpectPieces(ExportTableDetails(edge(), u"Wide Columns"_s),
                 {"\r\n" + TextRow("QuarterlyAcceleratedCommissionThresholdAmountLocal", "Currency"),
                  "\r\n" + TextRow("QuarterlyAcceleratedCommissionThresholdAmountGlobal\t", "Currency")});
    // The quote is doubled in the statement, so the table is found; markup is escaped in HTML only.
    ExpectPieces(GetTableDetails(edge(), u"Rates <2026> & More"_s), {">Table Type: Lookup</font>"});
    ExpectPieces(GetTableDetails(edge(), u"O'Brien Accounts"_s), {">Record Count : 3 (approx.)<"});
    EXPECT_TRUE(ExportTableDetails(edge(), u"Rates <2026> & More"_s).startsWith(Rule(150) + "Table: Rates <2026> & More\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());

    // A blank name still runs the count (one ERROR line each) and shows the marker.
    EXPECT_EQ(GetTableDetails(source(), u"   "_s), "* No Details Available *");
    EXPECT_EQ(ExportTableDetails(source(), QString()), "* No Details Available *");
    EXPECT_EQ(LogMessages(), QStringList({kCountError, kCountError}));
    // Unknown table and a table without CustomColumn rows: empty results.
    ClearLog();
    EXPECT_EQ(GetTableDetails(source(), u"NoSuchTable"_s), QString());
    EXPECT_EQ(ExportTableDetails(source(), u"NoSuchTable"_s), QString());
    EXPECT_EQ(LogMessages().size(), 2);
    EXPECT_EQ(GetTableDetails(edge(), u"No Columns Table"_s), QString());
    EXPECT_EQ(ExportTableDetails(edge(), u"No Columns Table"_s), QString());
}
