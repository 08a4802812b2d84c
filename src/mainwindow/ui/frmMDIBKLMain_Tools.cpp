// The frame window's commands that open the advanced search and the audit trace.
#include "mainwindow/ui/frmBKLTraceAuditLog.h"
#include "platform/ui/ModalWindows.h"
#include "mainwindow/ui/frmCalculationsAdvancedFind.h"
#include "mainwindow/ui/frmMDIBKLMain.h"

void frmMDIBKLMain::mnuAdvancedFindCalculations_Click()
{
    if (refusedWhileRunning())
        return;
    frmCalculationsAdvancedFind search(this);
    bkl::ExecModal(search);
}

void frmMDIBKLMain::mnuTraceAuditLog_Click()
{
    if (refusedWhileRunning())
        return;
    frmBKLTraceAuditLog trace(this);
    bkl::ExecModal(trace);
}
