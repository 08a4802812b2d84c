#include "platform/db/sqlite/ShapeCache.h"

#include <sqlite3.h>

namespace bkl::db::sqlite {

PreparedStatement::~PreparedStatement() { sqlite3_finalize(st); }

std::shared_ptr<PreparedStatement> ShapeCache::find(const QString& key)
{
    const auto it = byKey_.constFind(key);
    if (it == byKey_.constEnd())
        return nullptr;
    order_.splice(order_.begin(), order_, it.value());
    return order_.front().second;
}

void ShapeCache::insert(const QString& key, std::shared_ptr<PreparedStatement> statement)
{
    if (const auto it = byKey_.constFind(key); it != byKey_.constEnd()) {
        order_.erase(it.value());
        byKey_.erase(it);
    }
    order_.emplace_front(key, std::move(statement));
    byKey_.insert(key, order_.begin());
    while (order_.size() > capacity_) {
        byKey_.remove(order_.back().first);
        order_.pop_back();
    }
}

void ShapeCache::clear()
{
    byKey_.clear();
    order_.clear();
    parametersBySkeleton_.clear();
}

const std::vector<int>* ShapeCache::parametersOf(const QString& skeleton) const
{
    const auto it = parametersBySkeleton_.constFind(skeleton);
    return it == parametersBySkeleton_.constEnd() ? nullptr : &it.value();
}

void ShapeCache::setParametersOf(const QString& skeleton, std::vector<int> ordinals)
{
    // Only a hint for finding the key: losing it costs one translation.
    if (static_cast<size_t>(parametersBySkeleton_.size()) >= 4 * capacity_)
        parametersBySkeleton_.clear();
    parametersBySkeleton_.insert(skeleton, std::move(ordinals));
}

} // namespace bkl::db::sqlite
