// The platform tables of a demo model, declared with SQL Server column types so the
// embedded engine can type the values it delivers (date/time columns hold ISO text
// "YYYY-MM-DD HH:MM:SS").
//
// What each table holds:
//   CustomTable            one row per model table or view (TableType 'Data', 'Lookup' or 'View')
//   CustomColumn           the columns of the model tables, [Type] 'Text', 'Number', 'Date', 'Currency' or 'List', in [Order]
//   Reference              for a table with 'List' columns: which table the list values come from
//   ReferenceColumn        per referencing column: the referenced column
//   Calculation            the calculations: [Type] 1 sort, 2 time shift, else user-defined; formula in Operation
//                          with _TableAlias<n>, _LookupAlias<n> and _Result<id> tokens; calendar and time/reset level
//   CalculationJoin        join rows of a calculation, by Position (_TableAlias<n> is the n-th row)
//   CalculationLookup      lookups adding columns to a calculation, by LookupID (_LookupAlias<n> is the n-th row)
//   CalculationPartition   partitions of a calculation, [Order] counted from 0
//   CalculationUnion       tables whose rows are added to a calculation, by UnionID
//   CalcConstraintTree     restriction and lookup join-condition trees: ClauseType 0 AND, 1 ANY, NULL leaf
//   CalcConstraintValue    the condition of a leaf: table, column, operator word, value
//   CalculationTree        the calculation folder tree; a calculation's own node carries its CalculationID
//   CalculationListElement calculation lists used by compensation plans and tailored reports, in [Order]
//   CalculationColumnDependency  table columns a calculation reads
//   Time                   calendars (root row, Parent NULL) and their periods (Year/Quarter/Month, same TimeID;
//                          Parent holds the parent period's name)
//   TimeCalendar           one row per calendar
//   CompPlan               compensation plans (text ids) with payee group and calculation list
//   PayeeGroup             payee groups
//   TailoredReport         tailored reports (text ids) with payee group and calculation list
//   WebReport              Presentor reports
//   WebReportDependency    tables a Presentor report reads
//   WebReportCalculation   calculations a Presentor report reads
//   WebReportLinkDependency  reports a Presentor report links to
//   Audit                  the audit log
//   Admin                  administrative users
//   Users                  web users
//   Import                 imports; IsLocal 0 for server imports
//   Config, Currency, Salutation, Document  further platform tables that mark a model
#include "Schema.h"

#include "platform/db/sqlite/TsqlTranslator.h"

