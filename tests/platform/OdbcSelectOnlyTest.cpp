// The SQL Server backend sends single SELECT statements only. (Every statement the
// program sends passes: the statement catalog runs through FreeTDS.)
#include "platform/db/odbc/SelectOnly.h"

#include <gtest/gtest.h>

using bkl::db::odbc::IsSingleSelect;

TEST(OdbcSelectOnly, AcceptsOneSelectOfTheGrammarAndRefusesEverythingElse)
{
    for (const char* sql : {
             "SELECT name FROM sysdatabases ORDER BY NAME",
             "  select * from [Audit] where Event = 'DELETE; DROP TABLE x' ;  ",
             "SELECT [Delete], \"Update\", [Checkpoint] FROM [Into] WHERE x LIKE N'%exec%'",
             "-- leading note\r\nSELECT 1 /* a comment */",
             "SELECT 'it''s' AS a; -- trailing",
             "SELECT c.Name FROM Calculation c WITH (NOLOCK) LEFT JOIN Audit a ON a.UserID = c.Name",
         })
        EXPECT_TRUE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
    for (const char* sql : {
             "", "   ", "-- only a comment", "UPDATE t SET a = 1", "DELETE FROM t", "EXEC sp_who",
             "WITH c AS (SELECT 1) SELECT * FROM c", "(SELECT 1)", "SELECT 1; DELETE FROM t", "SELECT 1; SELECT 2",
             "SELECT 1 DROP TABLE t", "SELECT * INTO t2 FROM t", "SELECT * FROM OPENROWSET('x', 'y', 'z')",
             "SELECT 'unclosed", "SELECT [unclosed", "SELECT 1 /* unclosed", "'x' SELECT 1",
             "select 1 DISABLE TRIGGER ALL ON DATABASE", "select 1 ENABLE TRIGGER t ON x",
             "select 1 RECEIVE TOP (1) * FROM q", "select 1 SEND ON CONVERSATION @h (N'x')",
             "select 1 END CONVERSATION @h", "select 1 BEGIN TRAN", "select 1 CHECKPOINT", "SELECT * FROM t SHUTDOWN",
             "select 1 WAITFOR DELAY '0:0:5'", "select 1 -- c\rdelete from Audit", "select 1 -- c\r\ndelete from Audit",
             "SELECT 1 x RECONFIGURE", "SELECT a FROM t ORDER BY a FOR XML AUTO",
         })
        EXPECT_FALSE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
}
