// The find run through the frame: every kind in order, the filter texts, Match
// Case, the questions and refusals, Stop, the run guard and a failing read.
#include "platform/core/TimeSlice.h"
#include "shell/Globals.h"
#include "support/TestWindows.h"
#include "support/UserInput.h"
#include "support/WindowTest.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

using bkl::mainwindow::ObjectKind;

namespace {

class FindRun : public bkl::test::WindowTest {
protected:
    // Ticks exactly the given kinds in the pickers.
    void SelectKinds(std::initializer_list<ObjectKind> kinds)
    {
        for (ObjectKind kind : bkl::mainwindow::kAllKinds)
            objects->KindPickerItem(kind)->setCheckState(std::ranges::count(kinds, kind) ? Qt::Checked : Qt::Unchecked);
    }
};

// The types of the rows in list order, with the length of each run: "Table 15, View 5, ...".
QString TypeCounts(const QStringList& rows)
{
    QStringList runs;
    for (qsizetype i = 0, n = 1; i < rows.size(); ++i, ++n)
        if (i + 1 == rows.size() || rows[i + 1].section('|', 1) != rows[i].section('|', 1)) {
            runs << rows[i].section('|', 1) + ' ' + QString::number(n);
            n = 0;
        }
    return runs.join(", ");
}

// Runs `action` once, when the list gets its first row of the given type.
void OnFirstRowOfType(frmBKLMain* objects, const QString& type, std::function<void()> action)
{
    auto done = std::make_shared<bool>(false);
    QObject::connect(objects->lvObjects->model(), &QAbstractItemModel::rowsInserted, objects,
                     [objects, type, action, done](const QModelIndex&, int first, int) {
                         if (*done || objects->lvObjects->topLevelItem(first)->text(1) != type)
                             return;
                         *done = true;
                         action();
                     });
}

} // namespace

