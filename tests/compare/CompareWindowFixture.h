#pragma once
// The compare window on the demo source model, with the window-test seams.
#include "compare/ui/frmBKLCompareObjects.h"
#include "support/DemoModel.h"
#include "support/TestWindows.h"
#include "support/TestEnvironment.h"
#include "support/WindowTest.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>
#include <utility>

class CompareWindowFixture : public bkl::test::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenModel();
    }
    // The loaded compare window.
    static frmBKLCompareObjects& Window()
    {
        frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
        w.Load();
        return w;
    }
    // Gives the window an open connection to a demo database as its target.
    static void ConnectTarget(const QString& model = QStringLiteral("SalesModel2026_Target"))
    {
        Window().SetTarget(bkl::test::OpenDemoModel(model), model, bkl::test::DemoServerFolder());
    }
    // Loads the source list from the picker item with this text.
    static void LoadKind(const QString& pickerItem)
    {
        Window().cboObjects->setCurrentIndex(Window().cboObjects->findText(pickerItem));
        Window().cmdLoadObjects_Click();
    }
    // Adds the first source row with this name and type to the compare list.
    static void AddCompareRow(const QString& name, const QString& type)
    {
        frmBKLCompareObjects& w = Window();
        w.lvObjects->clearSelection();
        for (int i = 0; i < w.lvObjects->topLevelItemCount(); ++i)
            if (QTreeWidgetItem* row = w.lvObjects->topLevelItem(i); row->text(0) == name && row->text(1) == type) {
                row->setSelected(true);
                break;
            }
        w.cmdAdd_Click();
    }
    // The window on screen with these rows (name, type) in the source list, all added to the compare list.
    static frmBKLCompareObjects& ShownWithRows(const QList<std::pair<QString, QString>>& rows)
    {
        frmBKLCompareObjects& w = Window();
        w.ShowModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        for (const auto& [name, type] : rows)
            w.AddSourceRow(name, type);
        w.cmdAddAll_Click();
        return w;
    }
    // The NAME of each row of a list, in list order.
    static QStringList Names(const QTreeWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(0);
        return out;
    }
    // Clicks the middle of a column header of a list on screen.
    static void ClickHeader(QTreeWidget* list, int column) { bkl::test::ClickHeader(list, column); }
    static constexpr auto WithModal = bkl::test::WithModal;
};
