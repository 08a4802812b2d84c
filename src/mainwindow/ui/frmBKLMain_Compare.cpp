// The compare hand-off: the object list's checked rows go into the compare
// window's source list; the window opens modal from the object-list window's
// button and modeless from the frame's command.
#include "compare/ui/CompareListRow.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/CheckedRows.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/ListBatch.h"
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
    {
        bkl::RunGuard busy; // the event loop turns while the rows go in
        bkl::ListBatch rows(compare.lvObjects);
        bkl::TimeSlice slice([&rows] { rows.flush(); });
        for (const bkl::mainwindow::ObjectRowTexts& row : bkl::CheckedRowTexts(objectList->lvObjects)) {
            rows.add(new bkl::compare::CompareListRow(QStringList{bkl::Trim(row.name), bkl::Trim(row.type)}));
            slice.tick();
        }
        slice.pumpNow();
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
