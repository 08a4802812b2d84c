#pragma once
// A small embedded server written with the SQLite C API for the engine tests:
//   Model1.sqlite     the nine marker tables of a model, a few platform tables with
//                     typed columns, a view whose columns are "<calculation>.<field>",
//                     a folder tree and a 1,500-row table;
//   NotAModel.sqlite  eight of the nine marker tables (DOCUMENT missing);
//   alpha.sqlite, Zeta.sqlite  empty databases that test the listing order.
#include <QString>

namespace bkl::test {

// Writes the server into `folder` (which must exist) and returns the folder.
QString WriteEngineFixtureServer(const QString& folder);

// Connection string of the embedded engine for `catalog` on `serverFolder`.
QString EngineConnectionString(const QString& serverFolder, const QString& catalog);

} // namespace bkl::test
