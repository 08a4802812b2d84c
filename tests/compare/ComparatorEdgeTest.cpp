// Comparators on odd data: failing comparators and fetchers, names with quotes
// and markup, objects only the target holds, and the message pump.
#include "ComparatorTestSupport.h"

#include "compare/CalculationFetchers.h"
#include "compare/CalendarComparator.h"
#include "compare/Comparator.h"
#include "compare/CompareObject.h"
#include "compare/ComparisonCalcPolicy.h"
#include "compare/PresentorReportComparator.h"
#include "compare/TableComparator.h"
#include "compare/ViewComparator.h"
#include "reports/CalcDataSources.h"
#include "reports/CalcWhereUsed.h"
#include "reports/Fragments.h"


using namespace bkl::comparetest;
using bkl::compare::CompareObject;

namespace {
class ComparatorEdge : public ComparatorTest {};

const QString kSpacer = QStringLiteral("<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");

// The starts of the ERROR lines the named functions log, in order.
QStringList Errors(const QStringList& functions)
{
    QStringList starts;
    for (const QString& f : functions)
        starts << QStringLiteral("Function: ") + f + QStringLiteral("() --> Code: ");
    return starts;
}

// ERROR lines of the nine calculation fetchers, in section order.
const QStringList kCalcFetcherErrors = Errors({"CompareCalGetCalcType", "CompareCalGetCalcComment",
                                               "CompareCalGetCalcDataSource", "CompareCalGetCalcOperation",
                                               "CompareCalGetCalcPartitions", "CompareCalGetCalcRestrictions",
                                               "CompareCalGetCalcCalendar", "CompareCalGetCalcDependencies",
                                               "CompareCalGetCalcFolder"});

QStringList startsOfErrors()
{
    QStringList starts;
    for (const QString& m : ErrorMessages())
        starts.append(m.left(m.indexOf(QStringLiteral("Code: ")) + 6));
    return starts;
}
} // namespace

TEST_F(ComparatorEdge, FailuresAreErrorsWithTheirLine)
{
    // A calendar item text that cannot be cut fails the comparator.
    for (const char* item : {"Fiscal Calendar", "(FISCAL Fiscal Calendar", ") FISCAL ( Fiscal Calendar"}) {
        ClearLog();
        const QString result = CompareObject(sides(), QString::fromUtf8(item), QStringLiteral("CALENDAR"));
        EXPECT_EQ(StatusOf(result), QStringLiteral("3")) << item;
        EXPECT_TRUE(result.endsWith(QStringLiteral(
            "Target Model: SalesModel2026_Target@demo</font></b></td></tr><tr><td Colspan='3'><b><font  color = "
            "'#C05000' face='Calibri' size='2'>Function: CompareCalendars() --&gt; Code: 5 --&gt; Description: "
            "Invalid procedure call or argument</font></b></td></tr></table>")))
            << item;
        EXPECT_EQ(ErrorMessages(),
                  QStringList{QStringLiteral(
                      "Function: CompareCalendars() --> Code: 5 --> Description: Invalid procedure call or argument")})
            << item;
    }
    // Without "(", the text before ")" is the time id.
    ClearLog();
    EXPECT_EQ(StatusOf(CompareObject(sides(), QStringLiteral("FISCAL) Fiscal Calendar"), QStringLiteral("CALENDAR"))),
              QStringLiteral("1"));
    EXPECT_TRUE(ErrorMessages().isEmpty());

    // A failed existence test is no missing object.
    bkl::db::Connection closed;
    const bkl::compare::CompareSides toClosed{source(), closed, QStringLiteral("s"), QStringLiteral("t")};
    EXPECT_EQ(StatusOf(CompareObject(toClosed, QStringLiteral("PayeeMaster"), QStringLiteral("TABLE"))),
              QStringLiteral("3"));
    EXPECT_EQ(startsOfErrors(), QStringList{QStringLiteral("Function: CheckIfObjectExists() -> Code: ")});
    EXPECT_EQ(bkl::compare::CheckIfObjectExists(QStringLiteral("SELECT COUNT(1) FROM NoSuchTable"), source()), 0);
    EXPECT_EQ(bkl::compare::CheckIfObjectExists(QStringLiteral("SELECT COUNT(1) FROM Calculation"), source()), 41);

    // The same failure on both sides, or on the source of an object it holds, is no equality:
    // a view column without "." fails the dependent-objects query; a "List" column without
    // reference rows, a calendar without its root row and a looping restriction tree fail their reads.
    for (const auto& [name, kind] : std::vector<std::pair<const char*, const char*>>{
             {"Edge View", "VIEW"}, {"Dangling List Table", "TABLE"}, {"Missing Calendar", "CALCULATION"},
             {"Cyclic Restrictions", "CALCULATION"}})
        EXPECT_EQ(StatusOf(CompareObject(edgeSides(), QString::fromUtf8(name), QString::fromUtf8(kind))),
                  QStringLiteral("3"))
            << name;
}

