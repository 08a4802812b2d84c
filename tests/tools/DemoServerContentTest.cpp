// What the build's demo server promises: marker tables, a consistent source model,
// and the deliberate differences of the target.
#include "DemoFile.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bkl::test;

namespace {

const QString kSource = QStringLiteral("SalesModel2026");
const QString kTarget = QStringLiteral("SalesModel2026_Target");

int MarkerTables(const QString& database)
{
    return DemoValue(DemoFile(database),
                     QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND UPPER(name) IN "
                                    "('CALCULATION', 'CALCULATIONTREE', 'CONFIG', 'CURRENCY', 'SALUTATION', "
                                    "'IMPORT', 'DOCUMENT', 'ADMIN', 'AUDIT')"))
        .toInt();
}

// Replaces each _Result<id> token by the name of that calculation in the database.
QString ResolveResults(const QString& database, QString text)
{
    static const QRegularExpression token(QStringLiteral("_Result(\\d+)(?!\\d)"));
    QRegularExpressionMatch m;
    while ((m = token.match(text)).hasMatch()) {
        const QString name = DemoValue(DemoFile(database),
                                       QStringLiteral("SELECT Name FROM Calculation WHERE CalculationID = ") + m.captured(1));
        text.replace(m.capturedStart(), m.capturedLength(), QLatin1Char('{') + name + QLatin1Char('}'));
    }
    return text;
}

} // namespace

TEST(DemoServerContent, ModelsHoldNineMarkerTablesAndTheArchiveEight)
{
    EXPECT_EQ(MarkerTables(kSource), 9);
    EXPECT_EQ(MarkerTables(kTarget), 9);
    EXPECT_EQ(MarkerTables(QStringLiteral("EdgeCaseModel")), 9);
    EXPECT_EQ(MarkerTables(QStringLiteral("SalesArchive2025")), 8);
}

TEST(DemoServerContent, SourceAndTargetModelsAreConsistent)
{
    EXPECT_EQ(DemoValue(DemoFile(kSource), QStringLiteral("SELECT COUNT(*) FROM SalesTransactions")), QStringLiteral("1500"));
    for (const QString& model : {kSource, kTarget}) {
        SCOPED_TRACE(model.toStdString());
        const QString f = DemoFile(model);
        // Every table has its physical table, every view a real view with "<calculation>.<field>" columns.
        EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT TableName FROM CustomTable ct WHERE NOT EXISTS (SELECT 1 FROM "
                                             "sqlite_master m WHERE m.name = ct.TableName AND m.type = "
                                             "CASE WHEN ct.TableType = 'View' THEN 'view' ELSE 'table' END)")),
                  QStringList());
        EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT v.name, c.name FROM sqlite_master v, pragma_table_info(v.name) c "
                                             "WHERE v.type = 'view' AND (instr(c.name, '.') = 0 OR NOT EXISTS (SELECT 1 "
                                             "FROM Calculation WHERE Name = substr(c.name, 1, instr(c.name, '.') - 1)))")),
                  QStringList());
        // Every 'List' column has its reference, to an existing table column.
        EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT cc.TableName, cc.ColumnName FROM CustomColumn cc WHERE cc.[Type] = "
                                             "'List' AND NOT EXISTS (SELECT 1 FROM Reference r, ReferenceColumn rc, "
                                             "CustomColumn target WHERE r.ReferenceID = rc.ReferenceID AND r.TableName = "
                                             "cc.TableName AND rc.ColumnName = cc.ColumnName AND target.TableName = "
                                             "r.ReferencedTable AND target.ColumnName = rc.ReferencedColumn)")),
                  QStringList());
        // Every referenced calculation, calendar, list and payee group exists.
        for (const QString& sql : {
                 QStringLiteral("SELECT CalculationID FROM WebReportCalculation EXCEPT SELECT CalculationID FROM Calculation"),
                 QStringLiteral("SELECT CalculationID FROM CalculationListElement EXCEPT SELECT CalculationID FROM Calculation"),
                 QStringLiteral("SELECT TimeID FROM TimeCalendar EXCEPT SELECT TimeID FROM [Time] WHERE Parent IS NULL"),
                 QStringLiteral("SELECT PayeeGroupID FROM CompPlan UNION SELECT PayeeGroupID FROM TailoredReport "
                                "EXCEPT SELECT PayeeGroupID FROM PayeeGroup"),
                 QStringLiteral("SELECT LinkedWebReportID FROM WebReportLinkDependency EXCEPT SELECT WebReportID FROM WebReport"),
                 QStringLiteral("SELECT ConstraintID FROM CalcConstraintTree WHERE ClauseType IS NULL EXCEPT "
                                "SELECT ConstraintID FROM CalcConstraintValue"),
             })
            EXPECT_EQ(DemoRows(f, sql), QStringList()) << sql.toStdString();
        // Every calendar used exists.
        EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT CalendarUsed FROM Calculation WHERE CalendarUsed IS NOT NULL "
                                             "EXCEPT SELECT TimeID FROM [Time] WHERE Parent IS NULL")),
                  QStringList());
        // Every _Result token names an existing calculation.
        for (const QString& text : DemoRows(f, QStringLiteral("SELECT Operation FROM Calculation UNION ALL SELECT Source "
                                                             "FROM Calculation UNION ALL SELECT UnionTable FROM "
                                                             "CalculationUnion UNION ALL SELECT Value FROM CalcConstraintValue")))
            EXPECT_FALSE(ResolveResults(model, text).contains(QStringLiteral("<0 rows>"))) << text.toStdString();
    }
}

