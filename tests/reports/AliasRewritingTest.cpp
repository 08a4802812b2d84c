// Formula alias rewriting on the demo models: what is read as a token, what it
// becomes, which statements it costs, and that it always ends.
#include "reports/AliasRewriting.h"

#include "CalcTestSupport.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;
using namespace bkl::test;

namespace {

const QString kResultQuery = QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = %1");
const int kCommissionAmount = 1005; // source model: two join rows, two lookups

QString Rewrite(const bkl::db::Connection& cn, const char* text, int calcId, RenderMode mode = RenderMode::Text)
{
    return ReplaceResultAndLookupAndTableAlias(cn, QString::fromUtf8(text), calcId, mode);
}

} // namespace

TEST(CalcAlias, TextsWithoutAnAliasWordCostNothing)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    StatementRecorder rec;
    EXPECT_EQ(Rewrite(cn, "SUM( Amount ) * 2", 1), QStringLiteral("SUM( Amount ) * 2"));
    // Alias words match in their own letter case only.
    EXPECT_EQ(Rewrite(cn, "_result1 + _tablealias0 + _LOOKUPALIAS0", 1), QStringLiteral("_result1 + _tablealias0 + _LOOKUPALIAS0"));
    EXPECT_EQ(Rewrite(cn, "", 1), QString());
    EXPECT_TRUE(rec.statements.isEmpty());
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST(CalcAlias, TokensBecomeTheNamesTheModelHolds)
{
    auto cn = OpenDemoModel(QLatin1String(kSourceModel));
    {
        StatementRecorder rec;
        EXPECT_EQ(Rewrite(cn, "_TableAlias0.Amount", kCommissionAmount), QStringLiteral("SalesTransactions.Amount.Amount"));
        EXPECT_EQ(rec.statements,
                  QStringList{QStringLiteral("SELECT [TABLENAME1] = [Table1], [COLUMNNAME1] = [Column1], [TABLENAME2] = "
                                             "[Table2], [COLUMNNAME2] = [Column2] FROM CalculationJoin WHERE "
                                             "CalculationID = 1005 ORDER BY Position ASC")});
    }
    {
        StatementRecorder rec;
        EXPECT_EQ(Rewrite(cn, "_LookupAlias1 x", kCommissionAmount), QStringLiteral("Draw Recovery x"));
        EXPECT_EQ(rec.statements,
                  QStringList{QStringLiteral("SELECT [CALCORTABLENAME] = [Name], [CALCORTABLESOURCE] = [Source] FROM "
                                             "CalculationLookup WHERE CalculationID = 1005 ORDER BY LookupID ASC")});
    }
    // A parenthesis within the digit limit is part of the number text: "1)" reads 1.
    EXPECT_EQ(Rewrite(cn, "_TableAlias1) + 1", kCommissionAmount), QStringLiteral("PayeeMaster.RegionCode) + 1"));
    // A "_Result" number is itself an id, whatever calculation the text belongs to.
    EXPECT_EQ(Rewrite(cn, "_Result1006 * 2", 0), QStringLiteral("Quarterly Bonus * 2"));
}

TEST(CalcAlias, ShorterTokensNeverRewriteTheStartOfLongerOnes)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    {
        StatementRecorder rec;
        EXPECT_EQ(Rewrite(cn, "_Result12 + _Result12", 13), QStringLiteral("Twelve Result + Twelve Result"));
        // One query per occurrence: the second finds nothing left to replace.
        EXPECT_EQ(rec.statements, (QStringList{kResultQuery.arg(12), kResultQuery.arg(12)}));
    }
    EXPECT_EQ(Rewrite(cn, "_Result1 + _Result12", 13), QStringLiteral("Base Amount + Twelve Result"));
    EXPECT_EQ(Rewrite(cn, "_Result1 + _Result12 + _Result1", 13),
              QStringLiteral("Base Amount + Twelve Result + Base Amount"));
    EXPECT_EQ(Rewrite(cn, "_Result12 + _Result1", 13), QStringLiteral("Twelve Result + Base Amount"));
}

