#include "platform/core/Settings.h"
#include "shell/Preferences.h"

#include <gtest/gtest.h>

using namespace bkl;

TEST(ShellPreferences, KindCodesAndSelectionRules)
{
    const QStringList kinds = PreferenceKindTexts();
    QStringList codes;
    for (const QString& k : kinds)
        codes << PreferenceKindCode(k);
    EXPECT_EQ(codes.join(QLatin1Char(',')), QStringLiteral("TABL,VIEW,CALE,CALC,COMP,TAIL,PRES"));
    EXPECT_EQ(DefaultObjectSelectionText(kinds), QStringLiteral(";TABL;VIEW;CALE;CALC;COMP;TAIL;PRES"));
    EXPECT_EQ(DefaultObjectSelectionText({}), QString());

    EXPECT_TRUE(KindSelected(QStringLiteral(";CALC"), QStringLiteral("Calculations")));
    EXPECT_FALSE(KindSelected(QStringLiteral(";CALC"), QStringLiteral("Calendars")));
    EXPECT_FALSE(KindSelected(QStringLiteral(";calc"), QStringLiteral("Calculations")));
    EXPECT_FALSE(KindSelected(QStringLiteral("   "), QStringLiteral("Tables")));
}

TEST(ShellPreferences, OnlyAnUpperCaseYShowsGridLines)
{
    for (const char* off : {"y", "N", "", "YES"}) {
        SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QString::fromLatin1(off));
        EXPECT_FALSE(ReadShowGridLines()) << off;
    }
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QStringLiteral("  Y  "));
    EXPECT_TRUE(ReadShowGridLines());
    SaveSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("ShowGridLines"), QStringLiteral("Y"));
}
