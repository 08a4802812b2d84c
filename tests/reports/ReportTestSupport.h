#pragma once
// Shared helpers of the report tests: the log file the renderers write their
// ERROR lines to, and connections to the demo models.
#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace bkl::test {

// Empties BKL.log (creating the logs folder) so a test sees only its own lines.
void ClearLog();
// The messages of the log lines written since the last ClearLog, without the date,
// model key and level fields; only lines at `levelWord` ("ERROR").
QStringList LogMessages(const QString& levelWord = QStringLiteral("ERROR"));

// An open connection to a demo model of the test server.
db::Connection OpenDemoModel(const QString& catalog);

// Demo models the report tests read.
inline constexpr char kSourceModel[] = "SalesModel2026";
inline constexpr char kEdgeModel[] = "EdgeCaseModel";

// Fixture of the renderer tests: connections to the source and edge-case demo
// models (opened once), an empty log and all 24 section switches on before each test.
class ReportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static const db::Connection& source() { return *source_; }
    static const db::Connection& edge() { return *edge_; }

private:
    static db::Connection* source_;
    static db::Connection* edge_;
};

// Switches every detail section on or off.
void SetAllSectionFlags(bool on);

} // namespace bkl::test
