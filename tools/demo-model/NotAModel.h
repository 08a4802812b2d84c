#pragma once
#include "SqliteWriter.h"
#include <cstdint>

namespace demo {
// A database that looks like a model but lacks one marker table (Document): 8 of 9.
void WriteNotAModel(SqliteWriter& db, uint64_t seed);
} // namespace demo