TEST_F(ComparatorEdge, NamesWithQuotesAndMarkup)
{
    const struct {
        const char* name;
        const char* kind;
        const char* title;
    } objects[] = {
        {"O'Brien Accounts", "TABLE", "Table Name: O&#39;Brien Accounts"},
        {"Rates <2026> & More", "TABLE", "Table Name: Rates &lt;2026&gt; &amp; More"},
        {"O'Brien View", "VIEW", "View Name: O&#39;Brien View"},
        {"(EDGE) Edge <Calendar> & Co", "CALENDAR", "Calendar: (EDGE) Edge &lt;Calendar&gt; &amp; Co"},
        {"Rate <Tier> & Bonus", "CALCULATION", "Calculation: Rate &lt;Tier&gt; &amp; Bonus"},
        {"Report <One> & Two", "PRESENTOR REPORT", "Presentor Report: Report &lt;One&gt; &amp; Two"},
    };
    for (const auto& o : objects) {
        ClearLog();
        const QString result = CompareObject(edgeSides(), QString::fromUtf8(o.name), QString::fromUtf8(o.kind));
        EXPECT_EQ(StatusOf(result), QStringLiteral("1")) << o.name;
        EXPECT_TRUE(result.contains(QStringLiteral("size='2'>") + QString::fromUtf8(o.title) + QStringLiteral("</font>")))
            << o.name;
        EXPECT_FALSE(result.contains(QStringLiteral("<Tier>")) || result.contains(QStringLiteral("<2026>"))
                     || result.contains(QStringLiteral("<One>")) || result.contains(QStringLiteral("<Calendar>")))
            << o.name;
        EXPECT_TRUE(ErrorMessages().isEmpty()) << o.name << ": " << ErrorMessages().join(QLatin1Char('\n')).toStdString();
    }
    // The model captions are escaped as well.
    const bkl::compare::CompareSides odd{edge(), edge(), QStringLiteral("A<B>@h&1"), QStringLiteral("O'B@h")};
    const QString page = CompareObject(odd, QStringLiteral("O'Brien Accounts"), QStringLiteral("TABLE"));
    EXPECT_TRUE(page.contains(QStringLiteral("'>Source Model: A&lt;B&gt;@h&amp;1</font>")));
    EXPECT_TRUE(page.contains(QStringLiteral("'>Target Model: O&#39;B@h</font>")));
}

TEST_F(ComparatorEdge, ObjectsOnlyTheTargetHolds)
{
    // The source fetches give their no-row values.
    const QString table = CompareObject(sides(), QStringLiteral("TerritoryAssignments"), QStringLiteral("TABLE"));
    EXPECT_EQ(StatusOf(table), QStringLiteral("0"));
    EXPECT_TRUE(table.contains(QStringLiteral(
        "Table Type:</font></b></td><td width='45%' ><font  face='Calibri' size='2'>&nbsp;</font></td>")));
    EXPECT_TRUE(table.contains(QStringLiteral(
        "Record Count:</font></b></td><td width='45%' ><font  face='Calibri' size='2'>0</font></td>")));
    EXPECT_EQ(startsOfErrors(), Errors({"CompareTableGetTableType", "CompareTableGetRecCountUsingSYSTables"}));

    ClearLog();
    const QString calc = CompareObject(sides(), QStringLiteral("New Hire Ramp"), QStringLiteral("CALCULATION"));
    EXPECT_EQ(StatusOf(calc), QStringLiteral("0"));
    for (const char* label : {"Type:", "Description:", "Formula:", "Calendar:"})
        EXPECT_TRUE(calc.contains(QString::fromUtf8(label)
                                  + QStringLiteral("</font></b></td><td width='45%' ><font  face='Calibri' "
                                                   "size='2'>&nbsp;</font></td>")))
            << label;
    for (const char* label : {"Data Source(s):", "Partitions:", "Restrictions:", "Dependencies:", "Folder:"})
        EXPECT_TRUE(calc.contains(QString::fromUtf8(label)
                                  + QStringLiteral("</font></b></td><td width='45%' valign='top' ><font  "
                                                   "face='Calibri' size='2'>&nbsp;</font></td>")))
            << label;
    EXPECT_EQ(startsOfErrors(), kCalcFetcherErrors);
}

