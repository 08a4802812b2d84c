#include "mainwindow/CheckedObjectsText.h"
#include "mainwindow/FindTexts.h"
#include "mainwindow/ObjectKinds.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace bkl::mainwindow;

TEST(MainWindowFindTexts, LoadAllQuestionListsTheChosenKinds)
{
    EXPECT_EQ(LoadAllQuestion({ObjectKind::Tables, ObjectKind::Calendars}),
              "Are you sure want to load all objects from the following selected object type(s)?\r\n\r\n"
              "* Tables\r\n* Calendars\r\n\r\n"
              "Note: This may take few minutes depends on number of model objects.");
    std::vector<ObjectKind> all(kAllKinds.begin(), kAllKinds.end());
    EXPECT_EQ(LoadAllQuestion(all),
              "Are you sure want to load all objects from the following selected object type(s)?\r\n\r\n"
              "* Tables\r\n* Views\r\n* Calendars\r\n* Calculations\r\n* Compensation Plans\r\n* Tailored Reports\r\n"
              "* Presentor Reports\r\n\r\n"
              "Note: This may take few minutes depends on number of model objects.");
}

TEST(MainWindowFindTexts, FilterCaptionAndItsCutAtSixtyCharacters)
{
    EXPECT_EQ(FilterCaption(true, "", false), "Filter: <All Objects>");
    EXPECT_EQ(FilterCaption(false, "   ", true), "Filter: <Selected Objects>");
    EXPECT_EQ(FilterCaption(true, "Sales", true), "Filter: <All Objects>;Name = \"Sales\"");
    EXPECT_EQ(FilterCaption(false, " abc", false), "Filter: <Selected Objects>;Name contains \" abc\"");
    EXPECT_EQ(FilterCaption(false, "O'Brien", false), "Filter: <Selected Objects>;Name contains \"O'Brien\"");

    // "Filter: <All Objects>;Name = \"" is 30 characters: a 29-character text makes 60, 30 makes 61.
    const QString text29(29, QLatin1Char('x'));
    const QString at60 = FilterCaption(true, text29, true);
    EXPECT_EQ(at60.size(), 60);
    EXPECT_EQ(at60, "Filter: <All Objects>;Name = \"" + text29 + "\"");
    const QString at61 = FilterCaption(true, text29 + "y", true);
    EXPECT_EQ(at61, "Filter: <All Objects>;Name = \"" + QString(26, QLatin1Char('x')) + " ...");
    EXPECT_EQ(at61.size(), 60);
}

TEST(MainWindowFindTexts, CheckedObjectsTextEndsEachNameWithCrLf)
{
    EXPECT_EQ(CheckedObjectsText({"  Sales Region ", "(12) Plan A"}), "Sales Region\r\n(12) Plan A\r\n");
    EXPECT_EQ(CheckedObjectsText({}), "");
    // An all-blank text still gives its line end.
    EXPECT_EQ(CheckedObjectsText({"   "}), "\r\n");
}

