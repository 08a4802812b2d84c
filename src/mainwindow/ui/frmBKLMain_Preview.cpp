// The object-list window's preview, model summary and browser commands.
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "mainwindow/ui/PreviewRun.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/ui/Browser.h"
#include "platform/ui/RunGuard.h"

#include <QTreeWidget>

void frmBKLMain::cmdGetDetails_Click()
{
    if (frmMDIBKLMain* frame = frmMDIBKLMain::current())
        bkl::RunPreview(*this, *frame, bkl::PreviewEntry::ObjectList);
}

void frmBKLMain::lvObjects_DblClick()
{
    if (bkl::RunGuard::active() || !bkl::CheckOnlyHighlightedRow(lvObjects))
        return;
    cmdGetDetails_Click();
}

void frmBKLMain::LoadModelSummary()
{
    if (bkl::WriteModelSummary(bkl::mainwindow::SummaryStyle::Plain, QStringLiteral("LoadModelSummary"),
                               windowTitle()))
        wbObjects->navigate(bkl::mainwindow::SummaryPagePath());
}

void frmBKLMain::cmdIEPreview_Click() { bkl::BrowserSaveAs(wbObjects); }
void frmBKLMain::cmdPreview_Click() { bkl::BrowserPrintPreview(wbObjects); }
void frmBKLMain::cmdPrint_Click() { bkl::BrowserPrint(wbObjects); }
