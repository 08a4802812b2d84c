#include "compare/CalendarComparator.h"

#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "compare/SectionCells.h"
#include "platform/db/Recordset.h"
#include "reports/CalendarDetail.h"
#include "reports/DetailSectionFlags.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

namespace bkl::compare {

namespace {
constexpr char kPeriodTableOpen[] = "<table border='0' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' "
                                    "width='100%'  cellspacing='0' cellpadding='0'>";
} // namespace

QString CompareCalendarDetails(const db::Connection& cn, const QString& timeId)
{
    return reports::RunGuarded(QStringLiteral("CompareCalendarDetails"), QString::fromLatin1(reports::kErrorSpacer), [&] {
        db::Recordset rs(reports::sql::CalendarPeriods(timeId), cn);
        QString html = QLatin1String(kPeriodTableOpen) + reports::CalendarPeriodHeadingRow();
        for (; !rs.eof(); rs.moveNext())
            html += reports::CalendarPeriodRow(rs);
        rs.close();
        return html + QLatin1String(reports::kTableClose);
    });
}

QString CompareCalendars(const CompareSides& sides, const QString& itemText)
{
    const ComparedKind kind{QStringLiteral("Calendar: "), QStringLiteral("Calendar"), false};
    return RunComparator(QStringLiteral("CompareCalendars"), sides, kind, itemText, [&] {
        const reports::ItemTextParts parts = reports::SplitItemText(itemText);
        const std::vector<CompareSection> sections{
            {&g_bCalendarTimeHierarchy, QStringLiteral("Time Hierarchy:"), cells::TopAlignedRed(),
             [&](const db::Connection& cn) { return CompareCalendarDetails(cn, parts.id); }},
        };
        return RunComparison(sides, kind, itemText, sql::CalendarExists(parts.name, parts.id), sections);
    });
}

} // namespace bkl::compare
