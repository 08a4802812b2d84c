// Tables, views and calendars of the sales demo model.
#include "DemoDates.h"
#include "Rng.h"
#include "SalesContext.h"

namespace demo {
namespace {

const char* kRegions[][2] = {{"NE", "Northeast"}, {"SE", "Southeast"}, {"MW", "Midwest"},
                             {"SW", "Southwest"}, {"W", "West"},       {"INT", "International"}};
const char* kFirstNames[] = {"James", "Mary", "Robert", "Patricia", "Michael", "Linda", "David", "Susan",
                             "Daniel", "Karen", "Paul", "Nancy", "Mark", "Laura", "Steven", "Emily"};
const char* kLastNames[] = {"Smith", "Garcia", "Nguyen", "Chen", "Patel", "Davis", "Wilson", "Moore",
                            "Taylor", "Clark", "Lewis", "Walker", "Young", "King", "Wright", "Lopez"};
const char* kTitles[] = {"Account Executive", "Account Executive", "Sales Manager", "Sales Engineer"};

QString Money(int cents) { return QString::number(cents / 100.0, 'f', 2); }

} // namespace

void WriteSalesTables(SalesContext& ctx)
{
    ModelParts& p = ctx.parts;
    Rng rng(ctx.options.seed, 0x7AB1E5);

    std::vector<std::vector<Cell>> regions;
    for (const auto& r : kRegions)
        regions.push_back({QString::fromLatin1(r[0]), QString::fromLatin1(r[1])});
    p.table(QStringLiteral("RegionLookup"), QStringLiteral("Lookup"),
            {{QStringLiteral("RegionCode"), QStringLiteral("Text")},
             {QStringLiteral("RegionName"), QStringLiteral("Text")}},
            regions);

    std::vector<std::vector<Cell>> products;
    const char* families[] = {"Hardware", "Software", "Services"};
    for (int i = 0; i < 12; ++i)
        products.push_back({QStringLiteral("PR%1").arg(i + 1, 3, 10, QLatin1Char('0')),
                            QStringLiteral("Product %1").arg(QChar('A' + i)), QString::fromLatin1(families[i % 3]),
                            Money(50000 + 25000 * i)});
    p.table(QStringLiteral("ProductLookup"), ctx.target() ? QStringLiteral("Data") : QStringLiteral("Lookup"),
            {{QStringLiteral("ProductCode"), QStringLiteral("Text")},
             {QStringLiteral("ProductName"), QStringLiteral("Text")},
             {QStringLiteral("ProductFamily"), QStringLiteral("Text")},
             {QStringLiteral("ListPrice"), QStringLiteral("Currency")}},
            products);

    std::vector<std::vector<Cell>> payees;
    for (int i = 0; i < PayeeCount(); ++i)
        payees.push_back({PayeeId(i),
                          QString::fromLatin1(kFirstNames[i % 16]) + QLatin1Char(' ')
                              + QString::fromLatin1(kLastNames[(i * 7) % 16]),
                          QString::fromLatin1(kRegions[i % 6][0]),
                          DateTimeText(kBaseDate.addDays(-30 * (i + 1) - 400)), QString::fromLatin1(kTitles[i % 4]),
                          i % 13 == 12 ? Cell(DateTimeText(kBaseDate.addDays(-20 - i))) : Cell(Null{})});
    p.table(QStringLiteral("PayeeMaster"), QStringLiteral("Data"),
            {{QStringLiteral("PayeeID"), QStringLiteral("Text")},
             {QStringLiteral("PayeeName"), QStringLiteral("Text")},
             {QStringLiteral("RegionCode"), QStringLiteral("List"), QStringLiteral("RegionLookup"),
              QStringLiteral("RegionCode")},
             {QStringLiteral("HireDate"), QStringLiteral("Date")},
             {QStringLiteral("Title"), QStringLiteral("Text")},
             {QStringLiteral("TerminationDate"), QStringLiteral("Date")}},
            payees);

    // The big table: 1,500 rows at scale 1 (the target has 20 fewer).
    const int sales = 1500 + 1000 * ctx.extraBlocks() - (ctx.target() ? 20 : 0);
    p.table(QStringLiteral("SalesTransactions"), QStringLiteral("Data"),
            {{QStringLiteral("TransactionID"), QStringLiteral("Number")},
             {QStringLiteral("PayeeID"), QStringLiteral("List"), QStringLiteral("PayeeMaster"),
              QStringLiteral("PayeeID")},
             {QStringLiteral("ProductCode"), QStringLiteral("List"), QStringLiteral("ProductLookup"),
              QStringLiteral("ProductCode")},
             {QStringLiteral("RegionCode"), QStringLiteral("List"), QStringLiteral("RegionLookup"),
              QStringLiteral("RegionCode")},
             {QStringLiteral("SaleDate"), QStringLiteral("Date")},
             {QStringLiteral("Quantity"), QStringLiteral("Number")},
             {QStringLiteral("Amount"), QStringLiteral("Currency")}},
            sales, [&](int i) -> std::vector<Cell> {
                const int payee = rng.below(PayeeCount());
                return {int64_t(100001 + i), PayeeId(payee),
                        QStringLiteral("PR%1").arg(rng.below(12) + 1, 3, 10, QLatin1Char('0')),
                        QString::fromLatin1(kRegions[payee % 6][0]), DateTimeText(kBaseDate.addDays(-rng.below(365))),
                        int64_t(rng.between(1, 20)), Money(rng.between(10000, 2500000))};
            });

    std::vector<std::vector<Cell>> quotas;
    const char* quarters[] = {"Q1 FY 2026", "Q2 FY 2026", "Q3 FY 2026", "Q4 FY 2026"};
    for (int i = 0; i < PayeeCount(); ++i)
        for (const char* q : quarters)
            quotas.push_back({PayeeId(i), QString::fromLatin1(q), Money(rng.between(50000, 150000) * 100)});
    if (!ctx.target()) // missing in the target
        p.table(QStringLiteral("QuotaTargets"), QStringLiteral("Data"),
                {{QStringLiteral("PayeeID"), QStringLiteral("List"), QStringLiteral("PayeeMaster"),
                  QStringLiteral("PayeeID")},
                 {QStringLiteral("PeriodName"), QStringLiteral("Text")},
                 {QStringLiteral("QuotaAmount"), QStringLiteral("Currency")}},
                quotas);

    std::vector<ColumnDef> rateColumns = {{QStringLiteral("TierCode"), QStringLiteral("Text")},
                                          {QStringLiteral("LowerBound"), QStringLiteral("Currency")},
                                          {QStringLiteral("UpperBound"), QStringLiteral("Currency")},
                                          {QStringLiteral("Rate"), QStringLiteral("Percent")}};
    if (ctx.target()) // the target has one column more
        rateColumns.push_back({QStringLiteral("Cap"), QStringLiteral("Currency")});
    std::vector<std::vector<Cell>> rates;
    for (int t = 0; t < 5; ++t) {
        std::vector<Cell> row = {QStringLiteral("T%1").arg(t + 1), Money(t * 5000000), Money((t + 1) * 5000000),
                                 QString::number(0.02 + 0.01 * t, 'f', 4)};
        if (ctx.target())
            row.push_back(Money(100000000));
        rates.push_back(row);
    }
    p.table(QStringLiteral("CommissionRates"), QStringLiteral("Lookup"), rateColumns, rates);

    std::vector<std::vector<Cell>> adjustments;
    for (int i = 0; i < 60; ++i)
        adjustments.push_back({int64_t(i + 1), PayeeId(rng.below(PayeeCount())),
                               DateTimeText(kBaseDate.addDays(-rng.below(180))), Money(rng.between(-500000, 500000)),
                               i % 3 == 0 ? QStringLiteral("Split credit") : QStringLiteral("Returned goods")});
    p.table(QStringLiteral("SalesAdjustments"), QStringLiteral("Data"),
            {{QStringLiteral("AdjustmentID"), QStringLiteral("Number")},
             {QStringLiteral("PayeeID"), QStringLiteral("List"), QStringLiteral("PayeeMaster"),
              QStringLiteral("PayeeID")},
             {QStringLiteral("SaleDate"), QStringLiteral("Date")},
             {QStringLiteral("Amount"), QStringLiteral("Currency")},
             {QStringLiteral("Reason"), QStringLiteral("Text")}},
            adjustments);

    if (ctx.target()) // only in the target
        p.table(QStringLiteral("TerritoryAssignments"), QStringLiteral("Data"),
                {{QStringLiteral("PayeeID"), QStringLiteral("List"), QStringLiteral("PayeeMaster"),
                  QStringLiteral("PayeeID")},
                 {QStringLiteral("Territory"), QStringLiteral("Text")}},
                {{PayeeId(0), QStringLiteral("North")}, {PayeeId(1), QStringLiteral("South")}});

    for (int t = 0; t < FillerTableCount(ctx); ++t)
        p.table(FillerTableName(t), QStringLiteral("Data"),
                {{QStringLiteral("RecordKey"), QStringLiteral("Text")},
                 {QStringLiteral("PayeeID"), QStringLiteral("List"), QStringLiteral("PayeeMaster"),
                  QStringLiteral("PayeeID")},
                 {QStringLiteral("Value"), QStringLiteral("Currency")}},
                5, [&](int i) -> std::vector<Cell> {
                    return {QStringLiteral("K%1").arg(i + 1), PayeeId(rng.below(PayeeCount())),
                            Money(rng.between(0, 1000000))};
                });
}

void WriteSalesViews(SalesContext& ctx)
{
    ModelParts& p = ctx.parts;
    p.view(QStringLiteral("PayeeEarningsView"),
           {{QStringLiteral("Commission Amount.PayeeID"), QStringLiteral("PayeeID")},
            {QStringLiteral("Commission Amount.Value"), QStringLiteral("0.0")},
            {QStringLiteral("Total Sales.Value"), QStringLiteral("0.0")},
            {QStringLiteral("Quota Attainment.Value"), QStringLiteral("0.0")}},
           QStringLiteral("PayeeMaster"));
    std::vector<ModelParts::ViewColumn> regionColumns = {
        {QStringLiteral("Region Sales.RegionCode"), QStringLiteral("RegionCode")},
        {QStringLiteral("Region Sales.Value"), QStringLiteral("0.0")},
        {QStringLiteral("Total Sales.Value"), QStringLiteral("0.0")}};
    if (ctx.target())
        regionColumns.push_back({QStringLiteral("Attainment Rank.Value"), QStringLiteral("0")});
    p.view(QStringLiteral("RegionSalesView"), regionColumns, QStringLiteral("RegionLookup"));
    if (!ctx.target())
        p.view(QStringLiteral("QuotaAttainmentView"),
               {{QStringLiteral("Quota Attainment.PayeeID"), QStringLiteral("PayeeID")},
                {QStringLiteral("Quota Attainment.Period"), QStringLiteral("'Q1 FY 2026'")},
                {QStringLiteral("Quota Attainment.Value"), QStringLiteral("0.0")}},
               QStringLiteral("PayeeMaster"));
    else
        p.view(QStringLiteral("TerritoryView"),
               {{QStringLiteral("Team Sales Rollup.PayeeID"), QStringLiteral("PayeeID")},
                {QStringLiteral("Team Sales Rollup.Value"), QStringLiteral("0.0")}},
               QStringLiteral("PayeeMaster"));
    for (int v = 0; v < FillerViewCount(ctx); ++v) {
        const QString calc = FillerCalcName(v % FillerCalcCount(ctx));
        p.view(FillerViewName(v),
               {{calc + QStringLiteral(".PayeeID"), QStringLiteral("PayeeID")},
                {calc + QStringLiteral(".Value"), QStringLiteral("Value")}},
               FillerTableName(v % FillerTableCount(ctx)));
    }
}

void WriteSalesCalendars(SalesContext& ctx)
{
    ModelParts& p = ctx.parts;
    p.calendar(QStringLiteral("FISCAL"), QStringLiteral("Fiscal Calendar"), {2026}, 2,
               {[](int y) { return QStringLiteral("FY %1").arg(y); },
                [](int y, int q) { return QStringLiteral("Q%1 FY %2").arg(q).arg(y); }});
    std::vector<int> standardYears = {2025, 2026};
    if (ctx.target()) // the target's standard calendar runs one year longer
        standardYears.push_back(2027);
    p.calendar(QStringLiteral("STD"), QStringLiteral("Standard Calendar"), standardYears, 1,
               {[](int y) { return QString::number(y); },
                [](int y, int q) { return QStringLiteral("Q%1 %2").arg(q).arg(y); }});
    if (!ctx.target())
        p.calendar(QStringLiteral("RETAIL"), QStringLiteral("Retail Calendar"), {2026}, 3,
                   {[](int y) { return QStringLiteral("Retail %1").arg(y); },
                    [](int y, int q) { return QStringLiteral("RQ%1 %2").arg(q).arg(y); }});
    else
        p.calendar(QStringLiteral("PLAN"), QStringLiteral("Planning Calendar"), {2027}, 1,
                   {[](int y) { return QStringLiteral("Plan %1").arg(y); },
                    [](int y, int q) { return QStringLiteral("PQ%1 %2").arg(q).arg(y); }});
}

} // namespace demo