TEST(DemoServerContent, SourceModelCoversWhatTheReportsRead)
{
    const QString f = DemoFile(kSource);
    EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT DISTINCT Operator FROM CalcConstraintValue ORDER BY 1")),
              (QStringList{"EQUALS", "GREATERTHAN", "GREATERTHANEQUALS", "ISNOTNULL", "ISNULL", "LESSTHAN",
                           "LESSTHANEQUALS", "NOTEQUALS"}));
    EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT DISTINCT ClauseType FROM CalcConstraintTree ORDER BY 1")),
              (QStringList{"NULL", "0", "1", "2"}));
    EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT DISTINCT [Type] FROM Calculation ORDER BY 1")), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT Name FROM CalculationTree WHERE Name LIKE '%-->%'")),
              QStringList{"Bonus --> Quarterly"});
    EXPECT_EQ(DemoRows(f, QStringLiteral("SELECT Name FROM Calculation WHERE Name LIKE '\\_WR%' ESCAPE '\\' ORDER BY 1")),
              (QStringList{"_WR_Dashboard Sales", "_WR_Payee Statement Total"}));
    // A partition named like its calculation's time level, in a calculation with all three levels set.
    EXPECT_EQ(DemoValue(f, QStringLiteral("SELECT COUNT(*) FROM CalculationPartition p, Calculation c WHERE "
                                          "p.CalculationID = c.CalculationID AND p.Name = c.TimeLevel AND "
                                          "c.CalculationID = 1005")),
              QStringLiteral("1"));
}

TEST(DemoServerContent, TargetDiffersDeliberately)
{
    const QString names = QStringLiteral("SELECT Name FROM Calculation ORDER BY Name");
    QStringList source = DemoRows(DemoFile(kSource), names), target = DemoRows(DemoFile(kTarget), names);
    EXPECT_TRUE(source.removeOne(QStringLiteral("Legacy Adjustment")));
    EXPECT_TRUE(target.removeOne(QStringLiteral("New Hire Ramp")));
    EXPECT_EQ(source, target);

    // Other ids, same texts once the tokens are resolved.
    const QString rich = QStringLiteral("SELECT CalculationID, Operation, Source FROM Calculation WHERE Name = "
                                        "'Commission Amount'");
    const QStringList s = DemoValue(DemoFile(kSource), rich).split(QLatin1Char('|'));
    const QStringList t = DemoValue(DemoFile(kTarget), rich).split(QLatin1Char('|'));
    EXPECT_EQ(s[0], QStringLiteral("1005"));
    EXPECT_EQ(t[0], QStringLiteral("5005"));
    EXPECT_NE(s[1], t[1]);
    EXPECT_EQ(ResolveResults(kSource, s[1]), ResolveResults(kTarget, t[1]));
    EXPECT_EQ(ResolveResults(kSource, s[2]), QStringLiteral("{Total Sales}"));
    EXPECT_EQ(ResolveResults(kTarget, t[2]), QStringLiteral("{Total Sales}"));
}
