#include "mainwindow/ModelSummary.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"

#include <algorithm>

namespace bkl::mainwindow {
namespace {

QString Num(int32_t n) { return QString::number(n); }

const QString kRowOneOpening = QStringLiteral("<td><font color = '#000000' face='");
const QString kLaterRowOpening = QStringLiteral("<td> <font color = '#000000' face='");

QString CountCell(const QString& opening, const char* labelPiece, int32_t count)
{
    return opening + QStringLiteral("Calibri") + QStringLiteral("' size='") + QStringLiteral("2")
        + QLatin1String(labelPiece) + Num(count) + QStringLiteral("</font></td>");
}

QString EmptyCell(const QString& opening)
{
    return opening + QStringLiteral("Calibri") + QStringLiteral("' size='") + QStringLiteral("2")
        + QStringLiteral("'>&nbsp;</font></td>");
}

QString BannerLine(SummaryStyle style, const QString& modelName)
{
    const QString name = HtmlText(modelName);
    if (style == SummaryStyle::Plain)
        return QStringLiteral("<table border='0' width='100%' cellspacing='1' cellpadding='2'> ")
            + QStringLiteral("<tr valign='Center' >")
            + QStringLiteral("<td align='Center' style='border-style: double; border-width: 3px'> <b><font face='Calibri' "
                             "size='2'><b>")
            + name + QStringLiteral("</b></font></b></td>") + QStringLiteral("</tr></table><br>");
    return QStringLiteral("<table border='1' width='100%' bgcolor='#2B3856' cellspacing='2' cellpadding='3'> ")
        + QStringLiteral("<tr valign='Center' >")
        + QStringLiteral("<td align='Center' style='border-style: double; border-width: 3px'> <b><font "
                         "color='#FFFFFF' face='Calibri' size='2'><b>Model: ")
        + name + QStringLiteral("</b></font></b></td>") + QStringLiteral("</tr></table><br>");
}

QString CountTableLine(SummaryStyle style, const ModelCounts& c)
{
    const bool plain = style == SummaryStyle::Plain;
    QString line = plain ? QStringLiteral("<table border='0' width='100%' cellspacing='1' cellpadding='2' "
                                          "style='border-style: double; border-width: 3px'>")
                         : QStringLiteral("<table bgcolor = '#737CA1' border='0' width='100%' cellspacing='3' "
                                          "cellpadding='1' style='border-style: double; border-width: 3px'>");
    const QString firstCellOpening = plain ? QStringLiteral("<td><font face='") : kRowOneOpening;
    const QString& later = kLaterRowOpening;
    line += QStringLiteral("<tr>") + CountCell(firstCellOpening, "'>Tables: ", c.tables)
        + CountCell(kRowOneOpening, "'>Compensation Plans: ", c.compensationPlans)
        + CountCell(kRowOneOpening, "'>Active WEB Users: ", c.webUsers) + QStringLiteral("</tr>");
    line += QStringLiteral("<tr>") + CountCell(later, "'>Views: ", c.views)
        + CountCell(later, "'>Tailored Reports: ", c.tailoredReports)
        + CountCell(later, "'>Server Imports: ", c.serverImports) + QStringLiteral("</tr>");
    line += QStringLiteral("<tr>") + CountCell(later, "'>Calendars: ", c.calendars)
        + CountCell(later, "'>Presentor Reports: ", c.presentorReports) + EmptyCell(later) + QStringLiteral("</tr>");
    line += QStringLiteral("<tr>") + CountCell(later, "'>Calculations: ", c.calculations)
        + CountCell(later, "'>Active OPX Users: ", c.adminUsers) + EmptyCell(later) + QStringLiteral("</tr>");
    return line + QStringLiteral("</table>");
}

} // namespace

QStringList SummaryCountSql(SummaryStyle style)
{
    const bool plain = style == SummaryStyle::Plain;
    return {
        QStringLiteral("SELECT COUNT(1)  FROM CustomTable WHERE TableType <> 'View' "),
        QStringLiteral("SELECT COUNT(1)  FROM CustomTable WHERE TableType = 'View' "),
        QStringLiteral("SELECT COUNT(1) FROM Calculation "),
        QStringLiteral("SELECT COUNT(1) FROM TimeCalendar"),
        plain ? QStringLiteral("SELECT COUNT(1) FROM CompPlan ") : QStringLiteral("SELECT COUNT(1) FROM CompPlan"),
        plain ? QStringLiteral("SELECT COUNT(1) FROM TailoredReport ")
              : QStringLiteral("SELECT COUNT(1) FROM TailoredReport"),
        QStringLiteral("SELECT COUNT(1) FROM WebReport"),
        plain ? QStringLiteral("SELECT COUNT(1) FROM [Admin] ") : QStringLiteral("SELECT COUNT(1) FROM [Admin]"),
        QStringLiteral("SELECT COUNT(1) FROM [Users]"),
        QStringLiteral("SELECT COUNT(1) FROM [Import] WHERE IsLocal = 0"),
    };
}

ModelCounts ReadModelCounts(SummaryStyle style, const std::function<int32_t(const QString&)>& count)
{
    const QStringList sql = SummaryCountSql(style);
    ModelCounts c;
    int32_t* fields[] = {&c.tables,           &c.views,      &c.calculations, &c.calendars,
                         &c.compensationPlans, &c.tailoredReports, &c.presentorReports,
                         &c.adminUsers,       &c.webUsers,   &c.serverImports};
    for (int i = 0; i < sql.size(); ++i)
        *fields[i] = count(sql[i]);
    return c;
}

QString SummaryPageText(SummaryStyle style, const QString& modelName, const ModelCounts& counts)
{
    const QString crLf = QLatin1String(kCrLf);
    return QStringLiteral("<html><body>") + crLf
        + QStringLiteral("<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>") + crLf
        + BannerLine(style, modelName) + crLf + CountTableLine(style, counts) + crLf + QStringLiteral("</body>")
        + crLf + QStringLiteral("</html>") + crLf;
}

QString SummaryPagePath() { return ApplicationFolderPath(QStringLiteral("temp")) + QStringLiteral("_temp_01.html"); }

ChartDataArray SummaryChartData(const ModelCounts& c)
{
    auto row = [](const char* label, int32_t n) {
        return std::array<QVariant, 2>{QVariant(QLatin1String(label) + Num(n)), QVariant(n)};
    };
    return {
        {QVariant(QString()), QVariant(QStringLiteral("Objects"))},
        row("Tables - ", c.tables),
        row("Views - ", c.views),
        row("Calculations - ", c.calculations),
        row("Plans - ", c.compensationPlans),
        row("Active WEB Users - ", c.webUsers),
        row("Tailored Reports - ", c.tailoredReports),
        row("Server Imports - ", c.serverImports),
        row("Calendars - ", c.calendars),
        row("Presentor Reports - ", c.presentorReports),
    };
}

CountAxis WholeNumberAxis(int64_t largestCount)
{
    const int64_t largest = std::max<int64_t>(largestCount, 1);
    int64_t step = 1;
    for (int64_t power = 1; step * 5 < largest; power *= 10)
        for (const int64_t multiple : {1, 2, 5}) {
            step = multiple * power;
            if (step * 5 >= largest)
                break;
        }
    return {(largest + step - 1) / step * step, step};
}

} // namespace bkl::mainwindow
