// The compare window's detail-section tree and the compare run: every row of
// the compare list is compared between the source and the target model and
// gets its status, colour and comparison page.
#include "compare/CompareObject.h"
#include "compare/CompareRunFailure.h"
#include "compare/CompareRunTexts.h"
#include "compare/CompareStatus.h"
#include "compare/ui/CompareListRow.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/RunGuard.h"
#include "reports/DetailSectionRule.h"
#include "reports/ui/DetailSectionTree.h"
#include "shell/ErrorInfo.h"
#include "shell/Log.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <optional>

using namespace bkl;

void frmBKLCompareObjects::FillCompareAttributeTree()
{
    // Compensation plans and tailored reports are not compared: no root for them.
    std::vector<reports::DetailSectionRoot> roots;
    for (const reports::DetailSectionRoot& root : reports::DetailSectionRoots())
        if (root.key != QLatin1String("'28'") && root.key != QLatin1String("'29'"))
            roots.push_back(root);
    reports::FillDetailSectionTree(tvCompare, roots);
    if (tvCompare->topLevelItemCount() > 0)
        tvCompare->setCurrentItem(tvCompare->topLevelItem(0));
}

void frmBKLCompareObjects::SetCompareAttributeFlags()
{
    reports::SetDetailSectionFlags(reports::DetailSectionNodesOf(tvCompare));
}

void frmBKLCompareObjects::SetRunInputsEnabled(bool enabled)
{
    cmdLoadObjects->setEnabled(enabled);
    lvObjects->setEnabled(enabled);
    cmdAdd->setEnabled(enabled);
    cmdAddAll->setEnabled(enabled);
    cmdRemove->setEnabled(enabled);
    cmdRemoveAll->setEnabled(enabled);
    fraReport->setEnabled(enabled);
    tvCompare->setEnabled(enabled);
    cmdTargetConnect->setEnabled(enabled);
    cmdCompare->setEnabled(enabled);
    cmdReport->setEnabled(enabled);
}

void frmBKLCompareObjects::cmdCompare_Click()
{
    if (RunGuard::active() || refusedWhileBusy())
        return;
    const QString title = compare::CompareRunTitle();
    if (lvCompare->topLevelItemCount() == 0) {
        MsgBox(compare::NoObjectsToCompareText(), mb::OKOnly | mb::Critical, title);
        cboObjects->setFocus();
        return;
    }
    if (!m_cnTarget.isOpen()) {
        MsgBox(compare::NoTargetConnectionText(), mb::OKOnly | mb::Critical, title);
        cmdTargetConnect->setFocus();
        return;
    }
    if (MsgBox(compare::RunCompareQuestion(lblSourceModel->text(), lblTargetModel->text()),
               mb::YesNo | mb::Question, title)
        != mb::Yes)
        return;

    WriteLog(QStringLiteral("Begin Compare"), LogInfo);
    m_sDetailedSummary.clear();
    SetCompareAttributeFlags();
    lblPercentage->setText(QStringLiteral("0%"));
    long done = 0;
    const int n = lvCompare->topLevelItemCount();
    pbProgress->setMinimum(1);
    pbProgress->setMaximum(n + 1);
    pbProgress->setValue(1);
    lblPreviewStatus->setText(QStringLiteral("Comparing Objects ..."));

    std::optional<ErrorInfo> failure;
    int compared = 0;
    int errors = 0;
    {
        // Setting a status must not move rows while the run reads them by position.
        const bool sorted = lvCompare->isSortingEnabled();
        RunGuard guard(
            [this, sorted] {
                pbProgress->hide();
                lblPreviewStatus->hide();
                lblPercentage->hide();
                SetRunInputsEnabled(true);
                SetListSorting(lvCompare, sorted);
                m_bRunning = false;
            },
            false);
        m_bRunning = true;
        SetListSorting(lvCompare, false);
        SetRunInputsEnabled(false);
        // The pages name the two models as this window's labels do.
        const compare::CompareSides sides{m_cnSource, m_cnTarget, lblSourceModel->text(), lblTargetModel->text()};
        try {
            TimeSlice slice;
            for (int k = 0; k < n; ++k) {
                slice.tick();
                lblPreviewStatus->show();
                pbProgress->show();
                lblPercentage->show();
                pbProgress->setValue(std::min(pbProgress->value() + 1, pbProgress->maximum()));
                ++done;
                lblPercentage->setText(PercentText(done, n));
                QTreeWidgetItem* row = lvCompare->topLevelItem(k);
                const QString result = compare::CompareObject(sides, Trim(row->text(0)), UCase(Trim(row->text(1))));
                if (const std::optional<compare::CompareStatus> status = compare::StatusOfResult(result)) {
                    row->setData(0, Qt::UserRole, compare::PageOfResult(result));
                    compare::SetRowStatus(row, *status);
                    ++compared;
                    errors += status->text == compare::ErrorStatus().text ? 1 : 0;
                }
                m_sDetailedSummary += compare::DetailedSummaryEntry(result);
                lvCompare->scrollToItem(row);
                slice.tick();
            }
            slice.pumpNow();
        } catch (...) {
            failure = CurrentErrorInfo();
        }
    }
    // The run has ended in order, keeping the statuses it set; now the user learns why it failed.
    if (failure) {
        compare::ReportRunFailure(QStringLiteral("cmdCompare_Click"), *failure, title);
        return;
    }
    const int answer = MsgBox(compare::CompareDoneQuestion(errors, compared),
                              mb::YesNo | (errors == 0 ? mb::Question : mb::Exclamation), title);
    WriteLog(QStringLiteral("End Compare"), LogInfo);
    if (answer == mb::Yes)
        ShowCompareReport(QStringLiteral("Compare Objects - Detailed Summary"), m_sDetailedSummary);
}
