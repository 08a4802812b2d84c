#include "EngineFixture.h"

#include "platform/db/ConnectionString.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

namespace bkl::test {

namespace {

void writeDatabase(const QString& path, const QString& script)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        throw std::runtime_error("cannot create fixture database");
    char* message = nullptr;
    const int rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("fixture script failed: " + error);
}

// The nine tables that make a database a model (Document left out for the non-model).
QString markerTables(bool withDocument)
{
    QString s = QStringLiteral(
        "CREATE TABLE Calculation (CalculationID INTEGER, Name NVARCHAR(50), Type INTEGER, TimeLevel VARCHAR(20),"
        " ResetLevel VARCHAR(20), Amount DECIMAL(19,4), Rate FLOAT, Created DATETIME);"
        "CREATE TABLE CalculationTree (NodeID INTEGER, CalculationID INTEGER, Name NVARCHAR(50), Parent INTEGER);"
        "CREATE TABLE Config (ID INTEGER); CREATE TABLE Currency (ID INTEGER); CREATE TABLE Salutation (ID INTEGER);"
        "CREATE TABLE [Import] (ImportID INTEGER, IsLocal INTEGER); CREATE TABLE [Admin] (ID INTEGER);"
        "CREATE TABLE Audit (UserID NVARCHAR(50), Module NVARCHAR(50), Event NVARCHAR(50), Time DATETIME, Message NVARCHAR(500));");
    if (withDocument)
        s += QStringLiteral("CREATE TABLE Document (ID INTEGER);");
    return s;
}

} // namespace

QString WriteEngineFixtureServer(const QString& folder)
{
    QString model = markerTables(true);
    model += QStringLiteral(
        "INSERT INTO Calculation VALUES (1, 'Alpha', 1, 'Month', 'Year', '1234.5000', 0.25, '2024-03-01 08:30:00');"
        "INSERT INTO Calculation VALUES (2, 'beta', 2, 'Month', 'Quarter', NULL, NULL, NULL);"
        "INSERT INTO Calculation VALUES (3, '_Result1', 3, NULL, NULL, '1234567890123.45', 1, '2024-03-02');"
        "INSERT INTO Calculation VALUES (4, 'ärger ', 3, 'Month', 'Year', '0.0001', 2.5, '2024-03-03T10:00:00.250');"
        "CREATE TABLE CalculationPartition (CalculationID INTEGER, [Order] INTEGER, Name NVARCHAR(50));"
        "INSERT INTO CalculationPartition VALUES (1, 0, 'Month'), (1, 1, 'Quarter');"
        "CREATE TABLE Orders (OrderID INTEGER, Region NVARCHAR(20));"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1500) "
        "INSERT INTO Orders SELECT i, CASE i % 3 WHEN 0 THEN 'WEST' WHEN 1 THEN 'west ' ELSE 'East' END FROM n;"
        "CREATE VIEW SalesView AS SELECT OrderID AS [Alpha.Value], Region AS [Alpha.Region], OrderID AS [beta.Amount] FROM Orders;"
        "CREATE VIEW OtherView AS SELECT 1 AS [Gamma.Value];"
        "INSERT INTO CalculationTree VALUES (1, NULL, 'Root', NULL), (2, NULL, 'Sales', 1), (3, NULL, 'Quarterly', 2),"
        " (4, 1, 'Alpha', 3), (5, 2, 'beta', 2), (6, NULL, 'Loop A', 7), (7, NULL, 'Loop B', 6);"
        "INSERT INTO Audit VALUES ('admin', 'Calc', 'Save', '2024-03-01 10:00:00', 'Saved Alpha'),"
        " ('Admin', 'calc', 'save', '2024-03-02 11:00:00', 'saved beta'), ('jo', 'Plan', 'Delete', '2024-03-03 12:00:00', NULL);");
    writeDatabase(QDir(folder).filePath(QStringLiteral("Model1.sqlite")), model);
    writeDatabase(QDir(folder).filePath(QStringLiteral("NotAModel.sqlite")), markerTables(false));
    writeDatabase(QDir(folder).filePath(QStringLiteral("alpha.sqlite")), QStringLiteral("CREATE TABLE T (x INTEGER);"));
    writeDatabase(QDir(folder).filePath(QStringLiteral("Zeta.sqlite")), QStringLiteral("CREATE TABLE T (x INTEGER);"));
    return folder;
}

QString EngineConnectionString(const QString& serverFolder, const QString& catalog)
{
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;password=x;Initial Catalog=")
        + db::ConnectionStringValue(catalog) + QStringLiteral(";Data Source=") + db::ConnectionStringValue(serverFolder);
}

} // namespace bkl::test
