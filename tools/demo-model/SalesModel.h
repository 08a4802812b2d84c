#pragma once
#include "SqliteWriter.h"

#include <cstdint>

namespace demo {

struct SalesModelOptions {
    uint64_t seed = 1;
    int scale = 1;
    // The target model: the same content with deliberate differences and other internal ids.
    bool target = false;
};

// The sales-compensation demo model (source or target form). CONTENT.md lists its objects.
void WriteSalesModel(SqliteWriter& db, const SalesModelOptions& options);

} // namespace demo
