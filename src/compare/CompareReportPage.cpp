#include "compare/CompareReportPage.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"

namespace bkl::compare {
namespace {

const QString kFace = QStringLiteral("Calibri");
const QString kSize = QStringLiteral("2");

// A bold row over the table's three columns.
QString BannerRow(const QString& text)
{
    return QStringLiteral("<tr ><td colspan='3'><b><font  face='") + kFace + QStringLiteral("' size='") + kSize
        + QStringLiteral("'>") + text + QStringLiteral("</font></b></td></tr>");
}

QString HeaderCell(const QString& caption)
{
    return QStringLiteral("<td> <b><font  face='") + kFace + QStringLiteral("' size='") + kSize + QStringLiteral("'>")
        + caption + QStringLiteral("</font></b></td>");
}

QString TextCell(const QString& text)
{
    return QStringLiteral("<td> <font  face='") + kFace + QStringLiteral("' size='") + kSize + QStringLiteral("'>")
        + HtmlText(text) + QStringLiteral("</font></td>");
}

QString StatusCell(const QString& status)
{
    const QString trimmed = Trim(status);
    QString colour = QStringLiteral("#000000");
    if (trimmed == QLatin1String("Mismatch"))
        colour = QStringLiteral("#FF0000");
    else if (trimmed == QLatin1String("Identical"))
        colour = QStringLiteral("#00FF00");
    else if (trimmed == QLatin1String("Not Exists"))
        colour = QStringLiteral("#0000A0");
    else if (trimmed == QLatin1String("Error"))
        colour = QStringLiteral("#C05000");
    return QStringLiteral("<td> <font  color = '") + colour + QStringLiteral("' face='") + kFace
        + QStringLiteral("' size='") + kSize + QStringLiteral("'>") + HtmlText(trimmed)
        + QStringLiteral("</font></td>");
}

} // namespace

QString NotStartedPage()
{
    return QStringLiteral("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' "
                          "width='100%'  cellspacing='0' cellpadding='0'>")
        + BannerRow(QStringLiteral("** Compare Status: Not Started")) + QStringLiteral("</table>");
}

QString StatusSummaryTable(const QString& sourceModel, const QString& targetModel,
                           const std::vector<CompareRowTexts>& rows, const std::function<void()>& afterRow)
{
    QString html = QStringLiteral("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' "
                                  "width='80%'  cellspacing='0' cellpadding='0'>")
        + BannerRow(QStringLiteral("Source Model: ") + HtmlText(sourceModel))
        + BannerRow(QStringLiteral("Target Model: ") + HtmlText(targetModel)) + QStringLiteral("<tr>")
        + HeaderCell(QStringLiteral("Object Name")) + HeaderCell(QStringLiteral("Object Type"))
        + HeaderCell(QStringLiteral("Compare Status")) + QStringLiteral("</tr>");
    for (const CompareRowTexts& row : rows) {
        html += QStringLiteral("<tr>") + TextCell(row.name) + TextCell(row.type) + StatusCell(row.status)
            + QStringLiteral("</tr>");
        if (afterRow)
            afterRow();
    }
    return html + QStringLiteral("</table>");
}

QString CompareReportPageText(const QString& fragment)
{
    const QString crlf = QLatin1String(kCrLf);
    return QStringLiteral("<html><body>") + crlf + QStringLiteral("<br><br>") + crlf + fragment + crlf
        + QStringLiteral("</body></html>") + crlf;
}

QString CompareReportPagePath() { return ApplicationFolderPath(QStringLiteral("temp")) + QStringLiteral("_temp_03.html"); }

} // namespace bkl::compare
