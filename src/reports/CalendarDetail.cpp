#include "reports/CalendarDetail.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/DetailSectionFlags.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/ModelRead.h"
#include "reports/RenderGuard.h"

#include <array>

namespace bkl::reports {

namespace {
constexpr int kColumnWidth = 20;
const std::array<QString, 5> kHeadings{QStringLiteral("Period Name"), QStringLiteral("Level"), QStringLiteral("Parent"),
                                       QStringLiteral("Period Start"), QStringLiteral("Period End")};

// The five texts of the current period row: name, level, parent, start, end.
std::array<QString, 5> periodRow(const db::Recordset& rs)
{
    return {rs.field(QStringLiteral("CALNAME")).toText(), rs.field(QStringLiteral("CALLEVEL")).toText(),
            rs.field(QStringLiteral("CALPARENT")).toText(), PeriodDate(rs.field(QStringLiteral("CALSTARTING"))),
            PeriodDate(rs.field(QStringLiteral("CALENDING")))};
}
} // namespace

QString CalendarPeriodHeadingRow()
{
    QString cells;
    for (const QString& h : kHeadings)
        cells += LabelCell(h);
    return Row(cells);
}

QString CalendarPeriodRow(const db::Recordset& rs)
{
    QString cells;
    for (const QString& v : periodRow(rs))
        cells += DataCell(HtmlText(v));
    return Row(cells);
}

QString GetCalendarDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetCalendarDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        const ItemTextParts parts = SplitItemText(itemText);
        db::Recordset rs(sql::CalendarPeriods(parts.id), cn);
        if (parts.name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        if (rs.eof())
            return QString();
        QString html = QLatin1String(kCentredDetailTableOpen) + CalendarPeriodHeadingRow();
        for (; !rs.eof(); rs.moveNext())
            html += CalendarPeriodRow(rs);
        rs.close();
        return html + QLatin1String(kTableClose);
    });
}

QString ExportCalendarDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("ExportCalendarDetails"), QString(), [&] {
        const QString crlf = QLatin1String(kCrLf);
        const ItemTextParts parts = SplitItemText(itemText);
        db::Recordset rs(sql::CalendarPeriods(parts.id), cn);
        if (parts.name.isEmpty())
            return QLatin1String(kNoDetails) + crlf;
        if (rs.eof())
            return crlf;
        QString text = SectionSeparator() + CaptionLine(QLatin1String(kCalendarCaption), parts.text);
        if (g_bCalendarTimeHierarchy) {
            text += QStringLiteral("Time Hierarchy: ") + crlf;
            for (const QString& h : kHeadings)
                text += PadRight(h, kColumnWidth);
            text += crlf;
            for (; !rs.eof(); rs.moveNext()) {
                for (const QString& v : periodRow(rs))
                    text += FixedColumn(v, kColumnWidth);
                text += crlf;
            }
        }
        rs.close();
        return text + crlf;
    });
}

} // namespace bkl::reports
