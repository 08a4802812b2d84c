#include "platform/ui/SortHold.h"

#include <QHeaderView>
#include <algorithm>
#include <vector>

namespace bkl {
namespace {
std::vector<SortHold*> g_holds;
}

SortHold::SortHold(QTreeWidget* list) : list_(list)
{
    if (!list || of(list))
        return;
    holding_ = true;
    g_holds.push_back(this);
    sortAtEnd_ = list->isSortingEnabled();
    if (!sortAtEnd_)
        return;
    list->setSortingEnabled(false);
    // Switching sorting off also hides the sort indicator and makes the header ignore clicks.
    list->header()->setSortIndicatorShown(true);
    list->header()->setSectionsClickable(true);
}

SortHold::~SortHold()
{
    if (!holding_)
        return;
    g_holds.erase(std::find(g_holds.begin(), g_holds.end(), this));
    if (list_ && sortAtEnd_)
        list_->setSortingEnabled(true); // sorts once, by the header's sort indicator
}

SortHold* SortHold::of(const QTreeWidget* list)
{
    if (!list) // a hold whose list has gone holds nothing
        return nullptr;
    const auto hold = std::find_if(g_holds.begin(), g_holds.end(), [list](const SortHold* h) { return h->list_ == list; });
    return hold == g_holds.end() ? nullptr : *hold;
}

void SortHold::sortBy(int column, Qt::SortOrder order)
{
    if (!holding_ || !list_)
        return;
    list_->header()->setSortIndicator(column, order);
    list_->header()->setSortIndicatorShown(true);
    sortAtEnd_ = true;
}

} // namespace bkl
