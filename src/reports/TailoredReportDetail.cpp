#include "reports/TailoredReportDetail.h"

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
struct TailoredReport {
    ItemTextParts item;
    QString payeeGroupId;
    QString payeeGroupName;
    std::optional<int32_t> listId;
};

// Splits the item text and reads the report's row; a report that is not found (or
// whose payee group is missing) fails on the first field read. The id shown is the
// one of the item text.
TailoredReport readReport(const db::Connection& cn, const QString& itemText)
{
    TailoredReport report;
    report.item = SplitItemText(itemText);
    db::Recordset rs(sql::TailoredReport(report.item.name, report.item.id), cn);
    report.payeeGroupId = rs.field(QStringLiteral("PAYEEGROUPID")).toText();
    report.payeeGroupName = rs.field(QStringLiteral("PAYEEGROUPNAME")).toText();
    report.listId = ListIdOf(rs.field(QStringLiteral("LISTID")));
    rs.close();
    return report;
}
} // namespace

QString GetTailoredReportDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetTailoredReportDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        const TailoredReport report = readReport(cn, itemText);
        if (report.item.name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        return QLatin1String(kFullWidthDetailTableOpen)
            + Row(LabelCell(QStringLiteral("Report ID")) + ValueCell(HtmlText(report.item.id)))
            + Row(LabelCell(QStringLiteral("Payee Group"))
                  + ValueCell(HtmlText(report.payeeGroupId) + QStringLiteral(" - ") + HtmlText(report.payeeGroupName)))
            + Row(LabelCell(QStringLiteral("Calculation(s)"))
                  + ValueCell(CalculationListHtml(cn, report.listId), ValuePadding::None))
            + QLatin1String(kTableClose);
    });
}

QString ExportTailoredReportDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("ExportTailoredReportDetails"), QString(), [&] {
        const TailoredReport report = readReport(cn, itemText);
        if (report.item.name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        QString text = SectionSeparator() + CaptionLine(QLatin1String(kTailoredReportCaption), report.item.text);
        if (g_bTailoredReportID)
            text += ScalarSection(QStringLiteral("Report ID: "), report.item.id);
        if (g_bTailoredPayeeGroup)
            text += ScalarSection(QStringLiteral("Payee Group: "),
                                  report.payeeGroupId + QStringLiteral(" - ") + report.payeeGroupName);
        if (g_bTailoredCalculations)
            text += ScalarSection(QStringLiteral("Calculation(s): "), CalculationListText(cn, report.listId));
        return text;
    });
}

} // namespace bkl::reports
