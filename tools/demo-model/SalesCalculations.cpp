// Calculations of the sales demo model, with their joins, lookups, unions,
// partitions, restriction trees, column dependencies and folders.
#include "Rng.h"
#include "SalesContext.h"

#include <QStringList>

namespace demo {
namespace {

// The named calculations, in id order (id = base + index). "Legacy Adjustment" exists
// only in the source, "New Hire Ramp" only in the target.
const char* kNamed[] = {"Total Sales",        "Region Sales",       "Quota Attainment",     "Prior Year Sales",
                        "Commission Amount",  "Quarterly Bonus",    "Accelerator Rate",     "New Hire Guarantee",
                        "Legacy Adjustment",  "Attainment Rank",    "Year To Date Sales",   "Product Mix",
                        "Draw Recovery",      "_WR_Dashboard Sales", "_WR_Payee Statement Total",
                        "Team Sales Rollup",  "New Hire Ramp"};

} // namespace

void WriteSalesCalculations(SalesContext& ctx)
{
    ModelParts& p = ctx.parts;
    const int base = ctx.target() ? 5001 : 1001;
    for (int i = 0; i < int(std::size(kNamed)); ++i)
        ctx.calcIds.insert(QString::fromLatin1(kNamed[i]), base + i);
    for (int i = 0; i < FillerCalcCount(ctx); ++i)
        ctx.calcIds.insert(FillerCalcName(i), base + 100 + i);
    auto R = [&](const char* name) { return ctx.result(QString::fromLatin1(name)); };
    auto id = [&](const char* name) { return ctx.id(QString::fromLatin1(name)); };

    // Folders: three levels under the root, one name holding "-->".
    const int salesComp = p.folder(QStringLiteral("Sales Compensation"), -1);
    const int metrics = p.folder(QStringLiteral("Sales Metrics"), salesComp);
    const int commissions = p.folder(QStringLiteral("Commissions"), salesComp);
    const int monthly = p.folder(QStringLiteral("Monthly"), commissions);
    const int bonus = p.folder(QStringLiteral("Bonus --> Quarterly"), commissions);
    const int reporting = p.folder(QStringLiteral("Reporting"), 0);
    auto node = [&](const char* name, int parent) { p.calcNode(id(name), QString::fromLatin1(name), parent); };

    // Total Sales: the base of most others.
    p.calculation({id("Total Sales"), "Total Sales", kUserDefined, Text("Sum of sales amounts per payee and month."),
                   Text("SalesTransactions"), Text("SUM( _TableAlias0 )"), Text("STD"), Text("Month"), Text("Year")});
    p.join(id("Total Sales"), 0, "SalesTransactions", "Amount", "PayeeMaster", "PayeeID");
    p.partition(id("Total Sales"), 0, "Payee", Text("PayeeMaster"), "PayeeID");
    p.partition(id("Total Sales"), 1, "Month", Text("Time"), "Month", 1, true);
    p.dependency(id("Total Sales"), "SalesTransactions", "Amount");
    p.dependency(id("Total Sales"), "SalesTransactions", "PayeeID");
    p.dependency(id("Total Sales"), "SalesTransactions", "SaleDate");
    p.leaf(id("Total Sales"), 0, 0, "SalesTransactions", "Amount", Text("NOTEQUALS"), Text("0"), 2);
    node("Total Sales", metrics);

    // Region Sales: a sort calculation over Total Sales with one lookup.
    p.calculation({id("Region Sales"), "Region Sales", kSort, Text("Total sales ranked by region."),
                   Text(R("Total Sales")), Text(R("Total Sales") + " "), Text("STD"), Text("Quarter"), Text("Year")});
    {
        const int region = p.lookup(id("Region Sales"), "Region", Text("RegionLookup"));
        p.leaf(id("Region Sales"), region, 0, "RegionLookup", "RegionCode", Text("EQUALS"),
               Text("PayeeMaster.RegionCode"));
        p.partition(id("Region Sales"), 0, "Region", Text("RegionLookup"), "RegionCode");
        p.partition(id("Region Sales"), 1, "Quarter", Text("Time"), "Quarter");
        p.dependency(id("Region Sales"), "RegionLookup", "RegionCode");
    }
    node("Region Sales", metrics);

    // Quota Attainment: a lookup with an AND join condition.
    p.calculation({id("Quota Attainment"), "Quota Attainment", kUserDefined,
                   Text("Sales as a percentage of quarterly quota."), Text("PayeeMaster"),
                   Text(R("Total Sales") + " / _LookupAlias0.QuotaAmount * 100"), Text("FISCAL"), Text("Quarter"),
                   Text("Year")});
    {
        const int quota = p.lookup(id("Quota Attainment"), "Quota", Text("QuotaTargets"));
        const int g = p.group(id("Quota Attainment"), quota, 0, 0);
        p.leaf(id("Quota Attainment"), quota, g, "QuotaTargets", "PayeeID", Text("EQUALS"), Text("PayeeMaster.PayeeID"));
        p.leaf(id("Quota Attainment"), quota, g, "QuotaTargets", "PeriodName", Text("EQUALS"), Text("Time.Quarter"));
        p.partition(id("Quota Attainment"), 0, "Quarter", Text("Time"), "Quarter");
        p.dependency(id("Quota Attainment"), "QuotaTargets", "QuotaAmount");
        p.dependency(id("Quota Attainment"), "QuotaTargets", "PayeeID");
    }
    node("Quota Attainment", metrics);

    // Prior Year Sales: a time shift of Total Sales.
    p.calculation({id("Prior Year Sales"), "Prior Year Sales", kTimeShift, Text("Total Sales shifted back 12 months."),
                   Text(R("Total Sales")), Text(R("Total Sales") + " SHIFT -12"), Text("STD"), Text("Month"),
                   Text("Year")});
    p.partition(id("Prior Year Sales"), 0, "Month", Text("Time"), "Month");
    node("Prior Year Sales", metrics);

    // Commission Amount: the rich one, with every part filled.
    {
        const int c = id("Commission Amount");
        p.calculation({c, "Commission Amount", kUserDefined,
                       Text("Monthly commission: sales times the tier rate, plus the quarterly bonus, less draw "
                            "recovery."),
                       Text(R("Total Sales")),
                       Text("( _TableAlias0 * _LookupAlias0.Rate ) + " + R("Quarterly Bonus")
                            + " - _LookupAlias1.Recovery + _TableAlias1 * 0"),
                       Text("FISCAL"), Text("Month"), Text("Year")});
        p.join(c, 0, "SalesTransactions", "Amount", "PayeeMaster", "PayeeID");
        p.join(c, 1, "PayeeMaster", "RegionCode", "RegionLookup", "RegionCode");
        const int rates = p.lookup(c, "Rate Tier", Text("CommissionRates"));
        const int rg = p.group(c, rates, 0, 0);
        p.leaf(c, rates, rg, "CommissionRates", "LowerBound", Text("LESSTHANEQUALS"), Text(R("Total Sales")), 0);
        p.leaf(c, rates, rg, "CommissionRates", "UpperBound", Text("GREATERTHAN"), Text(R("Total Sales")), 0);
        const int draw = p.lookup(c, "Draw Recovery", Text("Draw Recovery"));
        p.leaf(c, draw, 0, "Draw Recovery", "PayeeID", Text("EQUALS"), Text("PayeeMaster.PayeeID"));
        p.unionTable(c, 1, "SalesAdjustments");
        p.unionTable(c, 2, R("Prior Year Sales"));
        p.partition(c, 0, "Payee", Text("PayeeMaster"), "PayeeID");
        p.partition(c, 1, "Month", Text("Time"), "Month", 1, true);
        p.partition(c, 2, "Tier", Text("_LookupAlias0"), "TierCode");
        // Restrictions: an AND group with a nested ANY group, top-level leaves, a
        // hidden node (clause type 2) and a value that is an alias token.
        const int all = p.group(c, 0, 0, 0);
        p.leaf(c, 0, all, "SalesTransactions", "Amount", Text("GREATERTHAN"), Text("0"), 2);
        p.leaf(c, 0, all, "SalesTransactions", "SaleDate", Text("GREATERTHANEQUALS"), Text("2026-02-01"), 3);
        p.leaf(c, 0, all, "SalesTransactions", "SaleDate", Text("LESSTHANEQUALS"), Text("2027-01-31"), 3);
        const int any = p.group(c, 0, all, 1);
        p.leaf(c, 0, any, "PayeeMaster", "Title", Text("EQUALS"), Text("Account Executive"));
        p.leaf(c, 0, any, "PayeeMaster", "Title", Text("EQUALS"), Text("Sales Manager"));
        p.leaf(c, 0, any, "PayeeMaster", "TerminationDate", Text("ISNULL"), kNull, 3);
        p.leaf(c, 0, all, "SalesTransactions", "RegionCode", Text("NOTEQUALS"), Text("INT"));
        p.leaf(c, 0, 0, "PayeeMaster", "PayeeID", Text("ISNOTNULL"), kNull);
        p.leaf(c, 0, 0, "SalesTransactions", "Quantity", Text("LESSTHAN"), Text("1000"), 2);
        p.leaf(c, 0, 0, "SalesTransactions", "Amount", Text("GREATERTHANEQUALS"), Text(R("Accelerator Rate")), 0);
        const int hidden = p.group(c, 0, 0, 2);
        p.leaf(c, 0, hidden, "SalesTransactions", "Quantity", Text("EQUALS"), Text("-1"), 2);
        p.dependency(c, "SalesTransactions", "Amount");
        p.dependency(c, "SalesTransactions", "SaleDate");
        p.dependency(c, "SalesTransactions", "RegionCode");
        p.dependency(c, "PayeeMaster", "Title");
        p.dependency(c, "CommissionRates", "Rate");
        node("Commission Amount", monthly);
    }

    // Quarterly Bonus: partition named like its time level; its formula differs in the target.
    p.calculation({id("Quarterly Bonus"), "Quarterly Bonus", kUserDefined,
                   Text("Bonus for payees at or above quota in a quarter."), Text("PayeeMaster"),
                   Text("IIF( " + R("Quota Attainment") + " >= 100, " + R("Total Sales")
                        + (ctx.target() ? " * 0.025, 0 )" : " * 0.02, 0 )")),
                   Text("FISCAL"), Text("Quarter"), Text("Year")});
    p.partition(id("Quarterly Bonus"), 0, "Payee", Text("PayeeMaster"), "PayeeID");
    p.partition(id("Quarterly Bonus"), 1, "Quarter", Text("Time"), "Quarter", 1, true);
    p.leaf(id("Quarterly Bonus"), 0, 0, "PayeeMaster", "Title", Text("EQUALS"), Text("Account Executive"));
    node("Quarterly Bonus", bonus);

    p.calculation({id("Accelerator Rate"), "Accelerator Rate", kUserDefined,
                   Text("Tier rate looked up from the commission rate table."), Text("CommissionRates"),
                   Text("MAX( _LookupAlias0.Rate )"), kNull, kNull, kNull});
    {
        const int tier = p.lookup(id("Accelerator Rate"), "CommissionRates", Text("CommissionRates"));
        p.leaf(id("Accelerator Rate"), tier, 0, "CommissionRates", "TierCode", Text("EQUALS"), Text("T5"));
        p.dependency(id("Accelerator Rate"), "CommissionRates", "Rate");
    }
    node("Accelerator Rate", commissions);

    p.calculation({id("New Hire Guarantee"), "New Hire Guarantee", kUserDefined,
                   Text("Guaranteed minimum for payees hired this year."), Text("PayeeMaster"), Text("5000"), kNull,
                   kNull, kNull});
    p.leaf(id("New Hire Guarantee"), 0, 0, "PayeeMaster", "HireDate", Text("GREATERTHANEQUALS"), Text("2026-01-01"), 3);
    p.dependency(id("New Hire Guarantee"), "PayeeMaster", "HireDate");
    node("New Hire Guarantee", commissions);

    if (!ctx.target()) {
        p.calculation({id("Legacy Adjustment"), "Legacy Adjustment", kUserDefined,
                       Text("Adjustments carried over from the old plan."), Text("SalesAdjustments"),
                       Text("SUM( _TableAlias0 )"), Text("STD"), Text("Month"), Text("Year")});
        p.join(id("Legacy Adjustment"), 0, "SalesAdjustments", "Amount", "PayeeMaster", "PayeeID");
        p.unionTable(id("Legacy Adjustment"), 1, "SalesAdjustments");
        p.dependency(id("Legacy Adjustment"), "SalesAdjustments", "Amount");
        node("Legacy Adjustment", commissions);
    }

    p.calculation({id("Attainment Rank"), "Attainment Rank", kSort,
                   Text(ctx.target() ? "Payees ranked by attainment (revised)." : "Payees ranked by attainment."),
                   Text(R("Quota Attainment")), Text(R("Quota Attainment") + " DESC"), Text("FISCAL"), Text("Quarter"),
                   Text("Year")});
    node("Attainment Rank", metrics);

    p.calculation({id("Year To Date Sales"), "Year To Date Sales", kTimeShift, Text("Running total of Total Sales."),
                   Text(R("Total Sales")), Text("YTD( " + R("Total Sales") + " )"), Text("STD"), Text("Month"),
                   Text("Year")});
    p.partition(id("Year To Date Sales"), 0, "Month", Text("Time"), "Month", 1, true);
    node("Year To Date Sales", metrics);

    p.calculation({id("Product Mix"), "Product Mix", kUserDefined, Text("Share of software and services sales."),
                   Text("SalesTransactions"), Text("SUM( _TableAlias0 ) / " + R("Total Sales")),
                   Text(ctx.target() ? "PLAN" : "RETAIL"),
                   Text("Month"), Text("Quarter")});
    {
        const int pm = id("Product Mix");
        p.join(pm, 0, "SalesTransactions", "Amount", "ProductLookup", "ProductCode");
        const int product = p.lookup(pm, "Product", Text("ProductLookup"));
        p.leaf(pm, product, 0, "ProductLookup", "ProductCode", Text("EQUALS"), Text("SalesTransactions.ProductCode"));
        const int anyFamily = p.group(pm, 0, 0, 1);
        p.leaf(pm, 0, anyFamily, "ProductLookup", "ProductFamily", Text("EQUALS"), Text("Software"));
        p.leaf(pm, 0, anyFamily, "ProductLookup", "ProductFamily", Text("EQUALS"), Text("Services"));
        p.partition(pm, 0, "Month", Text("Time"), "Month");
        p.dependency(pm, "ProductLookup", "ProductFamily");
        p.dependency(pm, "SalesTransactions", "ProductCode");
    }
    node("Product Mix", metrics);

    p.calculation({id("Draw Recovery"), "Draw Recovery", kUserDefined, Text("Recovery of advanced draws."),
                   Text("SalesAdjustments"), Text("SUM( _TableAlias0 ) * -1"), kNull, kNull, kNull});
    p.join(id("Draw Recovery"), 0, "SalesAdjustments", "Amount", "PayeeMaster", "PayeeID");
    p.leaf(id("Draw Recovery"), 0, 0, "SalesAdjustments", "Reason", Text("EQUALS"), Text("Split credit"));
    p.dependency(id("Draw Recovery"), "SalesAdjustments", "Reason");
    node("Draw Recovery", commissions);

    p.calculation({id("_WR_Dashboard Sales"), "_WR_Dashboard Sales", kUserDefined,
                   Text("Helper for the Sales Dashboard report."), Text(R("Total Sales")), Text(R("Total Sales")),
                   kNull, kNull, kNull});
    node("_WR_Dashboard Sales", reporting);
    p.calculation({id("_WR_Payee Statement Total"), "_WR_Payee Statement Total", kUserDefined,
                   Text("Helper for the Payee Statement report."), Text(R("Commission Amount")),
                   Text(R("Commission Amount") + " + " + R("Quarterly Bonus")), kNull, kNull, kNull});
    node("_WR_Payee Statement Total", reporting);

    p.calculation({id("Team Sales Rollup"), "Team Sales Rollup", kUserDefined, Text("Total sales rolled up by region."),
                   Text(R("Total Sales")), Text("SUM( " + R("Total Sales") + " )"), Text("STD"), Text("Quarter"),
                   Text("Year")});
    // No folder node: shows only the root level.

    if (ctx.target()) {
        p.calculation({id("New Hire Ramp"), "New Hire Ramp", kUserDefined, Text("Ramp-up credit for new hires."),
                       Text("PayeeMaster"), Text(R("New Hire Guarantee") + " * 0.5"), kNull, kNull, kNull});
        node("New Hire Ramp", commissions);
    }

    // Generated calculations, in blocks of 100 per folder.
    Rng rng(ctx.options.seed, 0xCA1C);
    const int generated = p.folder(QStringLiteral("Generated"), -1);
    int block = 0;
    const char* levels[][2] = {{"Month", "Year"}, {"Quarter", "Year"}, {"Month", "Quarter"}};
    for (int i = 0; i < FillerCalcCount(ctx); ++i) {
        if (i % 100 == 0)
            block = p.folder(QStringLiteral("Block %1").arg(i / 100 + 1, 3, 10, QLatin1Char('0')), generated);
        const QString name = FillerCalcName(i);
        const int c = ctx.id(name);
        const QString table = FillerTableName(i % FillerTableCount(ctx));
        const int type = i % 3 == 0 ? kSort : (i % 3 == 1 ? kTimeShift : kUserDefined);
        const auto& level = levels[i % 3];
        p.calculation({c, name, type, Text(QStringLiteral("Generated metric %1.").arg(i + 1)), Text(table),
                       Text(QStringLiteral("SUM( _TableAlias0 ) * 1.%1 + ").arg(rng.below(100)) + R("Total Sales")),
                       i % 4 == 3 ? kNull : Text("STD"), Text(level[0]), Text(level[1])});
        p.join(c, 0, table, "Value", "PayeeMaster", "PayeeID");
        if (i % 5 == 0) {
            const int lk = p.lookup(c, "Payee", Text("PayeeMaster"));
            p.leaf(c, lk, 0, "PayeeMaster", "PayeeID", Text("EQUALS"), Text(table + ".PayeeID"));
        }
        p.partition(c, 0, QString::fromLatin1(level[0]), Text("Time"), QString::fromLatin1(level[0]));
        p.leaf(c, 0, 0, table, "Value", Text("GREATERTHAN"), Text(QString::number(rng.below(1000))), 2);
        p.dependency(c, table, "Value");
        p.calcNode(c, name, block);
    }
}

} // namespace demo
