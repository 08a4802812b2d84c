#include "EveryObjectRun.h"

#include "DemoModel.h"
#include "compare/CompareObject.h"
#include "mainwindow/FindStatement.h"
#include "platform/db/Recordset.h"
#include "reports/ObjectDrivers.h"
#include "shell/Globals.h"

namespace bkl::test {

void RenderAndCompareEveryObject(const db::Connection& source, const db::Connection& target,
                                 const std::function<void()>& startWatching)
{
    struct Kind {
        mainwindow::ObjectKind kind;
        const char* driverKey;
        const char* compareType; // "" when the kind is not compared
    };
    const Kind kinds[] = {{mainwindow::ObjectKind::Tables, "Tables", "TABLE"},
                          {mainwindow::ObjectKind::Views, "Views", "VIEW"},
                          {mainwindow::ObjectKind::Calendars, "Calendars", "CALENDAR"},
                          {mainwindow::ObjectKind::Calculations, "Calculations", "CALCULATION"},
                          {mainwindow::ObjectKind::CompensationPlans, "Compensation Plans", ""},
                          {mainwindow::ObjectKind::TailoredReports, "Tailored Reports", ""},
                          {mainwindow::ObjectKind::PresentorReports, "Presentor Reports", "PRESENTOR REPORT"}};
    std::vector<QStringList> names;
    for (const Kind& k : kinds) {
        names.emplace_back();
        for (db::Recordset rs(mainwindow::FindStatement(k.kind, QString(), false, false), source); !rs.eof(); rs.moveNext())
            names.back() << rs.field(0).toText();
    }
    SetAllSectionFlags(true);
    startWatching();
    const db::Connection previous = g_cnModel;
    g_cnModel = source;
    const compare::CompareSides sides{source, target, QStringLiteral("source"), QStringLiteral("target")};
    for (size_t i = 0; i < std::size(kinds); ++i) {
        reports::PlainProgressSink sink(0, 100000, 0);
        reports::CreateTheHTMLForAllObjects(QLatin1String(kinds[i].driverKey), names[i].join(QLatin1Char('|')), sink);
        reports::ExportAllObjects(QLatin1String(kinds[i].driverKey), names[i].join(QLatin1Char('|')), sink);
        if (*kinds[i].compareType)
            for (const QString& name : names[i])
                compare::CompareObject(sides, name, QLatin1String(kinds[i].compareType));
    }
    g_cnModel = previous;
}

} // namespace bkl::test
