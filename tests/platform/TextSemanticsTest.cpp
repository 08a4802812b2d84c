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

TEST(Escaping, ControlCharactersInMessagesShowVisibly)
{
    QString raw = QStringLiteral("a");
    for (char16_t u : {0x00, 0x01, 0x0B, 0x0C, 0x1F, 0x7F, 0x80, 0x85, 0x9F, 0x2028, 0x2029})
        raw += QChar(u);
    raw += QStringLiteral("\t\r\n b\u00A0\u00E4\u20AC\\0");
    const QString shown = QStringLiteral(R"(a\0\x01\x0B\x0C\x1F\x7F\x80\x85\x9F\u2028\u2029)")
        + QStringLiteral("\t\r\n b\u00A0\u00E4\u20AC\\0");
    EXPECT_EQ(VisibleText(raw), shown);
    EXPECT_EQ(VisibleText(shown), shown);
    EXPECT_EQ(VisibleText(QStringLiteral("SELECT 1")), QStringLiteral("SELECT 1"));
    for (char16_t u : {0x09, 0x0A, 0x0D, 0x20, 0x7E, 0xA0, 0x2027, 0x202A})
        EXPECT_FALSE(IsControlCharacter(QChar(u))) << int(u);
}
