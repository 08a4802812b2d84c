// The compare window's source and compare lists: Load Objects (by kind from
// the source model, or from an object-list file), the keyword search, Add,
// Add All, Remove, Remove All, sorting, the pop-up menus and Connect.
#include "compare/CompareReportPage.h"
#include "platform/ui/ModalWindows.h"
#include "compare/CompareRunFailure.h"
#include "compare/ObjectListFile.h"
#include "compare/ui/CompareListRow.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "mainwindow/FindStatement.h"
#include "platform/core/AppFolder.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ListBatch.h"
#include "platform/ui/RunGuard.h"
#include "shell/ErrorInfo.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QTreeWidget>
#include <array>
#include <optional>

using namespace bkl;
using bkl::mainwindow::ObjectKind;

namespace {

const QString kFromFile = QStringLiteral("<< Load Objects from file >>");

// The kinds Load Objects lists from the source model, as the picker names them.
struct PickerKind {
    const char* item;
    ObjectKind kind;
};
constexpr std::array<PickerKind, 5> kPickerKinds{{{"Tables", ObjectKind::Tables},
                                                  {"Views", ObjectKind::Views},
                                                  {"Calendars", ObjectKind::Calendars},
                                                  {"Calculations", ObjectKind::Calculations},
                                                  {"Presentor Reports", ObjectKind::PresentorReports}}};

// The listing statement of a picker item, trimmed and upper-cased; none for the file item.
std::optional<QString> ListingStatement(const QString& key)
{
    for (const PickerKind& p : kPickerKinds)
        if (key == UCase(QLatin1String(p.item)))
            return mainwindow::FindStatement(p.kind, QString(), false, false);
    return std::nullopt;
}

} // namespace

void frmBKLCompareObjects::FillObjectTypes()
{
    cboObjects->clear();
    cboObjects->addItem(QStringLiteral("<None>"));
    for (const PickerKind& p : kPickerKinds)
        cboObjects->addItem(QLatin1String(p.item));
    cboObjects->addItem(kFromFile);
    cboObjects->setCurrentIndex(0);
}

void frmBKLCompareObjects::AddSourceRow(const QString& name, const QString& type)
{
    new compare::CompareListRow(lvObjects, QStringList{name, type});
}

void frmBKLCompareObjects::cmdLoadObjects_Click()
{
    if (cboObjects->currentIndex() <= 0)
        return;
    if (RunGuard::active() || refusedWhileBusy())
        return;
    txtSearch->clear();
    lvObjects->clear();
    cmdLoadObjects->setEnabled(false);
    cmdStop->setEnabled(true);
    const QString key = UCase(Trim(cboObjects->currentText()));
    std::optional<ErrorInfo> failure;
    {
        RunGuard guard([this] {
            m_bLoading = false;
            m_bStopLoad = false;
            cmdLoadObjects->setEnabled(true);
            cmdStop->setEnabled(false);
            ShowObjectCount();
        });
        guard.watchStop(m_bStopLoad);
        m_bLoading = true;
        try {
            if (const std::optional<QString> sql = ListingStatement(key))
                LoadObjectsFromModel(*sql);
            else if (key == UCase(kFromFile))
                failure = LoadObjectsFromFile();
        } catch (const db::StatementStopped&) {
            // Stop pressed during the listing statement: the rows listed so far stay.
        } catch (...) {
            failure = CurrentErrorInfo();
        }
    }
    // The load has ended in order with the rows it listed; now the user learns why it failed.
    if (failure) {
        compare::ReportRunFailure(QStringLiteral("cmdLoadObjects_Click"), *failure, windowTitle());
    }
}

// Rows go into the source list in batches, one per turn of the event loop
// (about every 20 ms), with the count as the load's progress; Stop is seen at
// each turn. Rows gathered before a failure are listed too.
template <class NextRow>
void frmBKLCompareObjects::LoadSourceRows(NextRow nextRow, bool scrollToNewRows)
{
    ListBatch rows(lvObjects);
    const auto flush = [&] {
        QTreeWidgetItem* last = rows.flush();
        if (scrollToNewRows && last)
            lvObjects->scrollToItem(last);
        ShowObjectCount();
    };
    const auto listRest = qScopeGuard(flush);
    TimeSlice slice(flush);
    QStringList row;
    while (nextRow(row)) {
        rows.add(new compare::CompareListRow(row));
        if (slice.tick() && m_bStopLoad)
            return;
    }
    slice.pumpNow();
}

void frmBKLCompareObjects::LoadObjectsFromModel(const QString& sql)
{
    db::Recordset rs;
    rs.openForwardOnly(sql, g_cnModel);
    LoadSourceRows(
        [&rs](QStringList& row) {
            if (rs.eof())
                return false;
            row = {rs.field(QStringLiteral("ColName")).toText(), rs.field(QStringLiteral("ColType")).toText()};
            rs.moveNext();
            return true;
        },
        true);
}

std::optional<ErrorInfo> frmBKLCompareObjects::LoadObjectsFromFile()
{
    // The load's hourglass is this window's; the file dialog shows the normal pointer.
    QString path;
    {
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        path = FileDialogs().openFile(QStringLiteral("Open Quellmar Objects file ..."),
                                      QStringLiteral("BKL Object Compare List (*.txt)"), ApplicationFolder());
    }
    if (path.isEmpty())
        return std::nullopt;
    compare::ObjectListFile file(path);
    const QString calculation = QStringLiteral("Calculation");
    QString name;
    LoadSourceRows(
        [&](QStringList& row) {
            if (!file.readLine(name))
                return false;
            row = {name, calculation};
            return true;
        },
        false);
    if (file.status() == UserTextFile::Status::Ok)
        return std::nullopt;
    return ErrorInfo{file.errorNumber(), QString::fromLatin1(kProductName), file.errorString()};
}

