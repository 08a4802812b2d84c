// Every compared object of the demo source model against the target, with every
// section switched on: the statuses the demo models are built to give.
#include "ComparatorTestSupport.h"

#include "compare/CompareObject.h"
#include "reports/ModelRead.h"

#include <QMap>

using namespace bkl::comparetest;
using bkl::compare::CompareObject;

namespace {
class ComparatorAllDemo : public ComparatorTest {
protected:
    // Status digit of each object of a kind, by name.
    static QMap<QString, QString> statuses(const char* listSql, const char* kind)
    {
        QMap<QString, QString> out;
        for (const QString& name : bkl::reports::ReadTexts(source(), QString::fromUtf8(listSql), QStringLiteral("N")))
            out.insert(name, StatusOf(CompareObject(sides(), name, QString::fromUtf8(kind))));
        return out;
    }
    // Names whose status is not "1".
    static QMap<QString, QString> notIdentical(const QMap<QString, QString>& all)
    {
        QMap<QString, QString> out;
        for (auto it = all.cbegin(); it != all.cend(); ++it)
            if (it.value() != QLatin1String("1"))
                out.insert(it.key(), it.value());
        return out;
    }
};
} // namespace

TEST_F(ComparatorAllDemo, EveryKind)
{
    const QMap<QString, QString> tables =
        statuses("SELECT TableName AS N FROM CustomTable WHERE TableType <> 'View'", "TABLE");
    EXPECT_EQ(tables.size(), 15);
    EXPECT_EQ(notIdentical(tables), (QMap<QString, QString>{{QStringLiteral("CommissionRates"), QStringLiteral("0")},
                                                            {QStringLiteral("ProductLookup"), QStringLiteral("0")},
                                                            {QStringLiteral("SalesTransactions"), QStringLiteral("0")},
                                                            {QStringLiteral("QuotaTargets"), QStringLiteral("2")}}));

    const QMap<QString, QString> views =
        statuses("SELECT TableName AS N FROM CustomTable WHERE TableType = 'View'", "VIEW");
    EXPECT_EQ(views.size(), 5);
    EXPECT_EQ(notIdentical(views), (QMap<QString, QString>{{QStringLiteral("RegionSalesView"), QStringLiteral("0")},
                                                           {QStringLiteral("QuotaAttainmentView"), QStringLiteral("2")}}));

    const QMap<QString, QString> calendars = statuses(
        "SELECT '(' + TimeID + ') ' + [Name] AS N FROM [Time] WHERE Parent IS NULL", "CALENDAR");
    EXPECT_EQ(calendars, (QMap<QString, QString>{{QStringLiteral("(FISCAL) Fiscal Calendar"), QStringLiteral("1")},
                                                 {QStringLiteral("(STD) Standard Calendar"), QStringLiteral("0")},
                                                 {QStringLiteral("(RETAIL) Retail Calendar"), QStringLiteral("2")}}));

    const QMap<QString, QString> calcs = statuses("SELECT [Name] AS N FROM Calculation", "CALCULATION");
    EXPECT_EQ(calcs.size(), 41);
    EXPECT_EQ(notIdentical(calcs), (QMap<QString, QString>{{QStringLiteral("Quarterly Bonus"), QStringLiteral("0")},
                                                           {QStringLiteral("Attainment Rank"), QStringLiteral("0")},
                                                           {QStringLiteral("Product Mix"), QStringLiteral("0")},
                                                           {QStringLiteral("Quota Attainment"), QStringLiteral("0")},
                                                           {QStringLiteral("Team Sales Rollup"), QStringLiteral("0")},
                                                           {QStringLiteral("Legacy Adjustment"), QStringLiteral("2")}}));

    const QMap<QString, QString> reports = statuses("SELECT [Name] AS N FROM WebReport", "PRESENTOR REPORT");
    EXPECT_EQ(reports, (QMap<QString, QString>{{QStringLiteral("Sales Dashboard"), QStringLiteral("1")},
                                               {QStringLiteral("Payee Statement"), QStringLiteral("1")},
                                               {QStringLiteral("Region Summary"), QStringLiteral("0")},
                                               {QStringLiteral("Quota Tracker"), QStringLiteral("2")}}));
    EXPECT_TRUE(ErrorMessages().isEmpty()) << ErrorMessages().join(QLatin1Char('\n')).toStdString();
}