TEST_F(FindRun, FindAllKindsListsEachKindInOrder)
{
    OpenFrame();
    SelectKinds({ObjectKind::PresentorReports, ObjectKind::Tables, ObjectKind::Calendars, ObjectKind::Views,
                 ObjectKind::Calculations, ObjectKind::CompensationPlans, ObjectKind::TailoredReports});
    seams.boxes.answers = {bkl::mb::Yes};
    objects->cmdFind_Click();

    ASSERT_EQ(seams.boxes.shown.size(), 1u); // the load-all question, pinned by the text tests
    // Each kind's rows in its statement's order (the rows are pinned by the statement catalog).
    const QStringList rows = Rows();
    EXPECT_EQ(TypeCounts(rows), "Table 15, View 5, Calendar 3, Calculation 41, Compensation Plan 4, Tailored Report 3, "
                                "Presentor Report 4");
    EXPECT_EQ(rows.mid(20, 3), QStringList({"(FISCAL) Fiscal Calendar|Calendar", "(RETAIL) Retail Calendar|Calendar",
                                            "(STD) Standard Calendar|Calendar"}));
    EXPECT_EQ(objects->lblSearchResults->text(), "75 Object(s) found");
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <All Objects>");
    EXPECT_FALSE(objects->lblSearchResults->isHidden() || objects->lblFilter->isHidden());
    EXPECT_TRUE(objects->lblLoadStatus->isHidden());
    EXPECT_TRUE(objects->cmdFind->isEnabled() && objects->cmdGetDetails->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled());
    EXPECT_TRUE(frame->mnuExportObjects->isEnabled() && frame->tblMainButton(1)->isEnabled());
    EXPECT_EQ(LogMessages().filter("Find Objects").join(";"), "Find Objects begin...;Find Objects end");

    // Batches change nothing: a turn of the event loop after every row (one row per batch) and one
    // batch for the whole run list the same rows, and a list sorted by a header click places every
    // batch by its sorting, rows of one type in load order.
    const auto findWithSlice = [this](int sliceMs) {
        bkl::SetPumpSliceMsForTesting(sliceMs);
        seams.boxes.answers = {bkl::mb::Yes};
        objects->cmdFind_Click();
        return Rows();
    };
    EXPECT_EQ(findWithSlice(0), rows);
    EXPECT_EQ(findWithSlice(1000000), rows);
    objects->lvObjects_ColumnClick(1);
    QStringList byType = rows;
    std::stable_sort(byType.begin(), byType.end(), [](const QString& a, const QString& b) {
        return b.section('|', 1).compare(a.section('|', 1), Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(findWithSlice(0), byType);
    EXPECT_EQ(findWithSlice(1000000), byType);
}

TEST_F(FindRun, AFindIntoASortedListPutsItsRowsInBatchesAndTakesAHeaderClickMeanwhile)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars});
    const auto find = [this] {
        seams.boxes.answers = {bkl::mb::Yes};
        objects->cmdFind_Click();
        return Rows();
    };
    const QStringList loaded = find();
    ASSERT_EQ(TypeCounts(loaded), "Table 15, View 5, Calendar 3");
    const auto sorted = [&loaded](int column, Qt::SortOrder order) {
        QStringList rows = loaded;
        std::stable_sort(rows.begin(), rows.end(), [&](const QString& a, const QString& b) {
            const int c = a.section('|', column, column).compare(b.section('|', column, column), Qt::CaseInsensitive);
            return order == Qt::AscendingOrder ? c < 0 : c > 0;
        });
        return rows;
    };
    QTreeWidget* list = objects->lvObjects;
    bkl::test::ClickHeader(list, 0); // NAME, descending

    // One batch for the whole run: the rows go in kind by kind, not one by one, and end sorted.
    bkl::SetPumpSliceMsForTesting(1000000);
    int insertions = 0;
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, list, [&insertions] { ++insertions; });
    EXPECT_EQ(find(), sorted(0, Qt::DescendingOrder));
    EXPECT_EQ(insertions, 3);

    // A click on TYPE while the views go in is the sort the list ends with, each type in load order.
    bkl::SetPumpSliceMsForTesting(0);
    OnFirstRowOfType(objects, "View", [list] { bkl::test::ClickHeader(list, 1); });
    EXPECT_EQ(find(), sorted(1, Qt::AscendingOrder));
    EXPECT_TRUE(list->isSortingEnabled() && list->header()->sectionsClickable() && list->header()->isSortIndicatorShown());
    EXPECT_EQ(list->header()->sortIndicatorSection(), 1);
    bkl::test::ClickHeader(list, 0);
    EXPECT_EQ(Rows(), sorted(0, Qt::DescendingOrder));
}

TEST_F(FindRun, MatchCaseListsOnlyNamesWithTheTypedLetterCase)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calculations, ObjectKind::CompensationPlans});
    const auto find = [this](const char* text, bool matchCase, bool wholeWord = false) {
        objects->txtFind->setText(text);
        objects->chkMatchCase->setChecked(matchCase);
        objects->chkWholeWord->setChecked(wholeWord);
        objects->cmdFind_Click();
        return Rows();
    };
    EXPECT_TRUE(find("sales", false).contains("Total Sales|Calculation"));
    EXPECT_EQ(find("sales", true), QStringList());
    EXPECT_EQ(objects->lblSearchResults->text(), "0 Object(s) found");
    EXPECT_EQ(find("[RT]%Sales", true), QStringList({"_WR_Dashboard Sales|Calculation", "Region Sales|Calculation",
                                                     "Team Sales Rollup|Calculation", "Total Sales|Calculation",
                                                     "Year To Date Sales|Calculation"}));
    EXPECT_EQ(find("Sales M", true, false), QStringList({"(SM2026) Sales Manager Plan 2026|Compensation Plan"}));
    EXPECT_EQ(find("total sales", true, true), QStringList());
}