namespace demo {

void CreatePlatformSchema(SqliteWriter& db, Markers markers)
{
    const char* ddl[] = {
        "CREATE TABLE CustomTable (TableName nvarchar(100) NOT NULL, TableType nvarchar(20), "
        "Description nvarchar(255))",
        "CREATE TABLE CustomColumn (TableName nvarchar(100) NOT NULL, ColumnName nvarchar(100) NOT NULL, "
        "[Type] nvarchar(20), [Order] int, Length int)",
        "CREATE TABLE Reference (ReferenceID int NOT NULL, TableName nvarchar(100), ReferencedTable nvarchar(100))",
        "CREATE TABLE ReferenceColumn (ReferenceID int NOT NULL, ColumnName nvarchar(100), "
        "ReferencedColumn nvarchar(100))",
        "CREATE TABLE Calculation (CalculationID int NOT NULL PRIMARY KEY, Name nvarchar(100) NOT NULL, [Type] int, "
        "Comment nvarchar(500), Source nvarchar(255), Operation nvarchar(4000), CalendarUsed nvarchar(20), "
        "TimeLevel nvarchar(20), ResetLevel nvarchar(20))",
        "CREATE TABLE CalculationJoin (CalculationID int NOT NULL, Position int, Table1 nvarchar(100), "
        "Column1 nvarchar(100), Table2 nvarchar(100), Column2 nvarchar(100))",
        "CREATE TABLE CalculationLookup (CalculationID int NOT NULL, LookupID int NOT NULL, Name nvarchar(100), "
        "Source nvarchar(255))",
        "CREATE TABLE CalculationPartition (CalculationID int NOT NULL, [Order] int, Name nvarchar(100), "
        "SourceTable nvarchar(255), SourceColumn nvarchar(100), OutputGroup int, Accumulating bit)",
        "CREATE TABLE CalculationUnion (CalculationID int NOT NULL, UnionID int, UnionTable nvarchar(255))",
        "CREATE TABLE CalcConstraintTree (ConstraintID int NOT NULL, CalculationID int NOT NULL, LookupID int, "
        "Parent int, ClauseType int)",
        "CREATE TABLE CalcConstraintValue (ConstraintID int NOT NULL, TableName nvarchar(100), "
        "ColumnName nvarchar(100), Operator nvarchar(30), Value nvarchar(255), LiteralType int)",
        "CREATE TABLE CalculationTree (NodeID int NOT NULL, Name nvarchar(100), Parent int, CalculationID int)",
        "CREATE TABLE CalculationListElement (ListID int NOT NULL, CalculationID int NOT NULL, [Order] int)",
        "CREATE TABLE CalculationColumnDependency (CalculationID int NOT NULL, TableName nvarchar(100), "
        "ColumnName nvarchar(100))",
        "CREATE TABLE [Time] (TimeID nvarchar(20) NOT NULL, Name nvarchar(100), [Level] nvarchar(20), "
        "Parent nvarchar(100), Starting datetime, Ending datetime)",
        "CREATE TABLE TimeCalendar (TimeID nvarchar(20) NOT NULL, Name nvarchar(100), Description nvarchar(255))",
        "CREATE TABLE CompPlan (CompPlanID nvarchar(20) NOT NULL, Name nvarchar(100), PayeeGroupID int, "
        "Comment nvarchar(500), ListID int)",
        "CREATE TABLE PayeeGroup (PayeeGroupID int NOT NULL, Name nvarchar(100))",
        "CREATE TABLE TailoredReport (ID nvarchar(20) NOT NULL, Name nvarchar(100), PayeeGroupID int, "
        "CalculationListID int)",
        "CREATE TABLE WebReport (WebReportID int NOT NULL, Name nvarchar(100), Description nvarchar(255))",
        "CREATE TABLE WebReportDependency (WebReportID int NOT NULL, TableName nvarchar(100))",
        "CREATE TABLE WebReportCalculation (WebReportID int NOT NULL, CalculationID int NOT NULL)",
        "CREATE TABLE WebReportLinkDependency (WebReportID int NOT NULL, LinkedWebReportID int NOT NULL)",
        "CREATE TABLE Audit (AuditID int NOT NULL, UserID nvarchar(50), Module nvarchar(50), Event nvarchar(50), "
        "[Time] datetime, Message nvarchar(1000))",
        "CREATE TABLE [Admin] (AdminID int NOT NULL, UserName nvarchar(50), FullName nvarchar(100))",
        "CREATE TABLE [Users] (UserID nvarchar(50) NOT NULL, FullName nvarchar(100), Email nvarchar(100))",
        "CREATE TABLE [Import] (ImportID int NOT NULL, Name nvarchar(100), TableName nvarchar(100), IsLocal bit)",
        "CREATE TABLE Config (ConfigKey nvarchar(50) NOT NULL, ConfigValue nvarchar(255))",
        "CREATE TABLE Currency (CurrencyCode nvarchar(3) NOT NULL, Name nvarchar(50), Rate decimal(18,6))",
        "CREATE TABLE Salutation (SalutationID int NOT NULL, Text nvarchar(20))",
    };
    for (const char* sql : ddl)
        db.exec(QString::fromUtf8(sql));
    if (markers == Markers::All)
        db.exec(QStringLiteral("CREATE TABLE Document (DocumentID int NOT NULL, Name nvarchar(100), "
                               "Created datetime)"));
}

void CreatePlatformIndexes(SqliteWriter& db)
{
    // The keys and foreign keys the program looks rows up by. Text keys use the engine's
    // case-insensitive collation, the one its translated comparisons ask for. Each index
    // has the columns a lookup fixes, so rows of equal keys keep their stored order.
    // Primary keys are unique indexes (PK_<table>): the tables are declared without
    // them, and a text key must be ordered by the engine's collation to be searched.
    struct Index {
        const char* table;
        const char* column;
        bool text;
        bool key = false;
    };
    const Index indexes[] = {
        {"CompPlan", "CompPlanID", true, true},
        {"PayeeGroup", "PayeeGroupID", false, true},
        {"TailoredReport", "ID", true, true},
        {"WebReport", "WebReportID", false, true},
        {"Calculation", "Name", true},
        {"CustomTable", "TableName", true},
        {"CustomColumn", "TableName", true},
        {"Reference", "TableName", true},
        {"ReferenceColumn", "ReferenceID", false},
        {"CalculationJoin", "CalculationID", false},
        {"CalculationLookup", "CalculationID", false},
        {"CalculationPartition", "CalculationID", false},
        {"CalculationUnion", "CalculationID", false},
        {"CalcConstraintTree", "CalculationID", false},
        {"CalcConstraintValue", "ConstraintID", false},
        {"CalculationTree", "NodeID", false},
        {"CalculationTree", "CalculationID", false},
        {"CalculationListElement", "ListID", false},
        {"CalculationListElement", "CalculationID", false},
        {"WebReport", "Name", true},
        {"CompPlan", "ListID", false},
        {"TailoredReport", "CalculationListID", false},
        {"Time", "TimeID", true},
        {"WebReportCalculation", "WebReportID", false},
        {"WebReportCalculation", "CalculationID", false},
        {"WebReportDependency", "WebReportID", false},
        {"WebReportLinkDependency", "WebReportID", false},
        {"Audit", "Time", false},
    };
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(bkl::db::sqlite::kCaseInsensitiveCollation);
    for (const Index& ix : indexes)
        db.exec((ix.key ? QStringLiteral("CREATE UNIQUE INDEX [PK_%1] ON [%1] ([%2]%3)")
                        : QStringLiteral("CREATE INDEX [IX_%1_%2] ON [%1] ([%2]%3)"))
                    .arg(QLatin1String(ix.table), QLatin1String(ix.column), ix.text ? collate : QString()));
}

} // namespace demo
