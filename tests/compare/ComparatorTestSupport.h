#pragma once
// Shared helpers of the comparator tests: connections to the demo source, target
// and edge-case models (opened once per suite), the comparison's two sides with
// fixed captions, the ERROR lines the comparators log, and the section switches.
#include "compare/CompareSides.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace bkl::comparetest {

inline constexpr char kSourceModel[] = "SalesModel2026";
inline constexpr char kTargetModel[] = "SalesModel2026_Target";
inline constexpr char kEdgeModel[] = "EdgeCaseModel";

// Captions the tests give the two models ("model@host" as the window shows them).
inline constexpr char kSourceCaption[] = "SalesModel2026@demo";
inline constexpr char kTargetCaption[] = "SalesModel2026_Target@demo";

// Empties BKL.log so a test sees only its own lines.
void ClearLog();
// Messages of the ERROR lines written since the last ClearLog.
QStringList ErrorMessages();

db::Connection OpenDemoModel(const QString& catalog);

// Switches every detail section on or off.
void SetAllSectionFlags(bool on);

// Fixture: the three models opened once, an empty log and every section on
// before each test.
class ComparatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static const db::Connection& source() { return *source_; }
    static const db::Connection& target() { return *target_; }
    static const db::Connection& edge() { return *edge_; }
    // Source against target, with the fixed captions.
    static compare::CompareSides sides();
    // The edge-case model against itself.
    static compare::CompareSides edgeSides();

private:
    static db::Connection* source_;
    static db::Connection* target_;
    static db::Connection* edge_;
};

// The page that follows the status digit of a result, and the digit itself.
inline QString StatusOf(const QString& result) { return result.left(1); }
inline QString PageOf(const QString& result) { return result.mid(1); }

} // namespace bkl::comparetest

namespace bkl::comparetest {

// Labels of the section rows whose target cell is marked as differing, in page
// order (e.g. {"Columns:"}).
QStringList MarkedSections(const QString& page);

} // namespace bkl::comparetest
