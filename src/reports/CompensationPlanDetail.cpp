#include "reports/CompensationPlanDetail.h"

#include "platform/core/Escaping.h"
#include "platform/db/Recordset.h"
#include "reports/CalculationList.h"
#include "reports/DetailSectionFlags.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/ModelRead.h"
#include "reports/RenderGuard.h"

namespace bkl::reports {

namespace {
struct Plan {
    ItemTextParts item;
    QString payeeGroupId;
    QString payeeGroupName;
    QString comment;
    std::optional<int32_t> listId;
};

// Splits the item text and reads the plan's row; a plan that is not found (or
// whose payee group is missing) fails on the first field read.
Plan readPlan(const db::Connection& cn, const QString& itemText)
{
    Plan plan;
    plan.item = SplitItemText(itemText);
    db::Recordset rs(sql::CompensationPlan(plan.item.name, plan.item.id), cn);
    plan.payeeGroupId = rs.field(QStringLiteral("PAYEEGROUPID")).toText();
    plan.payeeGroupName = rs.field(QStringLiteral("PAYEEGROUPNAME")).toText();
    plan.comment = rs.field(QStringLiteral("COMMENTS")).toText();
    plan.listId = ListIdOf(rs.field(QStringLiteral("LISTID")));
    rs.close();
    return plan;
}
} // namespace

QString GetCompensationPlanDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetCompensationPlanDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        const Plan plan = readPlan(cn, itemText);
        if (plan.item.name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        return QLatin1String(kFullWidthDetailTableOpen)
            + Row(LabelCell(QStringLiteral("Plan ID")) + ValueCell(HtmlText(plan.item.id)))
            + Row(LabelCell(QStringLiteral("Payee Group"))
                  + ValueCell(HtmlText(plan.payeeGroupId) + QStringLiteral(" - ") + HtmlText(plan.payeeGroupName)))
            + Row(LabelCell(QStringLiteral("Comments")) + ValueCell(HtmlText(plan.comment), ValuePadding::LeadingOnly))
            + Row(LabelCell(QStringLiteral("Calculation(s)")) + ValueCell(CalculationListHtml(cn, plan.listId), ValuePadding::None))
            + QLatin1String(kTableClose);
    });
}

QString ExportCompensationPlanDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("ExportCompensationPlanDetails"), QString(), [&] {
        const Plan plan = readPlan(cn, itemText);
        if (plan.item.name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        QString text = SectionSeparator() + CaptionLine(QLatin1String(kCompensationPlanCaption), plan.item.text);
        if (g_bPlanID)
            text += ScalarSection(QStringLiteral("Plan ID: "), plan.item.id);
        if (g_bPlanPayeeGroup)
            text += ScalarSection(QStringLiteral("Payee Group: "), plan.payeeGroupId + QStringLiteral(" - ") + plan.payeeGroupName);
        if (g_bPlanComments)
            text += ScalarSection(QStringLiteral("Comments: "), plan.comment);
        if (g_bPlanCalculations)
            text += ScalarSection(QStringLiteral("Calculation(s): "), CalculationListText(cn, plan.listId));
        return text;
    });
}

} // namespace bkl::reports
