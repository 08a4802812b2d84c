#include "FrameFixture.h"

#include "platform/core/Settings.h"
#include "shell/Globals.h"
#include "shell/ui/frmBKLModelLogin.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

using bkl::mainwindow::ObjectKind;

namespace {

// Visible captions of a menu, "-" for a separator.
QStringList Captions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

} // namespace

TEST_F(MainWindowFrame, MenusToolbarAndLoadState)
{
    OpenFrame();
    EXPECT_EQ(frame->windowTitle(), "Brisklane");
    EXPECT_EQ(Captions(frame->mnuAnalyze),
              QStringList({"&Show Preview", "-", "&Advanced Find", "-", "&Export Objects", "-", "Reload Model Summary", "-",
                           "&Switch Model", "-", "&Quit"}));
    EXPECT_EQ(Captions(frame->mnuAdvancedFind), QStringList({"&Calculations"}));
    EXPECT_EQ(Captions(frame->mnuTools), QStringList({"Compare &Objects", "-", "Trace &Audit Log", "-",
                                                      "Manage Model &Profiles", "-", "&User Preferences"}));
    EXPECT_EQ(Captions(frame->mnuHelp), QStringList({"&About Brisklane"}));
    EXPECT_EQ(Captions(frame->mnuSubBKObjectsMenu),
              QStringList({"Preview - &Highlighted Object", "Preview - &All Selected Objects", "-", "&Copy Object Name",
                           "-", "Copy Checked Objects to Clipboard", "-", "&Select All", "&Unselect All",
                           "&Invert Selection", "-", "&Export Selected Objects", "-", "C&ompare Selected Objects"}));
    EXPECT_EQ(frame->mnuSubBKObjectsMenu->defaultAction(), frame->mnuSubPreviewHighlightedObject);
    EXPECT_EQ(Captions(frame->mnuBKAdvancedFind), QStringList({"Calculations"}));

    EXPECT_EQ(frame->mnuExportObjects->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(frame->mnuSwitchModel->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
    EXPECT_EQ(frame->mnuQuit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(frame->mnuCompareObjects->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(frame->mnuTraceAuditLog->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(frame->mnuAboutBrisklane->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_FALSE(frame->mnuProcessMonitor->isVisible());
    EXPECT_FALSE(frame->mnuProcessMonitor->isEnabled());
    EXPECT_FALSE(frame->mnuSep7->isVisible());
    EXPECT_TRUE(frame->mnuTraceAuditLog->isEnabled());

    // Eleven toolbar entries, separators at 4, 6, 8 and 10.
    ASSERT_EQ(frame->tblMain->actions().size(), 11);
    QStringList texts;
    for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(frame->tblMainButton(i), frame->tblMain->actions()[i - 1]);
        texts << (frame->tblMainButton(i)->isSeparator() ? QStringLiteral("-") : frame->tblMainButton(i)->text());
    }
    EXPECT_EQ(texts, QStringList({"Show Preview", "Advanced Find", "Export Objects", "-", "Switch Model", "-",
                                  "Compare Objects", "-", "Process Monitor", "-", "Trace Audit Log"}));
    EXPECT_TRUE(frame->tblMainButton(2)->isEnabled());
    EXPECT_TRUE(frame->tblMainButton(11)->isEnabled());
    EXPECT_FALSE(frame->tblMainButton(2)->icon().isNull());

    // Process Monitor: neither the button index nor Ctrl+P does anything.
    frame->tblMain_ButtonClick(9);
    frame->tblMain_ButtonClick(4);
    QTest::keyClick(frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(seams.boxes.shown.empty());

    // Load of the object list: preview and export off, compare on, result labels hidden.
    EXPECT_FALSE(objects->cmdGetDetails->isEnabled());
    EXPECT_FALSE(objects->cmdExport->isEnabled());
    EXPECT_FALSE(frame->mnuShowPreview->isEnabled());
    EXPECT_FALSE(frame->mnuExportObjects->isEnabled());
    EXPECT_FALSE(frame->tblMainButton(1)->isEnabled());
    EXPECT_FALSE(frame->tblMainButton(3)->isEnabled());
    EXPECT_TRUE(objects->cmdCompare->isEnabled());
    EXPECT_TRUE(frame->mnuCompareObjects->isEnabled());
    EXPECT_TRUE(frame->tblMainButton(7)->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled());
    EXPECT_TRUE(objects->lblLoadStatus->isHidden());
    EXPECT_TRUE(objects->lblSearchResults->isHidden());
    EXPECT_TRUE(objects->lblFilter->isHidden());
    EXPECT_TRUE(objects->lblPercentage->isHidden());

    EXPECT_EQ(objects->windowTitle(), "SalesModel2026");
    EXPECT_EQ(objects->StatusBarText(1), "READY");
    EXPECT_EQ(objects->StatusBarText(2), "Server/Host: " + g_sServerHost);
    EXPECT_EQ(objects->StatusBarText(3), "User: demo");
    EXPECT_EQ(objects->StatusBarText(4), "Model: SalesModel2026");
    EXPECT_EQ(objects->lblAnnote->text(), "Quellmar SPM 6.1 and above");
    EXPECT_TRUE(objects->lblVersion->text().startsWith("Build "));
    EXPECT_EQ(objects->lvObjects->headerItem()->text(0), "NAME");
    EXPECT_EQ(objects->lvObjects->headerItem()->text(1), "TYPE");
    EXPECT_EQ(LogMessages(), QStringList({"Re-load Object summary", "Launch frmBKLMain - SalesModel2026"}));
}

TEST_F(MainWindowFrame, DefaultSelectionPreTicksKindsAndGridLinesFollowThePreference)
{
    bkl::SaveSetting("USERPREFERENCES", "DefaultObjectSelection", ";CALC;TABL;pres");
    g_bShowGridLines = false;
    OpenFrame();
    bkl::SaveSetting("USERPREFERENCES", "DefaultObjectSelection", "");
    EXPECT_EQ(objects->lstObjectsGroup1->count(), 3);
    EXPECT_EQ(objects->lstObjectsGroup2->count(), 3);
    ASSERT_EQ(objects->lstObjectsGroup3->count(), 1);
    EXPECT_EQ(objects->lstObjectsGroup3->item(0)->text(), "Presenter Reports");
    QStringList ticked;
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        if (objects->KindPickerItem(kind)->checkState() == Qt::Checked)
            ticked << objects->KindPickerItem(kind)->text();
    EXPECT_EQ(ticked, QStringList({"Tables", "Calculations"}));
    EXPECT_EQ(objects->lstObjectsGroup1->currentRow(), -1);
    EXPECT_TRUE(objects->lvObjects->styleSheet().isEmpty());
    CloseAllWindows();

    g_bShowGridLines = true;
    OpenFrame();
    EXPECT_TRUE(objects->lvObjects->styleSheet().contains("border-bottom"));
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        EXPECT_EQ(objects->KindPickerItem(kind)->checkState(), Qt::Unchecked);
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
    QTreeWidgetItem* third = objects->AddObjectRow("(STD) Standard Calendar", "Calendar");
    first->setCheckState(0, Qt::Checked);
    third->setCheckState(0, Qt::Checked);
    EXPECT_EQ(objects->ObjectsCheckedCount(1), 2);
    EXPECT_EQ(objects->ObjectsCheckedCount(0), 1);

    frame->mnuSubCopyObjectsClipboard->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Sales\r\n(STD) Standard Calendar\r\n");

    // Copy Object Name: the highlighted row, trimmed; nothing without a highlighted row.
    objects->lvObjects->setCurrentItem(nullptr);
    frame->mnuSubCopyObjectName_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Sales\r\n(STD) Standard Calendar\r\n");
    objects->lvObjects->setCurrentItem(first);
    frame->mnuSubCopyObjectName->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Total Sales");

    // Invert twice restores every mark; select all and unselect all.
    frame->mnuSubInvertSelection->trigger();
    EXPECT_EQ(objects->ObjectsCheckedCount(1), 1);
    EXPECT_EQ(objects->lvObjects->topLevelItem(1)->checkState(0), Qt::Checked);
    frame->mnuSubInvertSelection->trigger();
    EXPECT_EQ(first->checkState(0), Qt::Checked);
    EXPECT_EQ(objects->lvObjects->topLevelItem(1)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(third->checkState(0), Qt::Checked);
    EXPECT_EQ(objects->lvObjects->currentItem(), first);
    frame->mnuSubSelectAll->trigger();
    EXPECT_EQ(objects->ObjectsCheckedCount(1), 3);
    frame->mnuSubUnSelectAll->trigger();
    EXPECT_EQ(objects->ObjectsCheckedCount(1), 0);

    // With no checked row the clipboard holds the empty text, not what it held before.
    frame->mnuSubCopyObjectsClipboard_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST_F(MainWindowFrame, PopUpMenusOpenOnTheirButtons)
{
    OpenFrame();
    objects->lvObjects_MouseUp(Qt::RightButton);
    EXPECT_FALSE(frame->mnuSubBKObjectsMenu->isVisible()); // empty list: no menu
    objects->AddObjectRow("Total Sales", "Calculation");
    objects->lvObjects_MouseUp(Qt::LeftButton);
    EXPECT_FALSE(frame->mnuSubBKObjectsMenu->isVisible());
    objects->lvObjects_MouseUp(Qt::RightButton);
    EXPECT_TRUE(frame->mnuSubBKObjectsMenu->isVisible());
    frame->mnuSubBKObjectsMenu->hide();

    QTest::mouseClick(objects->cmdAdvancedFind, Qt::LeftButton);
    EXPECT_TRUE(frame->mnuBKAdvancedFind->isVisible());
    frame->mnuBKAdvancedFind->hide();
}

TEST_F(MainWindowFrame, QuitWritesOneLineAndEndsTheProgram)
{
    OpenFrame();
    const int before = LogMessages().size();
    QTest::keyClick(frame, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(LogMessages().mid(before), QStringList({"Exiting Brisklane"}));
    EXPECT_TRUE(LogLines().last().endsWith("|" + g_sModelKey + "|INFO|Exiting Brisklane"));
}

TEST_F(MainWindowFrame, ClosingTheFrameUnloadsTheObjectListFirst)
{
    OpenFrame();
    const int before = LogMessages().size();
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(LogMessages().mid(before), QStringList({"Exiting SalesModel2026", "Exiting Brisklane"}));
    EXPECT_EQ(programEnds, 0);
}

TEST_F(MainWindowFrame, SwitchModelReleasesTheModelAndReopensTheLogin)
{
    OpenFrame();
    const int before = LogMessages().size();
    QTest::keyClick(frame, Qt::Key_F2, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(LogMessages().mid(before),
              QStringList({"Launch Switch Model", "Progress", "Exiting SalesModel2026", "Exiting Brisklane"}));
    EXPECT_FALSE(g_cnModel.isOpen());
    EXPECT_EQ(frmMDIBKLMain::current(), nullptr);
    EXPECT_EQ(frmBKLMain::current(), nullptr);
    int logins = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmBKLModelLogin*>(w) && w->isVisible())
            ++logins;
    EXPECT_EQ(logins, 1);
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
}
