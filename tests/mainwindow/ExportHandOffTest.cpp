// The export hand-off of checked rows: every kind's list, types in any case and
// the count; through the windows, a new modal export dialog holding them, or a
// message when nothing is checked.
#include "mainwindow/CheckedObjects.h"
#include "platform/ui/RunGuard.h"
#include "reports/ui/frmBKLExportObjects.h"
#include "support/TestWindows.h"
#include "support/WindowTest.h"

#include <QLabel>
#include <QTreeWidget>

using namespace bkl;
using namespace bkl::mainwindow;

TEST(ExportHandOffLists, TrimsNamesMatchesTypesAnyCaseAndCountsUnknownTypes)
{
    const CheckedObjects handOff = CollectCheckedObjects({
        {"  T1  ", " Table "},
        {"(12) Fiscal", "Calendar"},
        {"Bonus", "  calculation "},
        {"Rate", "CALCULATION"},
        {"Mystery", "Widget"},
        {"(3) Plan A", "Compensation Plan"},
        {"(7) Statement", "Tailored Report"},
        {"Dashboard", "Presentor Report"},
    });
    EXPECT_EQ(QStringList(handOff.lists.begin(), handOff.lists.end()),
              QStringList({"|T1", "", "|(12) Fiscal", "|Bonus|Rate", "|(3) Plan A", "|(7) Statement", "|Dashboard"}));
    // The unknown row is in no list but is handed over and counted; names and types are trimmed, not upper-cased.
    EXPECT_EQ(handOff.count(), 8);
    EXPECT_EQ(handOff.recordCountCaption(), "9");
    EXPECT_EQ(handOff.rows[0].name + '/' + handOff.rows[0].type + '/' + handOff.rows[2].type + '/' + handOff.rows[4].name,
              "T1/Table/calculation/Mystery");
    EXPECT_EQ(CollectCheckedObjects({}).recordCountCaption(), "1");
}

namespace {

class ExportHandOff : public test::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
        seams.boxes.shown.clear();
    }
    void AddRow(const QString& name, const QString& type, bool checked)
    {
        objects->AddObjectRow(name, type)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
    // What the dialog the handler shows held, read and closed inside its modal loop:
    // whether it is modal, its seven lists, its rows, its record count and its tree's
    // roots, each as one text; nothing when no dialog shows.
    QStringList HandOff(const std::function<void()>& handler)
    {
        QStringList seen;
        test::WithModal(handler, [&](QWidget* modal) {
            auto* d = qobject_cast<frmBKLExportObjects*>(modal);
            if (!d)
                return;
            QStringList roots;
            for (int i = 0; i < d->tvExport->topLevelItemCount(); ++i)
                roots << d->tvExport->topLevelItem(i)->text(0);
            seen << (d->isModal() ? "modal" : "modeless")
                 << QStringList{d->m_sTablesExport, d->m_sViewsExport, d->m_sCalendarsExport, d->m_sCalculationsExport,
                                d->m_sCompensationPlansExport, d->m_sTailoredReportsExport, d->m_sPresentorReportsExport}
                        .join(',')
                 << Rows(d->lvExport).join(',') << d->lblRecordCount->text() << roots.join(',');
            d->cmdClose_Click();
        });
        return seen;
    }
};

} // namespace

TEST_F(ExportHandOff, NothingCheckedShowsTheMessageAndOpensNothing)
{
    AddRow("T1", "Table", false);
    for (const auto& handler : std::vector<std::function<void()>>{[&] { objects->cmdExport_Click(); },
                                                                   [&] { frame->mnuExportObjects_Click(); }}) {
        seams.boxes.shown.clear();
        EXPECT_TRUE(HandOff(handler).isEmpty());
        EXPECT_EQ(BoxTexts(), QStringList({"No objects selected for export !|48|Export Objects"}));
        EXPECT_EQ(objects->focusWidget(), objects->lvObjects);
    }
}

TEST_F(ExportHandOff, CheckedRowsReachTheModalDialogExceptWhileAnotherRunIsActive)
{
    AddRow("T1", "Table", true);
    AddRow("X", "Table", false);
    AddRow("V1", "View", true);
    AddRow("  T2 ", "Table", true);
    AddRow("W", "Widget", true);
    EXPECT_EQ(HandOff([&] { frame->mnuExportObjects_Click(); }),
              QStringList({"modal", "|T1|T2,|V1,,,,,", "T1|Table,V1|View,T2|Table,W|Widget", "5", "Table,View"}));

    const RunGuard otherRun({}, false);
    EXPECT_TRUE(HandOff([&] { frame->mnuExportObjects_Click(); }).isEmpty());
    EXPECT_TRUE(HandOff([&] { objects->cmdExport_Click(); }).isEmpty());
    EXPECT_TRUE(seams.boxes.shown.empty());
}