TEST_F(FindRun, ABlankTextAsksFirstAndNoKindIsRefused)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calendars});
    objects->txtFind->setText("   ");
    objects->cmdFind_Click(); // unanswered: the default No
    EXPECT_TRUE(Rows().isEmpty() && objects->lblFilter->isHidden());
    EXPECT_TRUE(LogMessages().filter("Find Objects").isEmpty());
    seams.boxes.answers = {bkl::mb::Yes};
    objects->cmdFind_Click();
    EXPECT_EQ(TypeCounts(Rows()), "Table 15, Calendar 3");
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <Selected Objects>");

    // No kind ticked: the box, and the list as it was; Enter in the find text does as the Find button does.
    SelectKinds({});
    objects->txtFind->setText("Sales");
    objects->cmdFind_Click();
    QTest::keyClick(objects->txtFind, Qt::Key_Return);
    EXPECT_EQ(TypeCounts(Rows()), "Table 15, Calendar 3");
    EXPECT_EQ(objects->lblSearchResults->text(), "18 Object(s) found");
    EXPECT_EQ(LogMessages().filter("Find Objects begin").size(), 1);
    ASSERT_EQ(seams.boxes.shown.size(), 4u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.contains("\r\n\r\n* Tables\r\n* Calendars\r\n\r\n"));
    EXPECT_EQ(seams.boxes.shown[0].style, bkl::mb::YesNo | bkl::mb::Question | bkl::mb::DefaultButton2);
    EXPECT_EQ(BoxTexts().mid(2), QStringList(2, "Atleast one object type must be selected !|48|Load Objects"));
}

TEST_F(FindRun, TheCaptionNamesTheSearchThatRanWhateverIsTypedOrTickedMeanwhile)
{
    OpenFrame();
    bkl::SetPumpSliceMsForTesting(0); // a turn after every row: the user acts while the tables are listed
    const auto findWhileChanging = [this](const QString& typed, bool wholeWord, std::initializer_list<ObjectKind> kinds) {
        OnFirstRowOfType(objects, "Table", [=, this] {
            objects->txtFind->selectAll();
            QTest::keyClicks(objects->txtFind, typed);
            objects->chkWholeWord->setChecked(wholeWord);
            SelectKinds(kinds);
        });
        objects->cmdFind_Click();
    };

    // Every kind and no name; "zz", Whole Word and one kind less while it lists.
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars, ObjectKind::Calculations,
                 ObjectKind::CompensationPlans, ObjectKind::TailoredReports, ObjectKind::PresentorReports});
    objects->txtFind->clear();
    seams.boxes.answers = {bkl::mb::Yes};
    findWhileChanging("zz", true, {ObjectKind::Tables});
    EXPECT_EQ(objects->lblSearchResults->text(), "75 Object(s) found");
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <All Objects>");
    EXPECT_EQ(objects->txtFind->text(), "zz");

    // Two kinds and "Sales" as a part of the name; every kind, Whole Word and another text meanwhile.
    SelectKinds({ObjectKind::Tables, ObjectKind::Calculations});
    objects->txtFind->setText("Sales");
    objects->chkWholeWord->setChecked(false);
    findWhileChanging("Region", true,
                      {ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars, ObjectKind::Calculations,
                       ObjectKind::CompensationPlans, ObjectKind::TailoredReports, ObjectKind::PresentorReports});
    EXPECT_EQ(objects->lblFilter->text(), "Filter: <Selected Objects>;Name contains \"Sales\"");
    EXPECT_TRUE(Rows().contains("Total Sales|Calculation"));
}

TEST_F(FindRun, StopKeepsTheRowsReadAndQueriesNoLaterKind)
{
    OpenFrame();
    bkl::SetPumpSliceMsForTesting(0); // a turn after every row: Stop is seen after the first calendar
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars, ObjectKind::Calculations});
    seams.boxes.answers = {bkl::mb::Yes};
    bool runningAtStop = false;
    OnFirstRowOfType(objects, "Calendar", [&] {
        runningAtStop = objects->FindRunning() && objects->cmdStop->isEnabled() && !objects->cmdFind->isEnabled();
        EXPECT_EQ(objects->lblLoadStatus->text(), "Loading Calendars...");
        QTest::mouseClick(objects->cmdStop, Qt::LeftButton);
        EXPECT_FALSE(objects->cmdStop->isEnabled());
        EXPECT_FALSE(objects->cmdFind->isEnabled());
    });
    objects->cmdFind_Click();

    EXPECT_TRUE(runningAtStop);
    const QStringList rows = Rows();
    EXPECT_EQ(rows.size(), 15 + 5 + 1);
    EXPECT_EQ(rows.last(), "(FISCAL) Fiscal Calendar|Calendar");
    EXPECT_TRUE(rows.filter("|Calculation").isEmpty());
    EXPECT_EQ(objects->lblSearchResults->text(), "21 Object(s) found");
    EXPECT_TRUE(objects->cmdFind->isEnabled() && objects->cmdGetDetails->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled() || objects->m_bStopFind || objects->FindRunning());
}

