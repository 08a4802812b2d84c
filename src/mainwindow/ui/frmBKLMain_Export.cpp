// Placeholder: the export hand-off replaces these bodies.
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"

void frmBKLMain::cmdExport_Click() {}
void frmMDIBKLMain::mnuExportObjects_Click() { (void)refusedWhileRunning(); }