TEST_F(ComparatorEdge, FetchersAtTheirEdges)
{
    using namespace bkl::compare;
    EXPECT_EQ(CompareTableGetRecCountUsingSYSTables(edge(), QStringLiteral("Ghost Table")), 0);
    EXPECT_EQ(CompareTableGetTableType(edge(), QStringLiteral("No Columns Table")), QString());
    EXPECT_EQ(CompareTableGetTableType(edge(), QStringLiteral(" Rates <2026> & More ")), QStringLiteral("Lookup"));
    const QString columns = CompareTableGetColumns(edge(), QStringLiteral("Dangling List Table"));
    // A "List" column without reference rows gets one blank; "list" is no List.
    EXPECT_TRUE(columns.contains(QStringLiteral("size='2'>StatusCode</font></td><td width='20%' ><font  face='Calibri' "
                                                "size='2'>List</font></td><td width='40%' ><font  face='Calibri' "
                                                "size='2'> </font></td>")));
    EXPECT_TRUE(columns.contains(QStringLiteral("size='2'>list</font></td><td width='40%' ><font  face='Calibri' "
                                                "size='2'>&nbsp;</font></td>")));
    EXPECT_EQ(startsOfErrors(), Errors({"CompareTableGetRecCountUsingSYSTables", "CompareGetReferenceTableAndColumn"}));

    // A view column without "." makes the dependent-objects query fail.
    ClearLog();
    EXPECT_EQ(CompareAllCalculationsForView(edge(), QStringLiteral("Edge View")), kSpacer);
    EXPECT_EQ(CompareViewFields(edge(), QStringLiteral("No Such View")), QStringLiteral("<table border='0' width='100%'></table>"));
    EXPECT_EQ(startsOfErrors(), Errors({"CompareAllCalculationsForView"}));

    // A calendar without periods has the heading row only.
    EXPECT_TRUE(CompareCalendarDetails(edge(), QStringLiteral("EMPTY"))
                    .endsWith(QStringLiteral("size='2'>Period End</font></b></td></tr></table>")));
}

TEST_F(ComparatorEdge, CalculationFetchersAtTheirEdges)
{
    using namespace bkl::compare;
    EXPECT_EQ(CompareCalGetCalcCalendar(edge(), QStringLiteral("Missing Calendar")), QStringLiteral("&nbsp;"));
    EXPECT_EQ(startsOfErrors(), Errors({"CompareTimeCalendar"}));
    ClearLog();
    EXPECT_EQ(CompareTimeCalendar(edge(), QStringLiteral("  ")), QString());
    EXPECT_EQ(CompareCalGetCalcCalendar(edge(), QStringLiteral("Cyclic Restrictions")), QStringLiteral("&nbsp;"));
    EXPECT_EQ(CompareCalGetCalcCalendar(edge(), QStringLiteral("Base Amount")),
              QStringLiteral("EDGE - Edge &lt;Calendar&gt; &amp; Co"));
    EXPECT_EQ(CompareCalGetCalcType(source(), QStringLiteral(" Region Sales ")), QStringLiteral("Sort Calculation"));
    EXPECT_EQ(CompareCalGetCalcComment(edge(), QStringLiteral("Rate <Tier> & Bonus")), QStringLiteral("Edge case 3."));
    EXPECT_EQ(CompareCalGetCalcFolder(edge(), QStringLiteral("_wr_lowercase helper")), kSpacer);
    EXPECT_TRUE(ErrorMessages().isEmpty());

    // Looping parent links end with an ERROR line, not a hang.
    EXPECT_TRUE(CompareCalGetCalcRestrictions(edge(), QStringLiteral("Cyclic Restrictions")).startsWith(
        QStringLiteral("<table border='0' width='100%'>")));
    EXPECT_TRUE(CompareCalGetCalcFolder(edge(), QStringLiteral("Cyclic Folder")).startsWith(
        QStringLiteral("<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;Calculations (Root)")));
    EXPECT_EQ(startsOfErrors(), Errors({"CompareCalcConstraintTree", "CompareFolderTreeRecursive"}));
}

