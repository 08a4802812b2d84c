// The sort hold on a plain list: a second hold does nothing, a list that sorts
// nothing stays unsorted, and a list that goes away during the hold is left alone.
// (The object list's runs under a hold are pinned by the window tests.)
#include "platform/ui/SortHold.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using bkl::SortHold;

namespace {

QStringList Texts(const QTreeWidget& list)
{
    QStringList texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts << list.topLevelItem(i)->text(0);
    return texts;
}

void Add(QTreeWidget& list, std::initializer_list<const char*> texts)
{
    for (const char* text : texts)
        list.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(text)}));
}

} // namespace

TEST(SortHold, OnlyTheOuterHoldSortsAndOnlyAListThatSortsItself)
{
    QTreeWidget list;
    list.sortByColumn(0, Qt::DescendingOrder);
    list.setSortingEnabled(true);
    {
        SortHold outer(&list);
        {
            SortHold inner(&list);
            EXPECT_EQ(SortHold::of(&list), &outer);
            Add(list, {"b", "c", "a"});
        }
        EXPECT_EQ(Texts(list), QStringList({"b", "c", "a"}));
        EXPECT_TRUE(list.header()->sectionsClickable() && list.header()->isSortIndicatorShown());
    }
    EXPECT_EQ(Texts(list), QStringList({"c", "b", "a"}));
    EXPECT_TRUE(list.isSortingEnabled() && SortHold::of(&list) == nullptr);

    QTreeWidget unsorted;
    unsorted.header()->setSortIndicatorShown(false);
    {
        SortHold hold(&unsorted);
        Add(unsorted, {"b", "a"});
    }
    EXPECT_FALSE(unsorted.isSortingEnabled() || unsorted.header()->isSortIndicatorShown());
    EXPECT_EQ(Texts(unsorted), QStringList({"b", "a"}));

    auto gone = std::make_unique<QTreeWidget>();
    gone->setSortingEnabled(true);
    SortHold hold(gone.get());
    gone.reset();
    hold.sortBy(0, Qt::AscendingOrder);
    EXPECT_EQ(SortHold::of(nullptr), nullptr);
}
