#include "EngineFixture.h"
#include "support/TdsStandIn.h"
#include "support/TestEnvironment.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef BKL_MODELSQL_EXE

namespace {

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun modelsql(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(BKL_MODELSQL_EXE), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(EngineModelsql, PrintsRowsOrTheError)
{
    QTemporaryDir dir;
    bkl::test::WriteEngineFixtureServer(dir.path());
    const QString sql = QStringLiteral("SELECT [CALCID] = CalculationID, [Name], Amount FROM Calculation WHERE CalculationID IN (1, 2) "
                                       "ORDER BY 1");
    const QString expected = QStringLiteral("CALCID\tName\tAmount\n1\tAlpha\t1234.5\n2\tbeta\tNULL\n");
    ToolRun r = modelsql({"--server", dir.path(), "--database", "MODEL1", sql});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), expected.toStdString());

    r = modelsql({"--connection", bkl::test::EngineConnectionString(dir.path(), "Model1"), sql});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), expected.toStdString());

    // Failures: exit code 1, nothing on stdout, number/source/description on stderr.
    r = modelsql({"--server", dir.path(), "--database", "NoSuch", "SELECT 1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.toStdString(),
              "Number: 4060\nSource: Brisklane embedded engine\n"
              "Description: Cannot open database \"NoSuch\" requested by the login. The login failed.\n");
    r = modelsql({"--server", dir.path(), "--database", "Model1", "SELECT TOP 1.5 [Name] FROM Calculation"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("Number: 1060\n")) << r.err.toStdString();
}

// Through FreeTDS against tds-standin modelsql prints what it prints on the embedded
// server (scripts/check-modelsql compares every statement of the catalog).
TEST(EngineModelsql, PrintsTheSameThroughFreeTds)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    for (const char* sql : {"SELECT [Name], [Parent], [Starting] FROM [Time] WHERE TimeID = 'STD' ORDER BY Ending",
                            "SELECT Nope FROM Calculation"}) {
        const ToolRun embedded = modelsql({"--server", bkl::test::DemoServerFolder(), "--database", "SalesModel2026", sql});
        const ToolRun tds = modelsql({"--connection", standIn.connectionString("SalesModel2026"), sql});
        EXPECT_EQ(tds.exitCode, embedded.exitCode);
        EXPECT_EQ(tds.out.toStdString(), embedded.out.toStdString());
        // The same error number and description; the source names the driver.
        const auto withoutSource = [](QString err) { return err.remove(QRegularExpression(QStringLiteral("Source: [^\n]*\n"))); };
        EXPECT_EQ(withoutSource(tds.err).toStdString(), withoutSource(embedded.err).toStdString());
    }
}

#endif
