#include "mainwindow/CheckedObjectsText.h"
#include "mainwindow/FindTexts.h"
#include "mainwindow/ObjectKinds.h"
#include "mainwindow/ResizeRule.h"

#include "QtPrinters.h"

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

TEST(MainWindowFindTexts, CountAndKindTexts)
{
    EXPECT_EQ(FoundCountText(0), "0 Object(s) found");
    EXPECT_EQ(FoundCountText(1234), "1234 Object(s) found");
    EXPECT_EQ(PickerText(ObjectKind::PresentorReports), "Presenter Reports");
    EXPECT_EQ(ListTypeText(ObjectKind::PresentorReports), "Presentor Report");
    EXPECT_EQ(LoadingStatusText(ObjectKind::CompensationPlans), "Loading Compensation Plans...");
    EXPECT_EQ(ListTypeText(ObjectKind::TailoredReports), "Tailored Report");
}

TEST(MainWindowFindTexts, DefaultSelectionCodesAreCaseSensitiveSubstrings)
{
    EXPECT_TRUE(PreselectedKinds("").empty());
    EXPECT_TRUE(PreselectedKinds("   ").empty());
    EXPECT_EQ(PreselectedKinds(";CALC;TABL"), (std::vector<ObjectKind>{ObjectKind::Tables, ObjectKind::Calculations}));
    EXPECT_EQ(PreselectedKinds(";tabl;PRES"), (std::vector<ObjectKind>{ObjectKind::PresentorReports}));
    EXPECT_EQ(PreselectedKinds(";TABL;VIEW;CALE;CALC;COMP;TAIL;PRES").size(), 7u);
}

TEST(MainWindowFindTexts, CheckedObjectsTextEndsEachNameWithCrLf)
{
    EXPECT_EQ(CheckedObjectsText({"  Sales Region ", "(12) Plan A"}), "Sales Region\r\n(12) Plan A\r\n");
    EXPECT_EQ(CheckedObjectsText({}), "");
    // An all-blank text still gives its line end.
    EXPECT_EQ(CheckedObjectsText({"   "}), "\r\n");
}

TEST(MainWindowResizeRule, ListAndBrowserFollowTheClientArea)
{
    const StretchedSizes design;
    StretchedSizes s = StretchToClientArea(19140, 10185, design);
    EXPECT_EQ(s.listHeight, 6405);
    EXPECT_EQ(s.browserHeight, 8955);
    EXPECT_EQ(s.browserWidth, 12585);

    s = StretchToClientArea(30000, 15000, design);
    EXPECT_EQ(s.listHeight, 11220);
    EXPECT_EQ(s.browserHeight, 13770);
    EXPECT_EQ(s.browserWidth, 23445);

    // At 3780 twips of height the list keeps its last height; one twip more gives it 1.
    const StretchedSizes last{5000, 6000, 7000};
    s = StretchToClientArea(6555, 3780, last);
    EXPECT_EQ(s.listHeight, 5000);
    EXPECT_EQ(s.browserHeight, 2550);
    EXPECT_EQ(s.browserWidth, 7000);
    EXPECT_EQ(StretchToClientArea(6556, 3781, last).listHeight, 1);
    EXPECT_EQ(StretchToClientArea(6556, 3781, last).browserWidth, 1);
    // The browser keeps its height at 1230 twips or less.
    EXPECT_EQ(StretchToClientArea(100, 1230, last).browserHeight, 6000);
    EXPECT_EQ(StretchToClientArea(100, 1231, last).browserHeight, 1);
}
