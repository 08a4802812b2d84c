#pragma once
#include "SqliteWriter.h"

namespace demo {

// The marker tables a database must hold all of to count as a model.
enum class Markers { All, AllButDocument };

// Creates the platform tables of a model database (see Schema.cpp for what each holds).
void CreatePlatformSchema(SqliteWriter& db, Markers markers = Markers::All);

// Creates the indexes of the platform tables; called once the rows are written.
void CreatePlatformIndexes(SqliteWriter& db);

} // namespace demo
