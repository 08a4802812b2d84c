// The export hand-off: the object list's checked rows go to a new export
// dialog, shown modal.
#include "mainwindow/CheckedObjects.h"
#include "platform/ui/ModalWindows.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/CheckedRows.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/Seams.h"
#include "platform/ui/RunGuard.h"
#include "reports/ui/frmBKLExportObjects.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

namespace {

void ExportCheckedObjects(frmBKLMain* objectList)
{
    if (objectList->ObjectsCheckedCount(1) == 0) {
        bkl::MsgBox(QStringLiteral("No objects selected for export !"), bkl::mb::Exclamation,
                    QStringLiteral("Export Objects"));
        objectList->lvObjects->setFocus();
        return;
    }
    const bkl::mainwindow::CheckedObjects handOff = bkl::mainwindow::CollectCheckedObjects(bkl::CheckedRowTexts(objectList->lvObjects));
    frmBKLExportObjects dialog(objectList->window());
    for (const bkl::mainwindow::ObjectRowTexts& row : handOff.rows)
        dialog.AddExportRow(row.name, row.type);
    dialog.m_sTablesExport = handOff.lists[0];
    dialog.m_sViewsExport = handOff.lists[1];
    dialog.m_sCalendarsExport = handOff.lists[2];
    dialog.m_sCalculationsExport = handOff.lists[3];
    dialog.m_sCompensationPlansExport = handOff.lists[4];
    dialog.m_sTailoredReportsExport = handOff.lists[5];
    dialog.m_sPresentorReportsExport = handOff.lists[6];
    dialog.lblRecordCount->setText(handOff.recordCountCaption());
    bkl::ExecModal(dialog);
}

} // namespace

void frmBKLMain::cmdExport_Click()
{
    if (bkl::RunGuard::active()) {
        QApplication::beep();
        return;
    }
    ExportCheckedObjects(this);
}

void frmMDIBKLMain::mnuExportObjects_Click()
{
    if (refusedWhileRunning())
        return;
    ExportCheckedObjects(objectList());
}