TEST(CalcAlias, NumbersAreReadWithinTheDigitLimits)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    {
        StatementRecorder rec;
        // Nine digits for "_Result", four for "_LookupAlias": no number, no query.
        EXPECT_EQ(Rewrite(cn, "_Result123456789.x", 3), QStringLiteral("_Result123456789.x"));
        EXPECT_EQ(Rewrite(cn, "_LookupAlias1234.Rate", 3), QStringLiteral("_LookupAlias1234.Rate"));
        // No full stop, blank or end within three characters of the digits.
        EXPECT_EQ(Rewrite(cn, "_LookupAlias0)*2", 3), QStringLiteral("_LookupAlias0)*2"));
        EXPECT_TRUE(rec.statements.isEmpty()) << rec.statements.join('\n').toStdString();
    }
    {
        StatementRecorder rec;
        // Three digits followed by a blank, a full stop or the end are read.
        EXPECT_EQ(Rewrite(cn, "_LookupAlias123 ", 3), QStringLiteral("_LookupAlias123 "));
        EXPECT_EQ(Rewrite(cn, "_LookupAlias0.Rate", 3), QStringLiteral("Rates <2026> & More.Rate"));
        EXPECT_EQ(Rewrite(cn, "_LookupAlias0", 3), QStringLiteral("Rates <2026> & More"));
        EXPECT_EQ(rec.statements.size(), 3);
    }
    // Leading zeros read the number, whose token text then does not occur.
    EXPECT_EQ(Rewrite(cn, "_Result01.x", 3), QStringLiteral("_Result01.x"));
}

TEST(CalcAlias, UnresolvableTokensAndAliasWordsInNamesEnd)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    {
        StatementRecorder rec;
        // No join, no lookup, no calculation 999; "_Result1)*2" ends the text and so reads 1.
        EXPECT_EQ(Rewrite(cn, "_Result999 + _TableAlias5.X + _LookupAlias7.Y + _result1 + _Result1)*2", 19),
                  QStringLiteral("_Result999 + _TableAlias5.X + _LookupAlias7.Y + _result1 + Base Amount)*2"));
        // One pass each for table and lookup (nothing changed), two for results.
        EXPECT_EQ(rec.statements.size(), 1 + 1 + 2 + 1);
    }
    {
        StatementRecorder rec;
        // The name put in holds "_Result" again: the next pass reads " Total" as 0 and changes nothing.
        EXPECT_EQ(Rewrite(cn, "_Result4 + 1", 5), QStringLiteral("Net_Result Total + 1"));
        EXPECT_EQ(rec.statements, (QStringList{kResultQuery.arg(4), kResultQuery.arg(0)}));
    }
    EXPECT_EQ(Rewrite(cn, "Net_Result Total * 2", 5), QStringLiteral("Net_Result Total * 2"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST(CalcAlias, NamesPutIntoHtmlAreEscaped)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    EXPECT_EQ(Rewrite(cn, "_Result2 &lt; _LookupAlias0.Rate", 3, RenderMode::Html),
              QStringLiteral("O&#39;Brien Commission &lt; Rates &lt;2026&gt; &amp; More.Rate"));
    EXPECT_EQ(Rewrite(cn, "_Result2 < _LookupAlias0.Rate", 3, RenderMode::Text),
              QStringLiteral("O'Brien Commission < Rates <2026> & More.Rate"));
}

TEST(CalcAlias, FailuresLeaveTheTextAndLogTheirProcedure)
{
    ClearLog();
    bkl::db::Connection closed;
    EXPECT_EQ(Rewrite(closed, "_Result1 x", 1), QStringLiteral("_Result1 x"));
    QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Function: GetCalcNameForResultAlias() --> Code: 3704 --> Description: ")));

    // More occurrences than the 16-bit token list holds: the pass fails before any query.
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    const QString many = QStringLiteral("_Result1 ").repeated(32768);
    StatementRecorder rec;
    EXPECT_EQ(ReplaceResultAndLookupAndTableAlias(cn, many, 1), many);
    EXPECT_TRUE(rec.statements.isEmpty());
    log = LogMessages();
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0], QStringLiteral("Function: ReplaceResultAlias() --> Code: 6 --> Description: Overflow"));
}