TEST_F(FindRun, CommandsThatWouldEndTheWindowsAreRefusedWhileFindRuns)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calculations});
    seams.boxes.answers = {bkl::mb::Yes};
    OnFirstRowOfType(objects, "Table", [&] {
        frame->mnuSwitchModel->trigger();
        frame->tblMainButton(5)->trigger();
        frame->close();
        // The action group is off while the run goes on.
        EXPECT_FALSE(frame->mnuShowPreview->isEnabled());
        EXPECT_FALSE(frame->mnuCompareObjects->isEnabled());
        EXPECT_FALSE(frame->tblMainButton(7)->isEnabled());
    });
    objects->cmdFind_Click();

    EXPECT_EQ(Rows().size(), 15 + 41);
    EXPECT_EQ(frmMDIBKLMain::current(), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(g_cnModel.isOpen());
    EXPECT_EQ(programEnds, 0);
    EXPECT_FALSE(LogMessages().contains("Launch Switch Model"));
    EXPECT_TRUE(LogMessages().filter("Exiting").isEmpty());

    // Once the run has ended the commands go ahead again.
    frame->mnuQuit->trigger();
    EXPECT_EQ(programEnds, 1);
}

// Quit is never refused: Ctrl+Q as the window system delivers it during the find
// stops the find, which ends in order with the rows it had, and ends the program.
TEST_F(FindRun, CtrlQDuringTheFindStopsItAndEndsTheProgram)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Calculations});
    seams.boxes.answers = {bkl::mb::Yes};
    OnFirstRowOfType(objects, "Table", [&] { bkl::test::QueueKey(frame, Qt::Key_Q, Qt::ControlModifier); });
    objects->cmdFind_Click();
    for (int waited = 0; programEnds == 0 && waited < 3000; waited += 5)
        QTest::qWait(5);

    EXPECT_EQ(programEnds, 1);
    EXPECT_LT(Rows().size(), 15 + 41);
    EXPECT_FALSE(objects->FindRunning());
    EXPECT_EQ(LogMessages().last(), QStringLiteral("Exiting Brisklane"));
    EXPECT_TRUE(LogMessages("ERROR").isEmpty());
}

TEST_F(FindRun, DatabaseErrorEndsTheFindInOrderKeepingItsRows)
{
    OpenFrame();
    SelectKinds({ObjectKind::Tables, ObjectKind::Views, ObjectKind::Calendars});
    seams.boxes.answers = {bkl::mb::Yes};
    // The connection goes away while views are listed: the calendars cannot be read.
    OnFirstRowOfType(objects, "View", [] { g_cnModel = bkl::db::Connection(); });
    objects->cmdFind_Click();

    EXPECT_EQ(Rows().size(), 15 + 5);
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[1].style, bkl::mb::Critical);
    EXPECT_EQ(seams.boxes.shown[1].title, "SalesModel2026");
    const QStringList errors = LogLines().filter("|ERROR|");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("|ERROR|Function: cmdFind_Click() --> Code: "));
    EXPECT_EQ(LogMessages().filter("Find Objects").join(";"), "Find Objects begin...;Find Objects end");
    EXPECT_EQ(objects->lblSearchResults->text(), "20 Object(s) found");
    EXPECT_TRUE(objects->cmdFind->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled() || objects->FindRunning());
}
