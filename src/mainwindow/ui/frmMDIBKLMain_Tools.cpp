// Placeholder: the advanced search and the audit trace replace these bodies.
#include "mainwindow/ui/frmMDIBKLMain.h"

void frmMDIBKLMain::mnuAdvancedFindCalculations_Click() { (void)refusedWhileRunning(); }
void frmMDIBKLMain::mnuTraceAuditLog_Click() { (void)refusedWhileRunning(); }
