// Compensation plans, tailored reports and Presentor reports of the sales demo model.
#include "SalesContext.h"

namespace demo {

void WriteSalesReports(SalesContext& ctx)
{
    ModelParts& p = ctx.parts;
    SqliteWriter& db = p.db();
    auto ids = [&](std::initializer_list<const char*> names) {
        std::vector<int> out;
        for (const char* n : names)
            out.push_back(ctx.id(QString::fromLatin1(n)));
        return out;
    };

    const char* groups[] = {"Account Executives", "Sales Managers", "New Hires", "International Sales"};
    for (int g = 0; g < 4; ++g)
        db.insert(QStringLiteral("PayeeGroup"), {int64_t(g + 1), QString::fromLatin1(groups[g])});

    struct Plan { const char* id; const char* name; int group; const char* comment; std::vector<int> list; };
    const Plan plans[] = {
        {"AE2026", "Account Executive Plan 2026", 1, "Quota-based plan for account executives.",
         ids({"Total Sales", "Quota Attainment", "Commission Amount", "Quarterly Bonus"})},
        {"SM2026", "Sales Manager Plan 2026", 2, "Team plan for sales managers.",
         ids({"Region Sales", "Commission Amount", "Attainment Rank", "Commission Amount"})},
        {"NH2026", "New Hire Plan 2026", 3, "Guarantee plan for the first year.",
         ids({"New Hire Guarantee", "Total Sales"})},
        {"INT2026", "International Plan 2026", 4, nullptr, {}},
    };
    for (const Plan& plan : plans)
        db.insert(QStringLiteral("CompPlan"),
                  {QString::fromLatin1(plan.id), QString::fromLatin1(plan.name), int64_t(plan.group),
                   plan.comment ? Cell(QString::fromLatin1(plan.comment)) : Cell(Null{}), int64_t(p.list(plan.list))});

    struct Tailored { const char* id; const char* name; int group; std::vector<int> list; };
    const Tailored tailored[] = {
        {"TR01", "Monthly Commission Statement", 1, ids({"Commission Amount", "Total Sales"})},
        {"TR02", "Quarterly Bonus Summary", 2, ids({"Quarterly Bonus", "Quota Attainment"})},
        {"TR03", "Attainment Overview", 1, ids({"Attainment Rank", "Quota Attainment", "Region Sales"})},
    };
    for (const Tailored& t : tailored)
        db.insert(QStringLiteral("TailoredReport"), {QString::fromLatin1(t.id), QString::fromLatin1(t.name),
                                                     int64_t(t.group), int64_t(p.list(t.list))});

    // Presentor reports: ids from the shared counter, so they differ in the target.
    struct Web { const char* name; std::vector<const char*> tables; std::vector<const char*> calcs; };
    std::vector<Web> web = {
        {"Sales Dashboard", {"SalesTransactions", "PayeeMaster", "SalesTransactions"},
         {"_WR_Dashboard Sales", "Total Sales", "Commission Amount"}},
        {"Payee Statement", {"PayeeMaster"}, {"Commission Amount", "_WR_Payee Statement Total"}},
        {"Region Summary", {"RegionLookup", "SalesTransactions"}, {"Region Sales"}},
    };
    if (ctx.target())
        web[2].tables.push_back("ProductLookup"); // changed in the target
    if (!ctx.target())
        web.push_back({"Quota Tracker", {"QuotaTargets"}, {"Quota Attainment", "Attainment Rank"}});
    else
        web.push_back({"Territory Report", {"TerritoryAssignments"}, {"Team Sales Rollup"}});
    QHash<QString, int> webIds;
    for (const Web& w : web) {
        const int id = p.nextId();
        webIds.insert(QString::fromLatin1(w.name), id);
        db.insert(QStringLiteral("WebReport"), {int64_t(id), QString::fromLatin1(w.name), Null{}});
        for (const char* t : w.tables)
            db.insert(QStringLiteral("WebReportDependency"), {int64_t(id), QString::fromLatin1(t)});
        for (const char* c : w.calcs)
            db.insert(QStringLiteral("WebReportCalculation"), {int64_t(id), int64_t(ctx.id(QString::fromLatin1(c)))});
    }
    auto link = [&](const char* from, const char* to) {
        if (webIds.contains(QString::fromLatin1(from)) && webIds.contains(QString::fromLatin1(to)))
            db.insert(QStringLiteral("WebReportLinkDependency"),
                      {int64_t(webIds.value(QString::fromLatin1(from))), int64_t(webIds.value(QString::fromLatin1(to)))});
    };
    link("Sales Dashboard", "Region Summary");
    link("Sales Dashboard", "Payee Statement");
    link("Payee Statement", "Sales Dashboard");
    link("Quota Tracker", "Payee Statement");

    // Generated blocks: per block 2 plans, 2 tailored reports and 5 Presentor reports
    // over the generated calculations and tables.
    const int fillers = FillerCalcCount(ctx);
    for (int i = 0; i < 2 * ctx.extraBlocks(); ++i) {
        std::vector<int> calcs;
        for (int k = 0; k < 10; ++k)
            calcs.push_back(ctx.id(FillerCalcName((i * 10 + k) % fillers)));
        const QString n = QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0'));
        db.insert(QStringLiteral("CompPlan"), {QStringLiteral("GP") + n, QStringLiteral("Gen Plan ") + n,
                                               int64_t(1 + i % 4), Null{}, int64_t(p.list(calcs))});
        db.insert(QStringLiteral("TailoredReport"), {QStringLiteral("GT") + n, QStringLiteral("Gen Tailored Report ") + n,
                                                     int64_t(1 + i % 4), int64_t(p.list(calcs))});
    }
    for (int i = 0; i < 5 * ctx.extraBlocks(); ++i) {
        const int id = p.nextId();
        db.insert(QStringLiteral("WebReport"),
                  {int64_t(id), QStringLiteral("Gen Report %1").arg(i + 1, 4, 10, QLatin1Char('0')), Null{}});
        db.insert(QStringLiteral("WebReportDependency"), {int64_t(id), FillerTableName(i % FillerTableCount(ctx))});
        db.insert(QStringLiteral("WebReportCalculation"), {int64_t(id), int64_t(ctx.id(FillerCalcName(i % fillers)))});
    }
}

} // namespace demo
