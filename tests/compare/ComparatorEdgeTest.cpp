// Comparators on odd data: failing comparators and fetchers, names with quotes
// and markup, objects only the target holds; and formula alias rewriting as the
// comparison runs it, on each model with that model's own ids.
#include "ComparatorTestSupport.h"

#include "compare/CalculationFetchers.h"
#include "compare/CalendarComparator.h"
#include "compare/Comparator.h"
#include "compare/ComparisonCalcPolicy.h"
#include "compare/PresentorReportComparator.h"
#include "compare/TableComparator.h"
#include "compare/ViewComparator.h"
#include "reports/AliasRewriting.h"
#include "reports/CalcDataSources.h"
#include "reports/CalcWhereUsed.h"

using namespace bkl::comparetest;
using namespace bkl::compare;
using bkl::reports::RenderMode;

namespace {

using ComparatorEdge = ComparatorTest;

const QString kSpacer = QStringLiteral("<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");
const QString kBlank = QStringLiteral("&nbsp;");

// ERROR lines of the nine calculation fetchers, in section order.
const QStringList kCalcFetcherErrors = Errors({"CompareCalGetCalcType", "CompareCalGetCalcComment",
                                               "CompareCalGetCalcDataSource", "CompareCalGetCalcOperation",
                                               "CompareCalGetCalcPartitions", "CompareCalGetCalcRestrictions",
                                               "CompareCalGetCalcCalendar", "CompareCalGetCalcDependencies",
                                               "CompareCalGetCalcFolder"});

class ComparatorAlias : public ComparatorTest {
protected:
    void TearDown() override { bkl::db::SetStatementObserver({}); }
    QStringList& record()
    {
        bkl::db::SetStatementObserver([this](const QString& sql) { statements.append(sql); });
        return statements;
    }
    static QString rewrite(const bkl::db::Connection& cn, const QString& text, int calcId, RenderMode mode = RenderMode::Text)
    {
        return bkl::reports::ReplaceResultAndLookupAndTableAlias(cn, text, calcId, mode, ComparisonCalcPolicy().alias);
    }
    QStringList statements;
};

const QString kResultQuery = QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = %1");

} // namespace

TEST_F(ComparatorEdge, FailuresAreErrorsWithTheirLine)
{
    // A calendar item text that cannot be cut fails the comparator.
    for (const char* item : {"Fiscal Calendar", "(FISCAL Fiscal Calendar", ") FISCAL ( Fiscal Calendar"}) {
        ClearLog();
        const QString result = Compare(item, "CALENDAR");
        EXPECT_EQ(result.left(1), "3") << item;
        EXPECT_TRUE(result.endsWith(QStringLiteral(
            "Target Model: SalesModel2026_Target@demo</font></b></td></tr><tr><td Colspan='3'><b><font  color = "
            "'#C05000' face='Calibri' size='2'>Function: CompareCalendars() --&gt; Code: 5 --&gt; Description: "
            "Invalid procedure call or argument</font></b></td></tr></table>")))
            << item;
        EXPECT_EQ(ErrorMessages(), QStringList{"Function: CompareCalendars() --> Code: 5 --> Description: Invalid "
                                               "procedure call or argument"})
            << item;
    }
    // Without "(", the text before ")" is the time id.
    ClearLog();
    EXPECT_EQ(Status("FISCAL) Fiscal Calendar", "CALENDAR"), "1");
    EXPECT_TRUE(ErrorMessages().isEmpty());

    // A failed existence test is no missing object.
    EXPECT_EQ(Status("PayeeMaster", "TABLE", {source(), bkl::db::Connection(), "s", "t"}), "3");
    EXPECT_EQ(ErrorStarts(), QStringList{"Function: CheckIfObjectExists() -> Code: "});
    EXPECT_EQ(CheckIfObjectExists("SELECT COUNT(1) FROM NoSuchTable", source()), 0);
    EXPECT_EQ(CheckIfObjectExists("SELECT COUNT(1) FROM Calculation", source()), 41);

    // The same failure on both sides, or on the source of an object it holds, is no equality:
    // a view column without "." fails the dependent-objects query; a "List" column without
    // reference rows, a calendar without its root row and a looping restriction tree fail their reads.
    for (const auto& [name, kind] : std::vector<std::pair<const char*, const char*>>{
             {"Edge View", "VIEW"}, {"Dangling List Table", "TABLE"}, {"Missing Calendar", "CALCULATION"},
             {"Cyclic Restrictions", "CALCULATION"}})
        EXPECT_EQ(Status(name, kind, edgeSides()), "3") << name;
}