TEST_F(ComparatorEdge, FailingFetchersGiveTheirNeutralValues)
{
    using namespace bkl::compare;
    const bkl::db::Connection closed;
    const QString t = QStringLiteral("PayeeMaster");
    const QString c = QStringLiteral("Commission Amount");
    const QString nbsp = QStringLiteral("&nbsp;");
    EXPECT_EQ(CompareTableGetTableType(closed, t), nbsp);
    EXPECT_EQ(CompareTableGetRecCountUsingSYSTables(closed, t), 0);
    EXPECT_EQ(CompareTableGetColumns(closed, t), nbsp);
    EXPECT_EQ(CompareViewFields(closed, t), nbsp);
    EXPECT_EQ(CompareAllCalculationsForView(closed, t), kSpacer);
    EXPECT_EQ(CompareCalendarDetails(closed, QStringLiteral("STD")), kSpacer);
    EXPECT_EQ(ComparePresentorReportSourceDependency(closed, t), nbsp);
    EXPECT_EQ(ComparePresentorReportLinkedReports(closed, t), QString());
    EXPECT_EQ(CompareTimeCalendar(closed, QStringLiteral("STD")), QString());
    for (auto fetch : {CompareCalGetCalcType, CompareCalGetCalcComment, CompareCalGetCalcDataSource,
                       CompareCalGetCalcOperation, CompareCalGetCalcPartitions, CompareCalGetCalcRestrictions,
                       CompareCalGetCalcCalendar, CompareCalGetCalcDependencies, CompareCalGetCalcFolder})
        EXPECT_EQ(fetch(closed, c), nbsp);
    EXPECT_EQ(startsOfErrors(),
              Errors({"CompareTableGetTableType", "CompareTableGetRecCountUsingSYSTables", "CompareTableGetColumns",
                      "CompareViewFields", "CompareAllCalculationsForView", "CompareCalendarDetails",
                      "ComparePresentorReportSourceDependency", "ComparePresentorReportLinkedReports",
                      "CompareTimeCalendar"})
                  + kCalcFetcherErrors);
}

TEST_F(ComparatorEdge, FailingSectionsOfACalculationGiveNbsp)
{
    // The comparison's sections log under their own names and give "&nbsp;";
    // the folder's name is logged with a blank before "()".
    using namespace bkl::reports;
    const bkl::db::Connection closed;
    const CalcPolicy& p = bkl::compare::ComparisonCalcPolicy();
    EXPECT_EQ(CalculationSourceAndJoinAndUnion(closed, QStringLiteral("X"), 1, RenderMode::Html, p), QStringLiteral("&nbsp;"));
    EXPECT_EQ(CalculationPartitions(closed, 1, QString(), QString(), QString(), RenderMode::Html, p), QStringLiteral("&nbsp;"));
    // Each dependents list is left empty.
    EXPECT_EQ(CalculationDependentObjects(closed, 1, QStringLiteral("X"), RenderMode::Html, p)
                  .count(QStringLiteral("<font face='Calibri' size='2'></font>")),
              4);
    EXPECT_EQ(startsOfErrors(),
              Errors({"CompareCalculationSourceAndJoinAndUnion", "CompareCalculationPartitions",
                      "CompareAllViewsForCalculation", "CompareAllCompPlanForCalculation",
                      "CompareAllTailoredReportsForCalculation", "CompareAllPresentorReportsForCalculation"}));
    EXPECT_EQ(p.html.folder.logName, QStringLiteral("CompareCalculationFolder "));
    EXPECT_EQ(p.html.restrictions.value, QStringLiteral("&nbsp;"));
}
