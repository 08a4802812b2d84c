#include "compare/Comparator.h"

#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <QCoreApplication>
#include <optional>

namespace bkl::compare {

using reports::ReadCapturing;

QString RunComparison(const CompareSides& sides, const ComparedKind& kind, const QString& name,
                      const QString& existenceSql, const std::vector<CompareSection>& sections)
{
    ComparisonPage page(kind.objectTitle, name, sides);
    const auto exists = ReadCapturing([&] { return CheckIfObjectExists(existenceSql, sides.target); });
    if (exists.error)
        return page.failed(*exists.error);
    if (exists.value == 0)
        return page.notExists(kind.notExistsKind);
    page.startSections();
    std::optional<QString> sourceError;
    std::optional<QString> targetError;
    for (const CompareSection& section : sections) {
        if (kind.pumpBeforeSections)
            QCoreApplication::processEvents();
        if (!*section.flag)
            continue;
        const auto source = ReadCapturing([&] { return section.fetch(sides.source); });
        const auto target = ReadCapturing([&] { return section.fetch(sides.target); });
        if (!sourceError)
            sourceError = source.error;
        if (!targetError)
            targetError = target.error;
        page.addSection(section.label, section.openings, source.value, target.value);
    }
    if (targetError)
        return page.failed(*targetError);
    if (sourceError) {
        // Reads of an object the source model lacks find no row; only then are they its values.
        const auto inSource = ReadCapturing([&] { return CheckIfObjectExists(existenceSql, sides.source); });
        if (inSource.error || inSource.value != 0)
            return page.failed(*sourceError);
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

QString RunComparator(const QString& logName, const CompareSides& sides, const ComparedKind& kind,
                      const QString& name, const std::function<QString()>& body)
{
    try {
        return body();
    } catch (...) {
        return ComparisonPage(kind.objectTitle, name, sides).failed(reports::LogCurrentError(logName));
    }
}

} // namespace bkl::compare