TEST_F(ComparatorEdge, NamesWithQuotesAndMarkup)
{
    const std::vector<std::array<const char*, 3>> objects = {
        {"O'Brien Accounts", "TABLE", "Table Name: O&#39;Brien Accounts"},
        {"Rates <2026> & More", "TABLE", "Table Name: Rates &lt;2026&gt; &amp; More"},
        {"O'Brien View", "VIEW", "View Name: O&#39;Brien View"},
        {"(EDGE) Edge <Calendar> & Co", "CALENDAR", "Calendar: (EDGE) Edge &lt;Calendar&gt; &amp; Co"},
        {"Rate <Tier> & Bonus", "CALCULATION", "Calculation: Rate &lt;Tier&gt; &amp; Bonus"},
        {"Report <One> & Two", "PRESENTOR REPORT", "Presentor Report: Report &lt;One&gt; &amp; Two"},
    };
    for (const auto& [name, kind, title] : objects) {
        const QString result = Compare(name, kind, edgeSides());
        EXPECT_EQ(result.left(1), "1") << name;
        EXPECT_TRUE(result.contains("size='2'>" + QString::fromUtf8(title) + "</font>")) << name;
        for (const char* raw : {"<Tier>", "<2026>", "<One>", "<Calendar>"})
            EXPECT_FALSE(result.contains(QLatin1String(raw))) << name;
    }
    EXPECT_EQ(ErrorMessages(), QStringList());
    // The model captions are escaped as well.
    const QString page = Compare("O'Brien Accounts", "TABLE", {edge(), edge(), "A<B>@h&1", "O'B@h"});
    EXPECT_TRUE(page.contains("'>Source Model: A&lt;B&gt;@h&amp;1</font>"));
    EXPECT_TRUE(page.contains("'>Target Model: O&#39;B@h</font>"));
}

TEST_F(ComparatorEdge, ObjectsOnlyTheTargetHoldsHaveTheSourcesNoRowValues)
{
    const QString cell = QStringLiteral("</font></b></td><td width='45%' ><font  face='Calibri' size='2'>");
    const QString table = Compare("TerritoryAssignments", "TABLE");
    EXPECT_EQ(table.left(1), "0");
    EXPECT_TRUE(table.contains("Table Type:" + cell + "&nbsp;</font></td>"));
    EXPECT_TRUE(table.contains("Record Count:" + cell + "0</font></td>"));
    EXPECT_EQ(ErrorStarts(), Errors({"CompareTableGetTableType", "CompareTableGetRecCountUsingSYSTables"}));

    ClearLog();
    const QString calc = Compare("New Hire Ramp", "CALCULATION");
    EXPECT_EQ(calc.left(1), "0");
    for (const char* label : {"Type:", "Description:", "Formula:", "Calendar:"})
        EXPECT_TRUE(calc.contains(label + cell + "&nbsp;</font></td>")) << label;
    for (const char* label : {"Data Source(s):", "Partitions:", "Restrictions:", "Dependencies:", "Folder:"})
        EXPECT_TRUE(calc.contains(QString::fromUtf8(label)
                                  + "</font></b></td><td width='45%' valign='top' ><font  face='Calibri' size='2'>&nbsp;</font></td>"))
            << label;
    EXPECT_EQ(ErrorStarts(), kCalcFetcherErrors);
}

