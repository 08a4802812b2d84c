// The SQL Server backend sends single SELECT statements only.
#include "platform/db/odbc/SelectOnly.h"

#include <gtest/gtest.h>

using bkl::db::odbc::IsSingleSelect;

TEST(OdbcSelectOnly, AcceptsTheProgramsReadsAndRefusesEverythingElse)
{
    for (const char* sql : {
             "SELECT name FROM sysdatabases ORDER BY NAME",
             "SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' AND "
             "UPPER(TABLE_CATALOG) = 'M'  AND UPPER(TABLE_NAME) IN ('CALCULATION', 'CONFIG','AUDIT')",
             "  select * from [Audit] where Action = 'DELETE; DROP TABLE x' ;  ",
             "SELECT [Delete], \"Update\" FROM [Into] WHERE x LIKE N'%exec%'",
             "(SELECT 1)",
             "-- leading note\nSELECT 1 /* a /* nested */ comment */",
             "SELECT 'it''s' AS a; -- trailing",
         })
        EXPECT_TRUE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
    for (const char* sql : {
             "", "   ", "-- only a comment",
             "UPDATE t SET a = 1", "DELETE FROM t", "EXEC sp_who", "WITH c AS (SELECT 1) SELECT * FROM c",
             "SELECT 1; DELETE FROM t", "SELECT 1; SELECT 2", "SELECT 1 DROP TABLE t",
             "SELECT * INTO t2 FROM t", "SELECT * FROM OPENROWSET('x', 'y', 'z')",
             "SELECT 'unclosed", "SELECT [unclosed", "SELECT 1 /* unclosed", "'x' SELECT 1",
         })
        EXPECT_FALSE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
}
