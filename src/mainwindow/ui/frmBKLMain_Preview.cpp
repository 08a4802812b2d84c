// Placeholder: the preview, the model summary and the browser commands replace these bodies.
#include "mainwindow/ui/frmBKLMain.h"

void frmBKLMain::cmdGetDetails_Click() {}
void frmBKLMain::lvObjects_DblClick() {}
void frmBKLMain::LoadModelSummary() {}
void frmBKLMain::cmdIEPreview_Click() {}
void frmBKLMain::cmdPreview_Click() {}
void frmBKLMain::cmdPrint_Click() {}
