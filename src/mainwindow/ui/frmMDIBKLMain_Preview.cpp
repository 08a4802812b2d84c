// The frame window's preview and model summary commands.
#include "mainwindow/ui/PreviewRun.h"
#include "mainwindow/ui/SummaryChart.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/ui/Browser.h"
#include "shell/Log.h"

#include <QTreeWidget>

void frmMDIBKLMain::mnuShowPreview_Click()
{
    if (refusedWhileRunning())
        return;
    bkl::RunPreview(*objectList(), *this, bkl::PreviewEntry::Frame);
}

void frmMDIBKLMain::mnuSubPreviewHighlightedObject_Click()
{
    if (refusedWhileRunning() || !bkl::CheckOnlyHighlightedRow(objectList()->lvObjects))
        return;
    mnuShowPreview_Click();
}

void frmMDIBKLMain::mnuReloadModelSummary_Click()
{
    if (refusedWhileRunning())
        return;
    bkl::WriteLog(QStringLiteral("Re-load Object summary"), bkl::LogInfo);
    const auto counts = bkl::WriteModelSummary(bkl::mainwindow::SummaryStyle::Rich,
                                               QStringLiteral("mnuReloadModelSummary_Click"), windowTitle());
    if (!counts)
        return;
    // The first use of the object-list window loads it, and its load writes the plain page over this one.
    frmBKLMain* list = objectList();
    list->wbObjects->navigate(bkl::mainwindow::SummaryPagePath());
    bkl::SetSummaryChartData(list->MSChart1, bkl::mainwindow::SummaryChartData(*counts));
    list->picMain->show();
}
