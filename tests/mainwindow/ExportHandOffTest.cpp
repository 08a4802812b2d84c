// The export hand-off through the windows: the object list's checked rows
// reach a new, modal export dialog, or a message when nothing is checked.
#include "FrameFixture.h"

#include "platform/ui/RunGuard.h"
#include "reports/ui/frmBKLExportObjects.h"
#include "support/ModalWindow.h"

#include <QLabel>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

// What the dialog held when it was shown.
struct ShownDialog {
    bool shown = false;
    bool modal = false;
    QStringList lists;
    QStringList rows;
    QString recordCount;
    QStringList roots;
};

class ExportHandOff : public MainWindowFrame {
protected:
    void SetUp() override
    {
        MainWindowFrame::SetUp();
        OpenFrame();
        seams.boxes.shown.clear();
    }

    void AddRow(const QString& name, const QString& type, bool checked)
    {
        objects->AddObjectRow(name, type)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    // Runs the hand-off; the dialog it shows is read and closed from inside its modal loop.
    static ShownDialog HandOff(const std::function<void()>& handler)
    {
        ShownDialog seen;
        test::WithModal(handler, [&](QWidget* modal) {
            auto* dialog = qobject_cast<frmBKLExportObjects*>(modal);
            if (!dialog)
                return;
            seen.shown = true;
            seen.modal = dialog->isModal();
            seen.lists = QStringList{dialog->m_sTablesExport,           dialog->m_sViewsExport,
                                     dialog->m_sCalendarsExport,        dialog->m_sCalculationsExport,
                                     dialog->m_sCompensationPlansExport, dialog->m_sTailoredReportsExport,
                                     dialog->m_sPresentorReportsExport};
            for (int i = 0; i < dialog->lvExport->topLevelItemCount(); ++i)
                seen.rows << dialog->lvExport->topLevelItem(i)->text(0) + QLatin1Char('/')
                        + dialog->lvExport->topLevelItem(i)->text(1);
            seen.recordCount = dialog->lblRecordCount->text();
            for (int i = 0; i < dialog->tvExport->topLevelItemCount(); ++i)
                seen.roots << dialog->tvExport->topLevelItem(i)->text(0);
            dialog->cmdClose_Click();
        });
        return seen;
    }
};

} // namespace

TEST_F(ExportHandOff, NothingCheckedShowsTheMessageAndOpensNothing)
{
    AddRow(QStringLiteral("T1"), QStringLiteral("Table"), false);
    for (const auto& handler : std::vector<std::function<void()>>{[&] { objects->cmdExport_Click(); },
                                                                   [&] { frame->mnuExportObjects_Click(); }}) {
        seams.boxes.shown.clear();
        const ShownDialog seen = HandOff(handler);
        EXPECT_FALSE(seen.shown);
        ASSERT_EQ(seams.boxes.shown.size(), 1u);
        EXPECT_EQ(seams.boxes.shown[0].prompt, QStringLiteral("No objects selected for export !"));
        EXPECT_EQ(seams.boxes.shown[0].style, mb::Exclamation);
        EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Export Objects"));
        EXPECT_EQ(objects->focusWidget(), objects->lvObjects);
    }
}

TEST_F(ExportHandOff, CheckedRowsReachTheModalDialog)
{
    AddRow(QStringLiteral("T1"), QStringLiteral("Table"), true);
    AddRow(QStringLiteral("X"), QStringLiteral("Table"), false);
    AddRow(QStringLiteral("V1"), QStringLiteral("View"), true);
    AddRow(QStringLiteral("  T2 "), QStringLiteral("Table"), true);
    AddRow(QStringLiteral("W"), QStringLiteral("Widget"), true);

    const ShownDialog seen = HandOff([&] { frame->mnuExportObjects_Click(); });
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.lists, (QStringList{"|T1|T2", "|V1", "", "", "", "", ""}));
    EXPECT_EQ(seen.rows, (QStringList{"T1/Table", "V1/View", "T2/Table", "W/Widget"}));
    EXPECT_EQ(seen.recordCount, QStringLiteral("5"));
    EXPECT_EQ(seen.roots, (QStringList{"Table", "View"}));
    EXPECT_TRUE(seams.boxes.shown.empty());
}

TEST_F(ExportHandOff, RefusedWhileAnotherRunIsActive)
{
    AddRow(QStringLiteral("T1"), QStringLiteral("Table"), true);
    const RunGuard otherRun({}, false);
    EXPECT_FALSE(HandOff([&] { frame->mnuExportObjects_Click(); }).shown);
    EXPECT_FALSE(HandOff([&] { objects->cmdExport_Click(); }).shown);
    EXPECT_TRUE(seams.boxes.shown.empty());
}
