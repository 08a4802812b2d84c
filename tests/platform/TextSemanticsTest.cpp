#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"

#include <gtest/gtest.h>

using namespace bkl;

TEST(TextSemantics, TrimStripsSpacesOnly)
{
    EXPECT_EQ(Trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(Trim(QStringLiteral("\ta\r\n")), QStringLiteral("\ta\r\n"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
}

TEST(TextSemantics, ValReadsTheLeadingNumber)
{
    EXPECT_EQ(Val(QStringLiteral("12abc")), 12.0);
    EXPECT_EQ(Val(QStringLiteral("  1.5e2x")), 150.0);
    EXPECT_EQ(Val(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(Val(QString()), 0.0);
    EXPECT_EQ(Val(QStringLiteral("-5")), -5.0);
    EXPECT_EQ(Val(QStringLiteral(" 1 2")), 12.0);
    EXPECT_EQ(Val(QStringLiteral("&H1F")), 31.0);
    EXPECT_EQ(Val(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(Val(QStringLiteral("1.0")), 1.0);
}

TEST(TextSemantics, RoundingIsHalfEven)
{
    EXPECT_EQ(CLng(12.5), 12);
    EXPECT_EQ(CLng(37.5), 38);
    EXPECT_EQ(CLng(-2.5), -2);
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_THROW(CInt(40000), std::overflow_error);
    EXPECT_EQ(PercentText(1, 8), QStringLiteral("12%"));  // 12.5
    EXPECT_EQ(PercentText(3, 8), QStringLiteral("38%"));  // 37.5
    EXPECT_EQ(PercentText(1, 3), QStringLiteral("33%"));
    EXPECT_EQ(PercentText(2, 3), QStringLiteral("67%"));
    EXPECT_EQ(PercentText(5, 0), QStringLiteral("0%"));
}

TEST(TextSemantics, GroupingAndPadding)
{
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
