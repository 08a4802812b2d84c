#include "platform/db/sqlite/EngineTrace.h"

namespace bkl::db::sqlite {

namespace {
EngineObserver& observer()
{
    static EngineObserver o;
    return o;
}
} // namespace

void SetEngineObserver(EngineObserver o) { observer() = std::move(o); }
const EngineObserver& CurrentEngineObserver() { return observer(); }

} // namespace bkl::db::sqlite
