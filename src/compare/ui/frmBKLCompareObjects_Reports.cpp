// The compare window's reports: the detailed summary of the last run, the
// summary of one object and the status table, each shown in the report window.
#include "compare/CompareReportPage.h"
#include "platform/ui/ModalWindows.h"
#include "compare/CompareRunFailure.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "compare/ui/frmBKLCompareReport.h"
#include "mainwindow/ReportPageFile.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/Browser.h"
#include "shell/ErrorInfo.h"
#include "shell/Log.h"

#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>

using namespace bkl;

namespace {

const QString kObjectSummary = QStringLiteral("Compare Objects - Object Summary");

} // namespace

void frmBKLCompareObjects::ShowCompareReport(const QString& caption, const QString& html)
{
    frmBKLCompareReport report(this);
    m_report = &report;
    report.setWindowTitle(caption);
    WriteLog(QStringLiteral("Compare Objects - Loading Reports") + windowTitle(), LogInfo);
    const QString page = compare::CompareReportPagePath();
    try {
        mainwindow::WriteReportPage(page, compare::CompareReportPageText(html));
    } catch (...) {
        compare::ReportRunFailure(QStringLiteral("ShowCompareReport"), CurrentErrorInfo(), windowTitle());
        report.cmdClose_Click();
        return;
    }
    try {
        report.wbResult->navigate(page);
    } catch (...) {
    }
    ExecModal(report);
}

void frmBKLCompareObjects::ShowObjectSummary(bool requireName)
{
    if (m_bRunning || lvCompare->topLevelItemCount() == 0)
        return;
    const QTreeWidgetItem* row = SelectedCompareRow();
    if (!row || (requireName && Trim(row->text(0)).isEmpty()))
        return;
    ShowCompareReport(kObjectSummary, RowTag(row));
}

void frmBKLCompareObjects::cmdReport_Click()
{
    if (optDetailedSummary->isChecked()) {
        ShowCompareReport(QStringLiteral("Compare Objects - Detalied Summary"), m_sDetailedSummary);
    } else if (optObjectSummary->isChecked()) {
        ShowObjectSummary(true);
    } else if (optStatusSummary->isChecked() && lvCompare->topLevelItemCount() > 0) {
        std::vector<compare::CompareRowTexts> rows;
        for (int i = 0; i < lvCompare->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = lvCompare->topLevelItem(i);
            rows.push_back({row->text(0), row->text(1), row->text(2)});
        }
        const QString table = compare::StatusSummaryTable(lblSourceModel->text(), lblTargetModel->text(), rows,
                                                          [] { PumpWhenDue(); });
        ShowCompareReport(QStringLiteral("Compare Objects - Status Summary"), table);
    }
}

void frmBKLCompareObjects::lvCompare_DblClick() { ShowObjectSummary(false); }

void frmBKLCompareObjects::mnuViewCompareSummary_Click() { ShowObjectSummary(true); }
