#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"

#include <gtest/gtest.h>
#include <tuple>
#include <utility>

using namespace bkl;

TEST(TextSemantics, TrimValRoundingGroupingAndPadding)
{
    // Trim strips spaces only.
    EXPECT_EQ(Trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(Trim(QStringLiteral("\ta\r\n")), QStringLiteral("\ta\r\n"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());

    // Val reads the leading number, skipping blanks, and knows &H.
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
             {"12abc", 12}, {"  1.5e2x", 150}, {"abc", 0}, {"", 0}, {"-5", -5}, {" 1 2", 12}, {"&H1F", 31},
             {".5", 0.5}, {"1.0", 1}})
        EXPECT_EQ(Val(QString::fromLatin1(text)), value) << text;

    // Rounding is half-even, in conversions and percentages.
    EXPECT_EQ(CLng(12.5), 12);
    EXPECT_EQ(CLng(37.5), 38);
    EXPECT_EQ(CLng(-2.5), -2);
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_THROW(CInt(40000), std::overflow_error);
    for (const auto& [done, total, text] : std::initializer_list<std::tuple<int, int, const char*>>{
             {1, 8, "12%"}, {3, 8, "38%"}, {1, 3, "33%"}, {2, 3, "67%"}, {5, 0, "0%"}})
        EXPECT_EQ(PercentText(done, total), QString::fromLatin1(text)) << done << "/" << total;

    EXPECT_EQ(GroupedNumber(1500), QStringLiteral("1,500"));
    EXPECT_EQ(GroupedNumber(0), QStringLiteral("0"));
    EXPECT_EQ(GroupedNumber(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(PadRight(QStringLiteral("ab"), 4), QStringLiteral("ab  "));
    EXPECT_EQ(PadRight(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(Left(QStringLiteral("abc"), -1), QString());
}

TEST(Escaping, SqlAndHtml)
{
    EXPECT_EQ(SqlText(QStringLiteral("O'Brien")), QStringLiteral("O''Brien"));
    EXPECT_EQ(SqlText(QStringLiteral("50%_[x]")), QStringLiteral("50%_[x]"));
    EXPECT_EQ(HtmlText(QStringLiteral("<a href=\"x\">'&'</a>")),
              QStringLiteral("&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;"));
}
