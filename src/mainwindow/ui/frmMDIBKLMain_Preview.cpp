// Placeholder: the frame's preview and model summary replace these bodies.
#include "mainwindow/ui/frmMDIBKLMain.h"

void frmMDIBKLMain::mnuShowPreview_Click() { (void)refusedWhileRunning(); }
void frmMDIBKLMain::mnuSubPreviewHighlightedObject_Click() { (void)refusedWhileRunning(); }
void frmMDIBKLMain::mnuReloadModelSummary_Click() { (void)refusedWhileRunning(); }
