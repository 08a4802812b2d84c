// Formula alias rewriting as the comparison runs it: on each model with that
// model's own ids, with the comparison's procedure names and number reading.
#include "ComparatorTestSupport.h"

#include "compare/CalculationFetchers.h"
#include "compare/ComparisonCalcPolicy.h"
#include "reports/AliasRewriting.h"

using namespace bkl::comparetest;
using bkl::compare::ComparisonCalcPolicy;
using bkl::reports::RenderMode;

namespace {
class ComparatorAlias : public ComparatorTest {
protected:
    void TearDown() override { bkl::db::SetStatementObserver({}); }

    QStringList& record()
    {
        statements_.clear();
        bkl::db::SetStatementObserver([this](const QString& sql) { statements_.append(sql); });
        return statements_;
    }

    static QString rewrite(const bkl::db::Connection& cn, const QString& text, int calcId,
                           RenderMode mode = RenderMode::Text)
    {
        return bkl::reports::ReplaceResultAndLookupAndTableAlias(cn, text, calcId, mode, ComparisonCalcPolicy().alias);
    }

private:
    QStringList statements_;
};

const QString kResultQuery = QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = %1");
const QString kRewritten = QStringLiteral("( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - "
                                          "Draw Recovery.Recovery + PayeeMaster.RegionCode * 0");
} // namespace

TEST_F(ComparatorAlias, EachModelRewritesWithItsOwnIds)
{
    // Commission Amount is 1005 in the source and 5005 in the target; its formula
    // names Quarterly Bonus by each model's own id.
    QStringList& sql = record();
    EXPECT_EQ(rewrite(target(),
                      QStringLiteral("( _TableAlias0 * _LookupAlias0.Rate ) + _Result5006 - _LookupAlias1.Recovery + "
                                     "_TableAlias1 * 0"),
                      5005),
              kRewritten);
    for (const QString& s : sql)
        EXPECT_FALSE(s.contains(QStringLiteral("1005")) || s.contains(QStringLiteral("1006"))) << s.toStdString();
    EXPECT_TRUE(sql.contains(kResultQuery.arg(5006)));
    EXPECT_EQ(rewrite(source(),
                      QStringLiteral("( _TableAlias0 * _LookupAlias0.Rate ) + _Result1006 - _LookupAlias1.Recovery + "
                                     "_TableAlias1 * 0"),
                      1005),
              kRewritten);

    // The formula fetcher reads each model's row and id.
    EXPECT_EQ(bkl::compare::CompareCalGetCalcOperation(target(), QStringLiteral("Commission Amount")), kRewritten);
    EXPECT_EQ(bkl::compare::CompareCalGetCalcOperation(source(), QStringLiteral("Commission Amount")), kRewritten);
    EXPECT_TRUE(ErrorMessages().isEmpty());
}

TEST_F(ComparatorAlias, ATokenBeforeTheLineEndMarkupIsReadWhole)
{
    const QString line = QStringLiteral("&nbsp;CommissionRates.LowerBound  &lt;=  _Result5001<br>&nbsp;)<br>");
    EXPECT_EQ(rewrite(target(), line, 5005, RenderMode::Html),
              QStringLiteral("&nbsp;CommissionRates.LowerBound  &lt;=  Total Sales<br>&nbsp;)<br>"));
    // A text that is not HTML has no markup.
    EXPECT_EQ(rewrite(target(), QStringLiteral("_Result5001<br>&nbsp;)"), 5005, RenderMode::Text),
              QStringLiteral("_Result5001<br>&nbsp;)"));
}

TEST_F(ComparatorAlias, AnUnreadNumberTakesThePreviousOne)
{
    QStringList& sql = record();
    // "5001)*(2" is not followed by a blank, "." or the end within 8 characters.
    EXPECT_EQ(rewrite(target(), QStringLiteral("_Result5006 + _Result5001)*(2+3)/4"), 5005),
              QStringLiteral("Quarterly Bonus + _Result5001)*(2+3)/4"));
    EXPECT_EQ(sql, (QStringList{kResultQuery.arg(5006), kResultQuery.arg(5006), kResultQuery.arg(0)}));
}

TEST_F(ComparatorAlias, FailuresNameTheComparisonsProcedures)
{
    bkl::db::Connection closed;
    EXPECT_EQ(rewrite(closed, QStringLiteral("_TableAlias0 _LookupAlias0 _Result1"), 1),
              QStringLiteral("_TableAlias0 _LookupAlias0 _Result1"));
    QStringList starts;
    for (const QString& m : ErrorMessages())
        starts.append(m.left(m.indexOf(QStringLiteral("Code: ")) + 6));
    EXPECT_EQ(starts, (QStringList{QStringLiteral("Function: CompareCalcNameForTableAlias() --> Code: "),
                                   QStringLiteral("Function: CompareCalcNameForLookupAlias() --> Code: "),
                                   QStringLiteral("Function: CompareCalcNameForResultAlias() --> Code: ")}));
}
