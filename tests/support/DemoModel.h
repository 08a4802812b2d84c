#pragma once
// Demo models in tests: open one, and a fixture holding the source, target and
// edge-case models open for a whole suite.
#include "platform/db/Connection.h"

#include <QString>
#include <gtest/gtest.h>

namespace bkl::test {

inline constexpr char kSourceModel[] = "SalesModel2026";
inline constexpr char kTargetModel[] = "SalesModel2026_Target";
inline constexpr char kEdgeModel[] = "EdgeCaseModel";

// An open connection to a database of the demo server.
db::Connection OpenDemoModel(const QString& catalog);

// A copy of demo database `catalog`, changed by `sql` (SQLite, run with the
// engine's collation as the generator writes the files), on a server folder of
// its own under the test home; opened. Each call makes a new folder.
db::Connection OpenAlteredDemoModel(const QString& catalog, const QString& sql);

// The server folder of a copy of demo database `catalog` with `tables` more
// (empty) tables, made as OpenAlteredDemoModel does: a catalog query over it, as a
// login's model test, reads them all.
QString ServerWithMoreTables(const QString& catalog, int tables);

// Demo database `catalog` of a server generated at `scale` (seed 1) under the
// test home, once per process and scale; opened.
db::Connection OpenScaledDemoModel(const QString& catalog, int scale);

// Switches every detail section on or off.
void SetAllSectionFlags(bool on);

// Fixture: the source, target and edge-case models opened once per suite; an
// empty log and every detail section on before each test.
class DemoModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static const db::Connection& source() { return *source_; }
    static const db::Connection& target() { return *target_; }
    static const db::Connection& edge() { return *edge_; }

private:
    static db::Connection* source_;
    static db::Connection* target_;
    static db::Connection* edge_;
};

} // namespace bkl::test