void frmBKLCompareObjects::cmdStop_Click()
{
    if (!m_bStopLoad)
        m_bStopLoad = true;
    cmdStop->setEnabled(false);
    cmdLoadObjects->setEnabled(true);
}

void frmBKLCompareObjects::txtSearch_Change()
{
    const QString keyword = UCase(Trim(txtSearch->text()));
    lvObjects->clearSelection();
    for (int i = 0; i < lvObjects->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = lvObjects->topLevelItem(i);
        if (UCase(row->text(0)).contains(keyword)) {
            lvObjects->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
            row->setSelected(true);
            lvObjects->scrollToItem(row);
            return;
        }
    }
}

void frmBKLCompareObjects::AddCompareRows(bool selectedOnly)
{
    // A run reads the compare list by position until it ends. A second Add while
    // this one still adds would check against rows this one has yet to list.
    if (m_bRunning)
        return;
    if (m_bAdding) {
        QApplication::beep();
        return;
    }
    // Like a load, the adding refuses what would start another run or close the window.
    RunGuard guard([this] { m_bAdding = false; }, false);
    m_bAdding = true;
    const QString notStarted = compare::NotStartedPage();
    // The source rows as they are now: the event loop turns while they are added.
    std::vector<std::pair<QString, QString>> sources;
    for (int i = 0; i < lvObjects->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* source = lvObjects->topLevelItem(i);
        if (!selectedOnly || source->isSelected())
            sources.emplace_back(Trim(source->text(0)), Trim(source->text(1)));
    }
    // The compare list holds no two rows of the same NAME and TYPE.
    QSet<std::pair<QString, QString>> listed;
    for (int j = 0; j < lvCompare->topLevelItemCount(); ++j)
        listed.insert({Trim(lvCompare->topLevelItem(j)->text(0)), Trim(lvCompare->topLevelItem(j)->text(1))});

    ListBatch rows(lvCompare);
    TimeSlice slice([this, &rows] {
        if (QTreeWidgetItem* last = rows.flush())
            lvCompare->scrollToItem(last);
    });
    for (const auto& [name, type] : sources) {
        if (listed.contains({name, type}))
            continue;
        listed.insert({name, type});
        auto* row = new compare::CompareListRow(QStringList{name, type});
        compare::SetRowStatus(row, compare::NotStartedStatus());
        row->setData(0, Qt::UserRole, selectedOnly ? notStarted : QString());
        rows.add(row);
        slice.tick();
    }
    slice.pumpNow();
    ShowCompareCount();
}

void frmBKLCompareObjects::cmdAdd_Click() { AddCompareRows(true); }

void frmBKLCompareObjects::cmdAddAll_Click() { AddCompareRows(false); }

QTreeWidgetItem* frmBKLCompareObjects::SelectedCompareRow() const
{
    const QList<QTreeWidgetItem*> selected = lvCompare->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QString frmBKLCompareObjects::RowTag(const QTreeWidgetItem* row) { return row->data(0, Qt::UserRole).toString(); }

void frmBKLCompareObjects::cmdRemove_Click()
{
    // A run reads the compare list by position until it ends.
    if (m_bRunning || lvCompare->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* row = SelectedCompareRow();
    if (row && !Trim(row->text(0)).isEmpty()) {
        const int p = lvCompare->indexOfTopLevelItem(row) + 1;
        delete row;
        const int next = p == 1 ? 1 : p - 1;
        if (QTreeWidgetItem* select = lvCompare->topLevelItem(next - 1)) {
            lvCompare->setCurrentItem(select);
            select->setSelected(true);
        }
    }
    ShowCompareCount();
}

void frmBKLCompareObjects::cmdRemoveAll_Click()
{
    if (m_bRunning)
        return;
    lvCompare->clear();
    ShowCompareCount();
}

void frmBKLCompareObjects::SortList(QTreeWidget* list, int column)
{
    m_iSortOrder = m_iSortOrder == 0 ? 1 : 0;
    const Qt::SortOrder order = m_iSortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    // From the first click on, the list keeps itself sorted, also for rows added later.
    list->header()->setSortIndicator(column, order);
    SetListSorting(list, true);
    list->sortByColumn(column, order);
}

void frmBKLCompareObjects::lvObjects_ColumnClick(int column) { SortList(lvObjects, column); }

void frmBKLCompareObjects::lvCompare_ColumnClick(int column)
{
    if (!m_bRunning)
        SortList(lvCompare, column);
}

void frmBKLCompareObjects::lvObjects_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton && lvObjects->topLevelItemCount() > 0)
        mnuSubObjects->popup(QCursor::pos());
}

void frmBKLCompareObjects::lvCompare_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton && lvCompare->topLevelItemCount() > 0 && !m_bRunning)
        mnuSubCOmpare->popup(QCursor::pos());
}

void frmBKLCompareObjects::cmdTargetConnect_Click()
{
    frmBKLTargetModelLogin login(this, this);
    ExecModal(login);
}
