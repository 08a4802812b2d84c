// The restriction tree on the edge-case model: formats at both depths, the odd
// nodes and operator words, failures of one level, and a cycle that ends.
#include "reports/CalcDataSources.h"
#include "reports/RestrictionTree.h"

#include "ReportTestSupport.h"

using CalcRestriction = ReportTest;

namespace {
const int kOddOperators = 10;
const int kCyclicRestrictions = 8;
} // namespace

TEST_F(CalcRestriction, OddNodesAndOperatorWordsAtBothDepths)
{
    // " equals " reads "=", LIKE and a NULL word are unknown, a NULL value leaves the
    // symbol's blank; the empty ANY group keeps its two lines; the clause-type-2 group
    // and everything below it is skipped; the group whose leaf has no value row
    // loses its level but keeps its own lines.
    EXPECT_EQ(GetCalculationRestrictions(edge(), kOddOperators),
              Html("<table border='0' width='100%'><td width='1%'> {f}&nbsp;</font></td><td width='99%'> {f}"
                   "&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;&nbsp;O&#39;Brien Accounts.AccountID  =  A1<br>"
                   "&nbsp;&nbsp;&nbsp;O&#39;Brien Accounts.AccountID  UNKNOWN  A%<br>"
                   "&nbsp;&nbsp;&nbsp;O&#39;Brien Accounts.Amount  UNKNOWN  5<br>&nbsp;&nbsp;&nbsp;O&#39;Brien Accounts.Amount  >  "
                   "<br>&nbsp;&nbsp;)<br>&nbsp;&nbsp;ANY (<br>&nbsp;&nbsp;)<br>&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;)<br></font></td></table>"));
    EXPECT_EQ(ExportCalculationRestrictions(edge(), kOddOperators),
              "\tAND (\r\n\t\tO'Brien Accounts.AccountID  =  A1\r\n\t\tO'Brien Accounts.AccountID  UNKNOWN  A%\r\n"
              "\t\tO'Brien Accounts.Amount  UNKNOWN  5\r\n\t\tO'Brien Accounts.Amount  >  \r\n\t)\r\n\tANY (\r\n\t)\r\n"
              "\tAND (\r\n\t)\r\n");
    // The render mode is compared upper-cased.
    EXPECT_TRUE(GetCalcConstraintTree(edge(), kOddOperators, 0, 0, 1, u"html"_s).startsWith("&nbsp;AND (<br>&nbsp;&nbsp;O&#39;Brien"));
    // No nodes: an empty tree in a whole table.
    EXPECT_EQ(GetCalculationRestrictions(edge(), 1),
              Html("<table border='0' width='100%'><td width='1%'> {f}&nbsp;</font></td><td width='99%'> {f}</font></td></table>"));
    EXPECT_EQ(ExportCalculationRestrictions(edge(), 1), QString());
    // A depth beyond 16 bits fails its level silently: the first group would indent its children by 32768 units.
    EXPECT_EQ(GetCalcConstraintTree(edge(), kOddOperators, 0, 0, 32767, u"TEXT"_s), QString());
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CalcRestriction, LevelStatementsWriteIdsAsGiven)
{
    StatementRecorder rec;
    EXPECT_EQ(GetCalcConstraintTree(edge(), 3, -5, -7, 1, u"TEXT"_s), QString());
    EXPECT_EQ(GetCalcConstraintTree(edge(), 3, 0, 0, 1, u"TEXT"_s), QString());
    const QString level = u"SELECT [CONSTRAINTID] = cct.[ConstraintID], [LOOKUPID] =  cct.[LookupID], [LOOKUPPARENT] = "
                          "[Parent], [CLAUSETYPE] = cct.[ClauseType] FROM [CalcConstraintTree] cct WHERE "
                          "cct.[CalculationID] = 3 AND "_s;
    EXPECT_EQ(rec.statements, (QStringList{level + "[LookupID] = -5 AND [Parent] = -7 ",
                                           level + "[LookupID] IS NULL AND [Parent] IS NULL "}));
}

TEST_F(CalcRestriction, LookupJoinConditionsIndentThreeUnitsInHtml)
{
    EXPECT_EQ(GetCalculationSourceAndJoinAndUnion(edge(), u"O'Brien Commission"_s, 3),
              Html("<table border='0' width='100%'><tr><td colspan=2> {f}&nbsp;Primary Source: O&#39;Brien Commission</font>"
                   "</td></tr><tr><td colspan='2'> {f}&nbsp;<u>Join Type: By Column</u></font></td></tr><td width='1%'> "
                   "{f}&nbsp;</font></td><td width='99%'> {f}Add Columns: <u>Rates &lt;2026&gt; &amp; More</u><br>"
                   "&nbsp;&nbsp;&nbsp;Rates &lt;2026&gt; &amp; More.RateCode  =  R&lt;1&gt;<br></font></td></table>"));
    CalcPolicy compare = DetailPolicy();
    compare.lookupTreeDepth = 1;
    ExpectPieces(CalculationSourceAndJoinAndUnion(edge(), u"X"_s, 3, RenderMode::Html, compare),
                 {"</u><br>&nbsp;Rates &lt;2026&gt;"});
}

TEST_F(CalcRestriction, ACyclicTreeEndsWithAnErrorLine)
{
    // Group 9001 holds ANY group 9002, which lists 9001 again beside a leaf: that
    // level fails as a whole, the levels above keep their lines.
    EXPECT_EQ(ExportCalculationRestrictions(edge(), kCyclicRestrictions), "\tAND (\r\n\t\tANY (\r\n\t\t)\r\n\t)\r\n");
    EXPECT_EQ(GetCalcConstraintTree(edge(), kCyclicRestrictions, 0, 0, 2, u"HTML"_s, u"CompareCalcConstraintTree"_s),
              "&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;&nbsp;ANY (<br>&nbsp;&nbsp;&nbsp;)<br>&nbsp;&nbsp;)<br>");
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], "Function: GetCalcConstraintTree() --> Code: 28 --> Description: Constraint 9001 of "
                      "calculation 8 is reached twice; the tree's parent links form a cycle");
    EXPECT_TRUE(log[1].startsWith("Function: CompareCalcConstraintTree() --> Code: 28 --> "));
}

TEST(CalcOperator, SymbolsCarryABlankOnEachSide)
{
    const std::pair<const char*, const char*> symbols[] = {
        {"EQUALS", " = "},           {"GREATERTHANEQUALS", " >= "}, {"LESSTHANEQUALS", " <= "},
        {"ISNULL", " Is Empty "},    {"ISNOTNULL", " Is Not Empty "}, {"GREATERTHAN", " > "},
        {"LESSTHAN", " < "},         {"NOTEQUALS", " <> "},         {" equals ", " = "},
        {"LIKE", " UNKNOWN "},       {"", " UNKNOWN "},             {"\tEQUALS", " UNKNOWN "}};
    for (const auto& [word, symbol] : symbols)
        EXPECT_EQ(GetOperatorSymbol(QLatin1String(word)), QLatin1String(symbol)) << word;
}
