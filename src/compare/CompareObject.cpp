#include "compare/CompareObject.h"

#include "compare/CalculationComparator.h"
#include "compare/CalendarComparator.h"
#include "compare/PresentorReportComparator.h"
#include "compare/TableComparator.h"
#include "compare/ViewComparator.h"

namespace bkl::compare {

QString CompareObject(const db::Connection& source, const db::Connection& target, const QString& name,
                      const QString& kind)
{
    return CompareObject(CompareSides{source, target, ModelCaption(source), ModelCaption(target)}, name, kind);
}

QString CompareObject(const CompareSides& sides, const QString& name, const QString& kind)
{
    if (kind == QLatin1String("TABLE"))
        return CompareTables(sides, name);
    if (kind == QLatin1String("VIEW"))
        return CompareViews(sides, name);
    if (kind == QLatin1String("CALENDAR"))
        return CompareCalendars(sides, name);
    if (kind == QLatin1String("CALCULATION"))
        return CompareCalculations(sides, name);
    if (kind == QLatin1String("PRESENTOR REPORT"))
        return ComparePresentorReports(sides, name);
    return QString();
}

} // namespace bkl::compare
