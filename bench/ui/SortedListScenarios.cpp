#include "SortedListScenarios.h"

#include "mainwindow/ObjectKinds.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/ScriptedSeams.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QTreeWidget>

namespace bench {
namespace {

// Every kind found with no filter (untimed), then the list sorted by one click on NAME.
void FindAllSortedByName(Context& c)
{
    for (bkl::mainwindow::ObjectKind kind : bkl::mainwindow::kAllKinds)
        c.objects->KindPickerItem(kind)->setCheckState(Qt::Checked);
    c.objects->txtFind->clear();
    c.seams->boxes.answers = {bkl::mb::Yes}; // the load-all question
    c.objects->cmdFind_Click();
    c.objects->lvObjects_ColumnClick(0);
}

QString CheckedOfRows(const Context& c)
{
    return QStringLiteral("%1 of %2 rows checked")
        .arg(c.objects->ObjectsCheckedCount(1))
        .arg(c.objects->lvObjects->topLevelItemCount());
}

// Times one command of the list's context menu on the sorted list, every other row checked
// first when asked (so that an inversion changes every row).
Outcome TimedListCommand(Context& c, QAction* command, bool everyOtherChecked)
{
    FindAllSortedByName(c);
    if (everyOtherChecked) {
        QTreeWidget* list = c.objects->lvObjects;
        list->setSortingEnabled(false);
        for (int i = 0; i < list->topLevelItemCount(); i += 2)
            list->topLevelItem(i)->setCheckState(0, Qt::Checked);
        list->setSortingEnabled(true);
        list->header()->setSectionsClickable(true);
    }
    c.probe->start();
    command->trigger();
    Outcome out;
    out.measure = c.probe->stop();
    out.note = CheckedOfRows(c);
    return out;
}

} // namespace

Outcome SelectAllSorted(Context& c) { return TimedListCommand(c, c.frame->mnuSubSelectAll, false); }

Outcome InvertSorted(Context& c) { return TimedListCommand(c, c.frame->mnuSubInvertSelection, true); }

Outcome FindIntoSortedList(Context& c)
{
    FindAllSortedByName(c);
    c.seams->boxes.answers = {bkl::mb::Yes};
    c.progress = [&c] { return QString::number(c.objects->lvObjects->topLevelItemCount()) + QStringLiteral(" rows"); };
    c.probe->start();
    c.objects->cmdFind_Click();
    Outcome out;
    out.measure = c.probe->stop();
    out.note = c.progress();
    return out;
}

} // namespace bench
