// Formula alias rewriting on the demo models: what is read as a token, what it
// becomes, how many statements it costs, and that it always ends.
#include "reports/AliasRewriting.h"

#include "ReportTestSupport.h"

using CalcAlias = ReportTest;

TEST_F(CalcAlias, TokensDigitLimitsAndTermination)
{
    struct Case {
        bool edgeModel;
        const char* text;
        int calcId;
        const char* expected;
        int statements; // -1: not counted
        RenderMode mode = RenderMode::Text;
    };
    const Case cases[] = {
        // No alias word in its own letter case: no query.
        {true, "SUM( Amount ) * 2", 1, "SUM( Amount ) * 2", 0},
        {true, "_result1 + _tablealias0 + _LOOKUPALIAS0", 1, "_result1 + _tablealias0 + _LOOKUPALIAS0", 0},
        {true, "", 1, "", 0},
        // Join rows, lookups, and a "_Result" number that is itself an id; "1)" reads 1.
        {false, "_TableAlias0.Amount", 1005, "SalesTransactions.Amount.Amount", 1},
        {false, "_LookupAlias1 x", 1005, "Draw Recovery x", 1},
        {false, "_TableAlias1) + 1", 1005, "PayeeMaster.RegionCode) + 1", -1},
        {false, "_Result1006 * 2", 0, "Quarterly Bonus * 2", -1},
        // A shorter token never rewrites the start of a longer one; one query per occurrence.
        {true, "_Result12 + _Result12", 13, "Twelve Result + Twelve Result", 2},
        {true, "_Result1 + _Result12", 13, "Base Amount + Twelve Result", -1},
        {true, "_Result1 + _Result12 + _Result1", 13, "Base Amount + Twelve Result + Base Amount", -1},
        {true, "_Result12 + _Result1", 13, "Twelve Result + Base Amount", -1},
        // Nine digits for "_Result", four for "_LookupAlias", or no blank, "." or end
        // within three characters: no number, no query.
        {true, "_Result123456789.x", 3, "_Result123456789.x", 0},
        {true, "_LookupAlias1234.Rate", 3, "_LookupAlias1234.Rate", 0},
        {true, "_LookupAlias0)*2", 3, "_LookupAlias0)*2", 0},
        {true, "_LookupAlias123 ", 3, "_LookupAlias123 ", 1},
        {true, "_LookupAlias0.Rate", 3, "Rates <2026> & More.Rate", 1},
        {true, "_LookupAlias0", 3, "Rates <2026> & More", 1},
        // Leading zeros read the number, whose token text then does not occur.
        {true, "_Result01.x", 3, "_Result01.x", -1},
        // Unresolvable tokens stay: one pass each for table and lookup, two for results.
        {true, "_Result999 + _TableAlias5.X + _LookupAlias7.Y + _result1 + _Result1)*2", 19,
         "_Result999 + _TableAlias5.X + _LookupAlias7.Y + _result1 + Base Amount)*2", 5},
        // The name put in holds "_Result" again: the next pass reads " Total" as 0 and ends.
        {true, "_Result4 + 1", 5, "Net_Result Total + 1", 2},
        {true, "Net_Result Total * 2", 5, "Net_Result Total * 2", -1},
        // Names put into HTML are escaped.
        {true, "_Result2 &lt; _LookupAlias0.Rate", 3, "O&#39;Brien Commission &lt; Rates &lt;2026&gt; &amp; More.Rate", -1,
         RenderMode::Html},
        {true, "_Result2 < _LookupAlias0.Rate", 3, "O'Brien Commission < Rates <2026> & More.Rate", -1},
    };
    for (const Case& c : cases) {
        StatementRecorder rec;
        EXPECT_EQ(ReplaceResultAndLookupAndTableAlias(c.edgeModel ? edge() : source(), QString::fromUtf8(c.text),
                                                      c.calcId, c.mode),
                  QString::fromUtf8(c.expected));
        if (c.statements >= 0)
            EXPECT_EQ(rec.statements.size(), c.statements) << c.text;
    }
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CalcAlias, FailuresLeaveTheTextAndLogTheirProcedure)
{
    bkl::db::Connection closed;
    EXPECT_EQ(ReplaceResultAndLookupAndTableAlias(closed, u"_Result1 x"_s, 1), "_Result1 x");
    // More occurrences than the 16-bit token list holds: the pass fails before any query.
    const QString many = u"_Result1 "_s.repeated(32768);
    StatementRecorder rec;
    EXPECT_EQ(ReplaceResultAndLookupAndTableAlias(edge(), many, 1), many);
    EXPECT_TRUE(rec.statements.isEmpty());
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith("Function: GetCalcNameForResultAlias() --> Code: 3704 --> Description: "));
    EXPECT_EQ(log[1], "Function: ReplaceResultAlias() --> Code: 6 --> Description: Overflow");
}
