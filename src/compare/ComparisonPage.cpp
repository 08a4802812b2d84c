#include "compare/ComparisonPage.h"

#include "platform/core/Escaping.h"
#include "reports/Fragments.h"

namespace bkl::compare {

using reports::FontOpen;
using reports::LabelCell;
using reports::Row;

QString TitleRow(const QString& text)
{
    return QStringLiteral("<tr ><td colspan='3'><b>") + FontOpen() + text + QStringLiteral("</font></b></td></tr>");
}

QString NotExistsRow(const QString& kind)
{
    return QStringLiteral("<tr><td Colspan='3' bgcolor = '#FF8040'><b>") + FontOpen() + QStringLiteral("** ") + kind
        + QStringLiteral(" Not exists in target model **</font></b></td></tr>");
}

QString ErrorRow(const QString& errorLine)
{
    return QStringLiteral("<tr><td Colspan='3'><b><font  color = '#C05000' face='") + QLatin1String(reports::kFontFace)
        + QStringLiteral("' size='") + QLatin1String(reports::kFontSize) + QStringLiteral("'>") + HtmlText(errorLine)
        + QStringLiteral("</font></b></td></tr>");
}

QString SourceTargetHeaderRow()
{
    return Row(LabelCell(QLatin1String(reports::kNbsp), QStringLiteral("10%"))
               + LabelCell(QStringLiteral("SOURCE"), QStringLiteral("45%"))
               + LabelCell(QStringLiteral("TARGET"), QStringLiteral("45%")));
}

QString ValueCellWith(const QString& opening, const QString& value)
{
    return opening + QLatin1String(reports::kFontFace) + QStringLiteral("' size='") + QLatin1String(reports::kFontSize)
        + QStringLiteral("'>") + value + QStringLiteral("</font></td>");
}

ComparisonPage::ComparisonPage(const QString& objectTitle, const QString& name, const CompareSides& sides)
    : titles_(QLatin1String(kComparisonTableOpen) + TitleRow(objectTitle + HtmlText(name))
              + TitleRow(QStringLiteral("Source Model: ") + HtmlText(sides.sourceCaption))
              + TitleRow(QStringLiteral("Target Model: ") + HtmlText(sides.targetCaption))),
      html_(titles_)
{
}

QString ComparisonPage::failed(const QString& errorLine) const
{
    return QLatin1String(kStatusError) + titles_ + ErrorRow(errorLine) + QLatin1String(reports::kTableClose);
}

QString ComparisonPage::notExists(const QString& kind)
{
    return QLatin1String(kStatusNotExists) + html_ + NotExistsRow(kind) + QLatin1String(reports::kTableClose);
}

void ComparisonPage::startSections() { html_ += SourceTargetHeaderRow(); }

void ComparisonPage::addSection(const QString& label, const CellOpenings& openings, const QString& source,
                                const QString& target)
{
    const bool equal = target == source;
    differs_ = differs_ || !equal;
    html_ += Row(LabelCell(label, QStringLiteral("10%")) + ValueCellWith(openings.source, source)
                 + ValueCellWith(equal ? openings.equal : openings.differing, target));
}

QString ComparisonPage::finish() const
{
    return QLatin1String(differs_ ? kStatusMismatch : kStatusIdentical) + html_ + QLatin1String(reports::kTableClose);
}

} // namespace bkl::compare
