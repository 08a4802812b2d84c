#pragma once
#include "SqliteWriter.h"
#include <cstdint>

namespace demo {
// A small model full of traps (see CONTENT.md).
void WriteEdgeCaseModel(SqliteWriter& db, uint64_t seed);
} // namespace demo
