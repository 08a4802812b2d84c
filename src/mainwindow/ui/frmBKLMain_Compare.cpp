// Placeholder: the compare hand-off replaces these bodies.
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"

void frmBKLMain::cmdCompare_Click() {}
void frmMDIBKLMain::mnuCompareObjects_Click() { (void)refusedWhileRunning(); }