TEST_F(ComparatorEdge, FetchersAtTheirEdges)
{
    EXPECT_EQ(CompareTableGetRecCountUsingSYSTables(edge(), "Ghost Table"), 0);
    EXPECT_EQ(CompareTableGetTableType(edge(), "No Columns Table"), QString());
    EXPECT_EQ(CompareTableGetTableType(edge(), " Rates <2026> & More "), "Lookup");
    const QString columns = CompareTableGetColumns(edge(), "Dangling List Table");
    // A "List" column without reference rows gets one blank; "list" is no List.
    EXPECT_TRUE(columns.contains("size='2'>StatusCode</font></td><td width='20%' ><font  face='Calibri' "
                                 "size='2'>List</font></td><td width='40%' ><font  face='Calibri' size='2'> </font></td>"));
    EXPECT_TRUE(columns.contains("size='2'>list</font></td><td width='40%' ><font  face='Calibri' size='2'>&nbsp;</font></td>"));
    EXPECT_EQ(ErrorStarts(), Errors({"CompareTableGetRecCountUsingSYSTables", "CompareGetReferenceTableAndColumn"}));

    // A view column without "." makes the dependent-objects query fail.
    ClearLog();
    EXPECT_EQ(CompareAllCalculationsForView(edge(), "Edge View"), kSpacer);
    EXPECT_EQ(CompareViewFields(edge(), "No Such View"), "<table border='0' width='100%'></table>");
    EXPECT_EQ(ErrorStarts(), Errors({"CompareAllCalculationsForView"}));

    // A calendar without periods has the heading row only.
    EXPECT_TRUE(CompareCalendarDetails(edge(), "EMPTY").endsWith("size='2'>Period End</font></b></td></tr></table>"));

    ClearLog();
    EXPECT_EQ(CompareCalGetCalcCalendar(edge(), "Missing Calendar"), kBlank);
    EXPECT_EQ(ErrorStarts(), Errors({"CompareTimeCalendar"}));
    ClearLog();
    EXPECT_EQ(CompareTimeCalendar(edge(), "  "), QString());
    EXPECT_EQ(CompareCalGetCalcCalendar(edge(), "Cyclic Restrictions"), kBlank);
    EXPECT_EQ(CompareCalGetCalcCalendar(edge(), "Base Amount"), "EDGE - Edge &lt;Calendar&gt; &amp; Co");
    EXPECT_EQ(CompareCalGetCalcType(source(), " Region Sales "), "Sort Calculation");
    EXPECT_EQ(CompareCalGetCalcComment(edge(), "Rate <Tier> & Bonus"), "Edge case 3.");
    EXPECT_EQ(CompareCalGetCalcFolder(edge(), "_wr_lowercase helper"), kSpacer);
    EXPECT_TRUE(ErrorMessages().isEmpty());

    // Looping parent links end with an ERROR line, not a hang.
    EXPECT_TRUE(CompareCalGetCalcRestrictions(edge(), "Cyclic Restrictions").startsWith("<table border='0' width='100%'>"));
    EXPECT_TRUE(CompareCalGetCalcFolder(edge(), "Cyclic Folder")
                    .startsWith("<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;Calculations (Root)"));
    EXPECT_EQ(ErrorStarts(), Errors({"CompareCalcConstraintTree", "CompareFolderTreeRecursive"}));
}

TEST_F(ComparatorEdge, FailingFetchersAndSectionsGiveTheirNeutralValues)
{
    const bkl::db::Connection closed;
    const QString t = QStringLiteral("PayeeMaster");
    EXPECT_EQ(CompareTableGetTableType(closed, t), kBlank);
    EXPECT_EQ(CompareTableGetRecCountUsingSYSTables(closed, t), 0);
    EXPECT_EQ(CompareTableGetColumns(closed, t), kBlank);
    EXPECT_EQ(CompareViewFields(closed, t), kBlank);
    EXPECT_EQ(CompareAllCalculationsForView(closed, t), kSpacer);
    EXPECT_EQ(CompareCalendarDetails(closed, "STD"), kSpacer);
    EXPECT_EQ(ComparePresentorReportSourceDependency(closed, t), kBlank);
    EXPECT_EQ(ComparePresentorReportLinkedReports(closed, t), QString());
    EXPECT_EQ(CompareTimeCalendar(closed, "STD"), QString());
    for (auto fetch : {CompareCalGetCalcType, CompareCalGetCalcComment, CompareCalGetCalcDataSource,
                       CompareCalGetCalcOperation, CompareCalGetCalcPartitions, CompareCalGetCalcRestrictions,
                       CompareCalGetCalcCalendar, CompareCalGetCalcDependencies, CompareCalGetCalcFolder})
        EXPECT_EQ(fetch(closed, "Commission Amount"), kBlank);
    EXPECT_EQ(ErrorStarts(), Errors({"CompareTableGetTableType", "CompareTableGetRecCountUsingSYSTables",
                                     "CompareTableGetColumns", "CompareViewFields", "CompareAllCalculationsForView",
                                     "CompareCalendarDetails", "ComparePresentorReportSourceDependency",
                                     "ComparePresentorReportLinkedReports", "CompareTimeCalendar"})
                                 + kCalcFetcherErrors);

    // The comparison's calculation sections log under their own names and give "&nbsp;"; each
    // dependents list is left empty; the folder's name is logged with a blank before "()".
    ClearLog();
    using namespace bkl::reports;
    const CalcPolicy& p = ComparisonCalcPolicy();
    EXPECT_EQ(CalculationSourceAndJoinAndUnion(closed, "X", 1, RenderMode::Html, p), kBlank);
    EXPECT_EQ(CalculationPartitions(closed, 1, QString(), QString(), QString(), RenderMode::Html, p), kBlank);
    EXPECT_EQ(CalculationDependentObjects(closed, 1, "X", RenderMode::Html, p).count("<font face='Calibri' size='2'></font>"), 4);
    EXPECT_EQ(ErrorStarts(), Errors({"CompareCalculationSourceAndJoinAndUnion", "CompareCalculationPartitions",
                                     "CompareAllViewsForCalculation", "CompareAllCompPlanForCalculation",
                                     "CompareAllTailoredReportsForCalculation", "CompareAllPresentorReportsForCalculation"}));
    EXPECT_EQ(p.html.folder.logName, "CompareCalculationFolder ");
    EXPECT_EQ(p.html.restrictions.value, kBlank);
}

