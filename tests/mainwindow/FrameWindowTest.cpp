// The frame and its object list: the state after load, the kind pickers, grid
// lines, sorting, check marks and the clipboard, Quit, and Switch Model.
#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/core/Settings.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/GridLineDelegate.h"
#include "shell/Globals.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "support/DemoModel.h"
#include "support/TestWindows.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

using bkl::mainwindow::ObjectKind;
using MainWindowFrame = bkl::test::WindowTest;

TEST_F(MainWindowFrame, LoadStateAndTheInertProcessMonitor)
{
    OpenFrame();
    // Process Monitor: neither the button index nor Ctrl+P does anything.
    frame->tblMain_ButtonClick(9);
    QTest::keyClick(frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(seams.boxes.shown.empty());
    // A right click on the toolbar or the menu bar opens no menu (none could hide the toolbar).
    for (QWidget* bar : {static_cast<QWidget*>(frame->tblMain), static_cast<QWidget*>(frame->menuBar())}) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), bar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bar, &click);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }

    // Load of the object list: preview and export off, compare on.
    for (QObject* off : std::initializer_list<QObject*>{objects->cmdGetDetails, objects->cmdExport, objects->cmdStop,
                                                         frame->mnuShowPreview, frame->mnuExportObjects,
                                                         frame->tblMainButton(1), frame->tblMainButton(3)})
        EXPECT_FALSE(off->property("enabled").toBool()) << off->objectName().toStdString();
    EXPECT_TRUE(objects->cmdCompare->isEnabled() && frame->mnuCompareObjects->isEnabled());
    // Picture buttons (find, stop, the browser commands) have a name for assistive tools.
    for (const QAbstractButton* button : objects->findChildren<QAbstractButton*>())
        if (button->text().isEmpty())
            EXPECT_FALSE(button->accessibleName().isEmpty()) << button->toolTip().toStdString();

    EXPECT_EQ(objects->windowTitle(), "SalesModel2026");
    EXPECT_EQ(QStringList({objects->StatusBarText(1), objects->StatusBarText(2), objects->StatusBarText(3),
                           objects->StatusBarText(4)}),
              QStringList({"READY", "Server/Host: " + g_sServerHost, "User: demo", "Model: SalesModel2026"}));
    // Names and typed texts in the status bar and the result labels are shown literally, not as markup.
    QList<QLabel*> literal = objects->sbRelease->findChildren<QLabel*>();
    literal << objects->lblLoadStatus << objects->lblSearchResults << objects->lblFilter;
    for (const QLabel* label : literal)
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    EXPECT_EQ(LogMessages(), QStringList({"Re-load Object summary", "Launch frmBKLMain - SalesModel2026"}));
}

TEST_F(MainWindowFrame, DefaultSelectionPreTicksKindsAndGridLinesFollowThePreference)
{
    bkl::SaveSetting("USERPREFERENCES", "DefaultObjectSelection", ";CALC;TABL;pres");
    g_bShowGridLines = false;
    OpenFrame();
    bkl::SaveSetting("USERPREFERENCES", "DefaultObjectSelection", "");
    EXPECT_EQ(objects->lstObjectsGroup3->item(0)->text(), "Presenter Reports");
    QStringList ticked;
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        if (objects->KindPickerItem(kind)->checkState() == Qt::Checked)
            ticked << objects->KindPickerItem(kind)->text();
    EXPECT_EQ(ticked, QStringList({"Tables", "Calculations"}));
    EXPECT_EQ(objects->lstObjectsGroup1->currentRow(), -1);

    // A click on an item's box ticks it once, and so does a click on its text.
    QListWidget* picker = objects->lstObjectsGroup1;
    QStyleOptionViewItem option;
    option.initFrom(picker->viewport());
    option.rect = picker->visualItemRect(picker->item(1));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = picker->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, picker);
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(picker->item(1)->checkState(), Qt::Checked);
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, QPoint(option.rect.right() - 5, option.rect.center().y()));
    EXPECT_EQ(picker->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(qobject_cast<bkl::GridLineDelegate*>(objects->lvObjects->itemDelegate()), nullptr);
    CloseWindows();

    g_bShowGridLines = true;
    OpenFrame();
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        EXPECT_EQ(objects->KindPickerItem(kind)->checkState(), Qt::Unchecked);

    // Grid lines keep the selected row readable: the highlight, with the row's text over it.
    QTreeWidget* list = objects->lvObjects;
    objects->AddObjectRow("Total Sales", "Calculation");
    objects->AddObjectRow("PayeeMaster", "Table");
    list->setCurrentItem(list->topLevelItem(0));
    const QImage shot = list->viewport()->grab().toImage();
    const QRect type = list->visualRect(list->model()->index(0, 1)).adjusted(1, 1, -2, -2);
    const QRgb highlight = shot.pixel(type.topRight());
    int textPixels = 0;
    for (int y = type.top(); y <= type.bottom(); ++y)
        for (int x = type.left(); x <= type.right(); ++x)
            textPixels += qAbs(qGray(shot.pixel(x, y)) - qGray(highlight)) > 60;
    EXPECT_GT(textPixels, 20);
    const QRect plain = list->visualRect(list->model()->index(1, 1));
    EXPECT_NE(highlight, shot.pixel(plain.right() - 2, plain.top() + 1));
    EXPECT_EQ(QColor(shot.pixel(plain.center().x(), plain.bottom())), bkl::GridLineDelegate::lineColour());
}

