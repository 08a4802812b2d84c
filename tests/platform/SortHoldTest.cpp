// A list held from sorting itself: rows go in as they come, the sort is applied
// once at the end, a second hold on the list does nothing, and a list that goes
// away during the hold is left alone.
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

TEST(SortHold, SortsOnceAtTheEndAndOnlyTheOuterHoldCounts)
{
    QTreeWidget list;
    Add(list, {"b", "d"});
    list.sortByColumn(0, Qt::DescendingOrder);
    list.setSortingEnabled(true);
    {
        SortHold outer(&list);
        EXPECT_FALSE(list.isSortingEnabled());
        EXPECT_TRUE(list.header()->sectionsClickable() && list.header()->isSortIndicatorShown());
        EXPECT_EQ(SortHold::of(&list), &outer);
        {
            SortHold inner(&list);
            EXPECT_EQ(SortHold::of(&list), &outer);
            Add(list, {"a", "c"});
        }
        EXPECT_EQ(Texts(list), QStringList({"d", "b", "a", "c"}));
        outer.sortBy(0, Qt::AscendingOrder);
        EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
        EXPECT_EQ(Texts(list), QStringList({"d", "b", "a", "c"}));
    }
    EXPECT_EQ(SortHold::of(&list), nullptr);
    EXPECT_EQ(Texts(list), QStringList({"a", "b", "c", "d"}));
    EXPECT_TRUE(list.isSortingEnabled() && list.header()->sectionsClickable());
    Add(list, {"bb"});
    EXPECT_EQ(Texts(list), QStringList({"a", "b", "bb", "c", "d"}));
}

TEST(SortHold, AnUnsortedListStaysUnsortedAndAListThatGoesAwayIsLeftAlone)
{
    QTreeWidget unsorted;
    unsorted.header()->setSortIndicatorShown(false);
    {
        SortHold hold(&unsorted);
        Add(unsorted, {"b", "a"});
    }
    EXPECT_FALSE(unsorted.isSortingEnabled() || unsorted.header()->isSortIndicatorShown());
    EXPECT_EQ(Texts(unsorted), QStringList({"b", "a"}));

    auto list = std::make_unique<QTreeWidget>();
    list->setSortingEnabled(true);
    SortHold hold(list.get());
    list.reset();
    hold.sortBy(0, Qt::AscendingOrder);
    EXPECT_EQ(SortHold::of(nullptr), nullptr);
}
