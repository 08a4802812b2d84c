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

namespace {
bool shapesEnabled = true;
}
void SetStatementShapesEnabled(bool enabled) { shapesEnabled = enabled; }
bool StatementShapesEnabled() { return shapesEnabled; }

} // namespace bkl::db::sqlite