TEST_F(MainWindowFrame, SortToggleIsSharedByBothColumnsAndIgnoresLetterCase)
{
    OpenFrame();
    objects->AddObjectRow("beta", "View");
    objects->AddObjectRow("Alpha", "Table");
    objects->AddObjectRow("gamma", "Calculation");
    objects->AddObjectRow("Delta", "View");
    EXPECT_EQ(Rows(), QStringList({"beta|View", "Alpha|Table", "gamma|Calculation", "Delta|View"}));

    // First click, on TYPE: descending by type.
    QTest::mouseClick(objects->lvObjects->header()->viewport(), Qt::LeftButton, {},
                      QPoint(objects->lvObjects->header()->sectionViewportPosition(1) + 10, 5));
    EXPECT_EQ(objects->m_iSortOrder, 1);
    EXPECT_EQ(Rows(), QStringList({"beta|View", "Delta|View", "Alpha|Table", "gamma|Calculation"}));
    // Next click, on NAME: ascending by name, letter case ignored.
    QTest::mouseClick(objects->lvObjects->header()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(objects->m_iSortOrder, 0);
    EXPECT_EQ(Rows(), QStringList({"Alpha|Table", "beta|View", "Delta|View", "gamma|Calculation"}));
    objects->lvObjects_ColumnClick(0);
    EXPECT_EQ(Rows(), QStringList({"gamma|Calculation", "Delta|View", "beta|View", "Alpha|Table"}));
    // Rows added later take their place in the order.
    objects->AddObjectRow("Epsilon", "Table");
    EXPECT_EQ(Rows().mid(0, 2), QStringList({"gamma|Calculation", "Epsilon|Table"}));
}

TEST_F(MainWindowFrame, CheckMarksAndClipboardCommands)
{
    OpenFrame();
    QTreeWidgetItem* first = objects->AddObjectRow("  Total Sales ", "Calculation");
    objects->AddObjectRow("PayeeMaster", "Table");
    objects->AddObjectRow("(STD) Standard Calendar", "Calendar")->setCheckState(0, Qt::Checked);
    first->setCheckState(0, Qt::Checked);
    const auto marks = [this] {
        QString m;
        for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i)
            m += objects->lvObjects->topLevelItem(i)->checkState(0) == Qt::Checked ? 'x' : '-';
        return m;
    };
    EXPECT_EQ(objects->ObjectsCheckedCount(1), 2);
    EXPECT_EQ(objects->ObjectsCheckedCount(0), 1);
    frame->mnuSubCopyObjectsClipboard->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Sales\r\n(STD) Standard Calendar\r\n");
    // Copy Object Name: the highlighted row, trimmed.
    objects->lvObjects->setCurrentItem(first);
    frame->mnuSubCopyObjectName->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Sales");
    // Invert twice restores every mark and the highlight.
    frame->mnuSubInvertSelection->trigger();
    EXPECT_EQ(marks(), "-x-");
    frame->mnuSubInvertSelection->trigger();
    EXPECT_EQ(marks(), "x-x");
    EXPECT_EQ(objects->lvObjects->currentItem(), first);
    frame->mnuSubUnSelectAll->trigger();
    EXPECT_EQ(marks(), "---");
    // With no checked row the clipboard holds the empty text, not what it held before.
    frame->mnuSubCopyObjectsClipboard_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST_F(MainWindowFrame, SelectAllAndInvertOnASortedListTurnTheLoopAndKeepTheSort)
{
    OpenFrame();
    bkl::SetPumpSliceMsForTesting(0); // a turn of the event loop after every row
    QTreeWidget* list = objects->lvObjects;
    for (const char* row : {"beta|View", "Alpha|Table", "gamma|Calculation", "Delta|View", "alpha|Calendar"})
        objects->AddObjectRow(QString(row).section('|', 0, 0), QString(row).section('|', 1));
    bkl::test::ClickHeader(list, 0); // NAME, descending; equal names in the order they came
    const QStringList byName({"gamma|Calculation", "Delta|View", "beta|View", "Alpha|Table", "alpha|Calendar"});
    ASSERT_EQ(Rows(), byName);
    list->topLevelItem(2)->setCheckState(0, Qt::Checked);
    const auto marks = [list] {
        QString m;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            m += list->topLevelItem(i)->checkState(0) == Qt::Checked ? 'x' : '-';
        return m;
    };
    int changes = 0;
    QObject::connect(list, &QTreeWidget::itemChanged, list, [&changes] { ++changes; });

    // Select All turns the loop while it marks; a click on TYPE meanwhile is the sort the list takes after,
    // and a second command meanwhile is refused.
    int turns = 0;
    QTimer::singleShot(0, list, [&] {
        ++turns;
        bkl::test::ClickHeader(list, 1);
        frame->mnuSubInvertSelection->trigger();
    });
    frame->mnuSubSelectAll->trigger();
    EXPECT_EQ(turns, 1);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(marks(), "xxxxx");
    EXPECT_EQ(Rows(), QStringList({"gamma|Calculation", "alpha|Calendar", "Alpha|Table", "Delta|View", "beta|View"}));

    // Invert: every mark turned, the rows where they were.
    list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    changes = 0;
    QTimer::singleShot(0, list, [&turns] { ++turns; });
    frame->mnuSubInvertSelection->trigger();
    EXPECT_EQ(turns, 2);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(marks(), "-x---");
    EXPECT_EQ(Rows(), QStringList({"gamma|Calculation", "alpha|Calendar", "Alpha|Table", "Delta|View", "beta|View"}));

    // The list still sorts itself, shows its sort and takes header clicks.
    EXPECT_TRUE(list->isSortingEnabled() && list->header()->sectionsClickable() && list->header()->isSortIndicatorShown());
    EXPECT_EQ(list->header()->sortIndicatorSection(), 1);
    EXPECT_EQ(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    objects->AddObjectRow("Epsilon", "Calendar");
    EXPECT_EQ(Rows().at(2), "Epsilon|Calendar");
    bkl::test::ClickHeader(list, 0);
    EXPECT_EQ(Rows(), QStringList({"gamma|Calculation", "Epsilon|Calendar", "Delta|View", "beta|View", "alpha|Calendar",
                                   "Alpha|Table"}));
}

TEST_F(MainWindowFrame, QuitEndsTheProgramAndClosingUnloadsTheObjectListFirst)
{
    OpenFrame();
    int before = LogMessages().size();
    QTest::keyClick(frame, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(LogMessages().mid(before), QStringList({"Exiting Brisklane"}));
    EXPECT_TRUE(LogLines().last().endsWith("|" + g_sModelKey + "|INFO|Exiting Brisklane"));
    before = LogMessages().size();
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(LogMessages().mid(before), QStringList({"Exiting SalesModel2026", "Exiting Brisklane"}));
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowFrame, SwitchModelClosesEveryWindowReleasesBothModelsAndReopensTheLogin)
{
    OpenFrame();
    frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
    compare.ShowModeless();
    const bkl::db::Connection target = bkl::test::OpenDemoModel(QStringLiteral("SalesModel2026_Target"));
    compare.SetTarget(target, QStringLiteral("SalesModel2026_Target"), QStringLiteral("demo"));
    compare.optDetailedSummary->setChecked(true);
    EXPECT_EQ(frame->mnuSwitchModel->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
    // Switch Model while the report window is open over the compare window is refused:
    // the report's handler goes on once it closes.
    bkl::test::WithModal([&] { compare.cmdReport_Click(); }, [&](QWidget* report) {
        frame->mnuSwitchModel_Click();
        EXPECT_EQ(frmMDIBKLMain::current(), frame);
        report->close();
    });
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    // So it is while the compare window itself is on screen: it works on the frame's model.
    frame->mnuSwitchModel_Click();
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    // Once the user has closed it, Switch Model releases its target and source too.
    compare.cmdClose_Click();
    frame->mnuSwitchModel_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(compare.isVisible() || compare.IsLoaded());
    EXPECT_FALSE(target.isOpen() || compare.m_cnTarget.isOpen() || compare.m_cnSource.isOpen());
    const QStringList log = LogMessages();
    EXPECT_EQ(log.mid(log.indexOf(QStringLiteral("Exiting Compare Objects - Detalied Summary"))),
              QStringList({"Exiting Compare Objects - Detalied Summary", "Exiting Compare Objects",
                           "Launch Switch Model", "Progress", "Exiting SalesModel2026", "Exiting Brisklane"}));
    EXPECT_FALSE(g_cnModel.isOpen());
    EXPECT_EQ(frmMDIBKLMain::current(), nullptr);
    EXPECT_EQ(frmBKLMain::current(), nullptr);
    EXPECT_EQ(bkl::test::VisibleWindows("frmBKLModelLogin").size(), 1);
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    // Opened again, the window has no target.
    compare.Load();
    EXPECT_EQ(compare.lblConnectionStatus->text(), QStringLiteral("Connection Status: Not Connected"));
    EXPECT_EQ(compare.lblTargetModel->text(), QString());
}
