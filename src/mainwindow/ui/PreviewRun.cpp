#include "mainwindow/ui/PreviewRun.h"

#include "mainwindow/ui/CheckedRows.h"
#include "platform/core/FailureBox.h"
#include "platform/core/OutsideRunWait.h"

#include "mainwindow/PreviewPage.h"
#include "mainwindow/ReportPageFile.h"
#include "mainwindow/ui/ProgressBarSink.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/ui/Browser.h"
#include "platform/ui/RunGuard.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ModelConnection.h"
#include "shell/ToggleDivScript.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <exception>

namespace bkl {
namespace {

// Error number of a page file that cannot be written ("Path/File access error").
constexpr long kFileAccessError = 75;

// Logs a run's file failure as its ERROR line and tells the user in a critical box.
void ReportFileFailure(const QString& procedure, const QString& title, const QString& description)
{
    LogFunctionError(procedure, kFileAccessError, description);
    ShowRunFailure(kFileAccessError, description, title);
}

// The controls a preview locks so that no second preview, export, compare or find starts.
void SetPreviewLocks(frmBKLMain& w, frmMDIBKLMain& frame, bool enabled, bool popupMenu)
{
    w.cmdGetDetails->setEnabled(enabled);
    w.cmdExport->setEnabled(enabled);
    w.cmdCompare->setEnabled(enabled);
    frame.mnuShowPreview->setEnabled(enabled);
    frame.mnuExportObjects->setEnabled(enabled);
    frame.mnuCompareObjects->setEnabled(enabled);
    frame.tblMainButton(1)->setEnabled(enabled);
    frame.tblMainButton(3)->setEnabled(enabled);
    w.cmdFind->setEnabled(enabled);
    w.lvObjects->setEnabled(enabled);
    if (popupMenu)
        frame.mnuSubBKObjectsMenu->setEnabled(enabled);
}

void NavigateIgnoringErrors(Browser* browser, const QString& page)
{
    try {
        browser->navigate(page);
    } catch (...) {
    }
}

} // namespace

void RunPreview(frmBKLMain& w, frmMDIBKLMain& frame, PreviewEntry entry)
{
    if (RunGuard::active())
        return;
    const bool fromFrame = entry == PreviewEntry::Frame;
    const long n = w.ObjectsCheckedCount(1);
    WriteLog(fromFrame ? QStringLiteral("Preview Objects begin..") : QStringLiteral("Preview Objects begin..."),
             LogInfo);
    if (fromFrame && w.lvObjects->topLevelItemCount() == 0)
        return;
    if (n == 0) {
        MsgBox(QStringLiteral("No objects selected for preview !"), mb::Exclamation, QStringLiteral("Preview Objects"));
        w.lvObjects->setFocus();
        return;
    }

    const mainwindow::PreviewLists lists = mainwindow::GroupCheckedRows(CheckedRowTexts(w.lvObjects));
    w.pbProgress->setMinimum(1);
    w.pbProgress->setMaximum(static_cast<int>(n) + 1);
    w.pbProgress->setValue(1);
    w.lblPercentage->setText(QStringLiteral("0%"));
    w.lblPercentage->show();
    g_lPreviewDone = 0;
    g_lPreviewTotal = n;

    const QString page = mainwindow::PreviewPagePath();
    const QString title = fromFrame ? frame.windowTitle() : w.windowTitle();
    QString failure;
    {
        RunGuard guard([&w, &frame] {
            w.pbProgress->hide();
            w.lblPreviewStatus->hide();
            w.lblPercentage->hide();
            SetPreviewLocks(w, frame, true, true);
        });
        SetPreviewLocks(w, frame, false, fromFrame);
        ProgressBarSink sink(w.pbProgress, w.lblPercentage);
        mainwindow::PreviewKindHooks hooks{[&w](const QString& status) {
                                               w.lblPreviewStatus->setText(status);
                                               w.lblPreviewStatus->show();
                                               w.pbProgress->show();
                                           },
                                           [&w] {
                                               w.pbProgress->hide();
                                               w.lblPreviewStatus->hide();
                                           }};
        try {
            mainwindow::WritePreviewPage(page, GetToggleDivScript(), lists, sink, hooks);
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
    }
    // The run has ended in order (controls restored); now the user learns why it failed.
    if (!failure.isEmpty()) {
        ReportFileFailure(fromFrame ? QStringLiteral("mnuShowPreview_Click") : QStringLiteral("cmdGetDetails_Click"),
                          title, failure);
        return;
    }
    // The summary chart would cover the lower part of the preview page.
    w.picMain->hide();
    WriteLog(fromFrame ? QStringLiteral("Launch Preview Objects end") : QStringLiteral("Preview Objects end"), LogInfo);
    NavigateIgnoringErrors(w.wbObjects, page);
}

bool CheckOnlyHighlightedRow(QTreeWidget* list)
{
    QTreeWidgetItem* highlighted = list->currentItem();
    if (list->topLevelItemCount() == 0 || !highlighted)
        return false;
    if (!SetCheckMarks(list, [](bool) { return false; }))
        return false;
    highlighted->setCheckState(0, Qt::Checked);
    return true;
}

std::optional<mainwindow::ModelCounts> WriteModelSummary(mainwindow::SummaryStyle style, const QString& procedure,
                                                         const QString& title)
{
    // The user stopped the wait this is part of (the frame opening): every count would
    // end unsent as 0, so the page written before the Stop stays, agreeing with the chart.
    if (OutsideRunStopPending())
        return std::nullopt;
    const mainwindow::ModelCounts counts
        = mainwindow::ReadModelCounts(style, [](const QString& sql) { return GetRecordCount(sql); });
    try {
        mainwindow::WriteReportPage(mainwindow::SummaryPagePath(),
                                    mainwindow::SummaryPageText(style, g_sModelName, counts));
    } catch (const std::exception& e) {
        ReportFileFailure(procedure, title, QString::fromUtf8(e.what()));
        return std::nullopt;
    }
    return counts;
}

} // namespace bkl
