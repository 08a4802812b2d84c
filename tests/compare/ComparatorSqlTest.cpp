// The comparison's own statements, byte for byte, with quotes doubled.
#include "compare/CompareSql.h"

#include <gtest/gtest.h>

using namespace bkl::compare::sql;

TEST(ComparatorSql, ExistenceTests)
{
    EXPECT_EQ(TableExists(QStringLiteral("CommissionRates")),
              QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'CommissionRates' AND TableType <> 'View' "));
    EXPECT_EQ(ViewExists(QStringLiteral("O'Brien View")),
              QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'O''Brien View' AND TableType = 'View' "));
    EXPECT_EQ(CalendarExists(QStringLiteral("O'Brien Calendar"), QStringLiteral("O'B")),
              QStringLiteral("SELECT COUNT(1) FROM [Time] WHERE [Name] = 'O''Brien Calendar' AND TimeID = 'O''B' AND "
                             "Parent IS NULL"));
    EXPECT_EQ(PresentorReportExists(QStringLiteral("O'Brien Report")),
              QStringLiteral("SELECT COUNT(1) FROM WebReport WHERE [Name] = 'O''Brien Report'"));
    EXPECT_EQ(CalculationExists(QStringLiteral("Commission Amount")),
              QStringLiteral("SELECT COUNT(1) FROM Calculation WHERE [Name] = 'Commission Amount' "));
}

TEST(ComparatorSql, TableFetchers)
{
    EXPECT_EQ(TableType(QStringLiteral("O'Brien Accounts")),
              QStringLiteral("SELECT [TABLETYPE] = CT.TableType FROM CustomTable CT WHERE CT.TableName = 'O''Brien Accounts'"));
    EXPECT_EQ(TableColumnTypes(QStringLiteral("CommissionRates")),
              QStringLiteral("SELECT [COLUMNNAME] = CC.ColumnName, [COLUMNDATATYPE] = [Type] FROM CustomTable CT, "
                             "CustomColumn CC WHERE CT.TableName = CC.TableName AND CT.TableName = 'CommissionRates' "
                             "ORDER BY [Order]"));
}

TEST(ComparatorSql, CalculationFetchers)
{
    const QString n = QStringLiteral("O'Brien Commission");
    EXPECT_EQ(CalculationType(n), QStringLiteral("SELECT [CALCTYPE] = [Type] FROM [Calculation] WHERE [Name] = 'O''Brien Commission'"));
    EXPECT_EQ(CalculationFormula(n),
              QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCOPERATION] = [Operation] FROM [Calculation] WHERE "
                             "[Name] = 'O''Brien Commission'"));
    EXPECT_EQ(CalculationPartitionLevels(n),
              QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = "
                             "[ResetLevel], [CALCCALENDARUSED]= [CalendarUsed] FROM [Calculation] WHERE [Name] = "
                             "'O''Brien Commission'"));
}