TEST_F(ComparatorAlias, EachModelRewritesWithItsOwnIds)
{
    // Commission Amount is 1005 in the source and 5005 in the target; its formula
    // names Quarterly Bonus by each model's own id.
    const QString rewritten = QStringLiteral("( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - "
                                             "Draw Recovery.Recovery + PayeeMaster.RegionCode * 0");
    const QString formula = QStringLiteral("( _TableAlias0 * _LookupAlias0.Rate ) + _Result%1 - _LookupAlias1.Recovery + _TableAlias1 * 0");
    QStringList& sql = record();
    EXPECT_EQ(rewrite(target(), formula.arg(5006), 5005), rewritten);
    for (const QString& s : sql)
        EXPECT_FALSE(s.contains("1005") || s.contains("1006")) << s.toStdString();
    EXPECT_TRUE(sql.contains(kResultQuery.arg(5006)));
    EXPECT_EQ(rewrite(source(), formula.arg(1006), 1005), rewritten);

    // The formula fetcher reads each model's row and id.
    EXPECT_EQ(CompareCalGetCalcOperation(target(), "Commission Amount"), rewritten);
    EXPECT_EQ(CompareCalGetCalcOperation(source(), "Commission Amount"), rewritten);
    EXPECT_TRUE(ErrorMessages().isEmpty());
}

TEST_F(ComparatorAlias, TokenReadingAndFailures)
{
    // A token before the line-end markup is read whole; a text that is not HTML has no markup.
    const QString line = QStringLiteral("&nbsp;CommissionRates.LowerBound  &lt;=  _Result5001<br>&nbsp;)<br>");
    EXPECT_EQ(rewrite(target(), line, 5005, RenderMode::Html), "&nbsp;CommissionRates.LowerBound  &lt;=  Total Sales<br>&nbsp;)<br>");
    EXPECT_EQ(rewrite(target(), "_Result5001<br>&nbsp;)", 5005, RenderMode::Text), "_Result5001<br>&nbsp;)");

    // "5001)*(2" is not followed by a blank, "." or the end within 8 characters: it takes the previous number.
    QStringList& sql = record();
    EXPECT_EQ(rewrite(target(), "_Result5006 + _Result5001)*(2+3)/4", 5005), "Quarterly Bonus + _Result5001)*(2+3)/4");
    EXPECT_EQ(sql, (QStringList{kResultQuery.arg(5006), kResultQuery.arg(5006), kResultQuery.arg(0)}));

    // Failures name the comparison's procedures.
    EXPECT_EQ(rewrite(bkl::db::Connection(), "_TableAlias0 _LookupAlias0 _Result1", 1), "_TableAlias0 _LookupAlias0 _Result1");
    EXPECT_EQ(ErrorStarts(), Errors({"CompareCalcNameForTableAlias", "CompareCalcNameForLookupAlias", "CompareCalcNameForResultAlias"}));
}
