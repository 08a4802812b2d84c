// The compare hand-off: the object list's checked rows go into the compare
// window's source list; the window opens modal from the object-list window's
// button and modeless from the frame's command.
#include "compare/ui/frmBKLCompareObjects.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/TextSemantics.h"
#include "platform/ui/RunGuard.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

namespace {

// Appends the checked rows (name and type stripped of blanks) to the compare
// window's source list, loading the window first, and shows the list's count.
frmBKLCompareObjects& HandOffCheckedObjects(const frmBKLMain* objectList)
{
    frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
    compare.Load();
    const QTreeWidget* list = objectList->lvObjects;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            compare.AddSourceRow(bkl::Trim(row->text(0)), bkl::Trim(row->text(1)));
    }
    // The label counts the whole source list, also when earlier rows are still in it.
    compare.ShowObjectCount();
    return compare;
}

} // namespace

void frmBKLMain::cmdCompare_Click()
{
    if (bkl::RunGuard::active()) {
        QApplication::beep();
        return;
    }
    HandOffCheckedObjects(this).ShowModal();
}

void frmMDIBKLMain::mnuCompareObjects_Click()
{
    if (refusedWhileRunning())
        return;
    HandOffCheckedObjects(objectList()).ShowModeless();
}
