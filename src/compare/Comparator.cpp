#include "compare/Comparator.h"

#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/Recordset.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

namespace bkl::compare {

QString RunComparison(const CompareSides& sides, const ComparedKind& kind, const QString& name,
                      const QString& existenceSql, const std::vector<CompareSection>& sections)
{
    ComparisonPage page(kind.objectTitle, name, sides);
    if (CheckIfObjectExists(existenceSql, sides.target) == 0)
        return page.notExists(kind.notExistsKind);
    page.startSections();
    for (const CompareSection& section : sections) {
        if (kind.pumpBeforeSections)
            PumpWhenDue();
        if (!*section.flag)
            continue;
        const QString source = section.fetch(sides.source);
        const QString target = section.fetch(sides.target);
        page.addSection(section.label, section.openings, source, target);
    }
    return page.finish();
}

int32_t CheckIfObjectExists(const QString& sql, const db::Connection& cn)
{
    try {
        db::Recordset rs(sql, cn);
        int32_t count = 0;
        for (; !rs.eof(); rs.moveNext())
            count = CLng(rs.field(0).toDouble());
        rs.close();
        return count;
    } catch (...) {
        reports::LogCurrentErrorAfter(QStringLiteral("Function: CheckIfObjectExists() -> Code: "));
        return 0;
    }
}

QString RunComparator(const QString& logName, const std::function<QString()>& body)
{
    return reports::RunGuarded(logName, QString::fromLatin1(reports::kErrorSpacer), body);
}

} // namespace bkl::compare
