// The compare hand-off from the object list: checked rows reach the compare
// window's source list; the button opens it modal, the frame's command modeless.
#include "CompareWindowFixture.h"

#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/ui/RunGuard.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>

using namespace bkl;

namespace {

class CompareWindowHandOff : public CompareWindowFixture {
protected:
    void SetUp() override
    {
        CompareWindowFixture::SetUp();
        frmMDIBKLMain::SetProgramEnd([] {});
        frame = new frmMDIBKLMain;
        frame->show();
        objects = frmBKLMain::current();
        ASSERT_NE(objects, nullptr);
    }
    void TearDown() override
    {
        CompareWindowFixture::TearDown();
        delete frame;
        frmMDIBKLMain::SetProgramEnd(nullptr);
    }
    void AddRow(const QString& name, const QString& type, bool checked)
    {
        objects->AddObjectRow(name, type)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    QPointer<frmMDIBKLMain> frame;
    frmBKLMain* objects = nullptr;
};

} // namespace

TEST_F(CompareWindowHandOff, ButtonOpensTheWindowModalWithTheCheckedRows)
{
    AddRow(QStringLiteral("  T1 "), QStringLiteral(" Table "), true);
    AddRow(QStringLiteral("V1"), QStringLiteral("View"), false);
    AddRow(QStringLiteral("(AE2026) Account Executive Plan 2026"), QStringLiteral("Compensation Plan"), true);
    AddRow(QStringLiteral("Odd"), QStringLiteral("Something Else"), true);
    bool modal = false;
    QStringList rows;
    QString count;
    WithModal([&] { objects->cmdCompare_Click(); },
              [&](QWidget* shown) {
                  auto* w = qobject_cast<frmBKLCompareObjects*>(shown);
                  ASSERT_NE(w, nullptr);
                  modal = w->isModal() || w->testAttribute(Qt::WA_ShowModal);
                  rows = Rows(w->lvObjects);
                  count = w->lblObjectCount->text();
                  QTest::keyClick(w, Qt::Key_Escape);
              });
    EXPECT_TRUE(modal);
    EXPECT_EQ(rows, (QStringList{"T1|Table", "(AE2026) Account Executive Plan 2026|Compensation Plan",
                                 "Odd|Something Else"}));
    EXPECT_EQ(count, QStringLiteral("Count: 3"));
    EXPECT_FALSE(frmBKLCompareObjects::instance().isVisible());
}

TEST_F(CompareWindowHandOff, FrameCommandOpensItModelessAndAppends)
{
    AddRow(QStringLiteral("T1"), QStringLiteral("Table"), true);
    AddRow(QStringLiteral("Total Sales"), QStringLiteral("Calculation"), true);
    frame->mnuCompareObjects_Click();
    frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Used again while the window stays open: the rows are there twice.
    frame->mnuSubCompareSelectedObjects_Click();
    EXPECT_EQ(Rows(w.lvObjects), (QStringList{"T1|Table", "Total Sales|Calculation", "T1|Table",
                                              "Total Sales|Calculation"}));
    EXPECT_EQ(w.lblObjectCount->text(), QStringLiteral("Count: 4"));
    // The object-list window's button brings the open window to the front instead of a second showing.
    objects->cmdCompare_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 6);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Launch Screen: ")).size(), 1);

    // While a run is active the frame refuses the command.
    {
        RunGuard run({}, false);
        frame->mnuCompareObjects_Click();
        objects->cmdCompare_Click();
    }
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 6);
}
