#include "mainwindow/AuditTracePage.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/Fragments.h"
#include "shell/Log.h"

#include <QLocale>
#include <array>
#include <exception>

namespace bkl::mainwindow {
namespace {

QString Lines(std::initializer_list<QString> lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String(kCrLf);
    return text;
}

enum class CellValue { Serial, Text, Time };

// The six columns: width, whether centred, header caption, what the cell shows and the field it reads.
struct AuditColumn {
    const char* width;
    bool centred;
    const char* caption;
    CellValue value;
    const char* field;
};

constexpr std::array<AuditColumn, 6> kColumns{{
    {"8%", true, "Serial No", CellValue::Serial, nullptr},
    {"10%", true, "User ID", CellValue::Text, "AUDITUSERID"},
    {"8%", true, "Module", CellValue::Text, "AUDITMODULE"},
    {"15%", true, "Event", CellValue::Text, "AUDITEVENT"},
    {"22%", true, "Time", CellValue::Time, "AUDITTIME"},
    {"37%", false, "Message", CellValue::Text, "AUDITMESSAGE"},
}};

QString CellText(const db::Recordset& rs, const AuditColumn& column, long serial)
{
    switch (column.value) {
    case CellValue::Serial: return QString::number(serial);
    case CellValue::Time: return HtmlText(AuditTimeText(rs.field(QLatin1String(column.field))));
    case CellValue::Text: break;
    }
    return HtmlText(rs.field(QLatin1String(column.field)).toText());
}

QString CellStart(const AuditColumn& column)
{
    return (column.centred ? QStringLiteral("<td align = 'center' width='") : QStringLiteral("<td width='"))
           + QLatin1String(column.width) + QLatin1Char('\'');
}

QString FontFaceAndSize()
{
    return QLatin1String(reports::kFontFace) + QStringLiteral("' size='") + QLatin1String(reports::kFontSize);
}

QString HeaderCell(const AuditColumn& column)
{
    return CellStart(column) + QStringLiteral(" ><b><font  face='") + FontFaceAndSize() + QStringLiteral("'>")
           + QLatin1String(column.caption) + QStringLiteral("</font></b></td>");
}

QString DataCell(const AuditColumn& column, const QString& value)
{
    return CellStart(column) + QStringLiteral(">&nbsp;<font  face='") + FontFaceAndSize() + QStringLiteral("'>")
           + value + QStringLiteral("&nbsp;</font></td>");
}

} // namespace

QString AuditTracePagePath() { return ApplicationFolderPath(QStringLiteral("temp")) + QStringLiteral("_temp_04.html"); }

QString AuditEmptyPageText()
{
    return Lines({QStringLiteral("<html><body>"),
                  QStringLiteral("<p align='center'><b><font face='Calibri' size='3'>&nbsp;Audit Log</font></b></p>"),
                  QStringLiteral("</body></html>")});
}

QString AuditTracePageText(const QString& auditTable)
{
    return Lines({QStringLiteral("<html><body>"),
                  QStringLiteral("<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>"), auditTable,
                  QStringLiteral("</body>"), QStringLiteral("</html>")});
}

QString AuditTimeText(const db::Value& time)
{
    QDateTime dateTime;
    if (time.type() == db::Value::Type::DateTime) {
        dateTime = time.toDateTime();
    } else if (time.type() == db::Value::Type::Text) {
        dateTime = QDateTime::fromString(time.toText(), Qt::ISODate);
        if (!dateTime.isValid())
            dateTime = QDateTime::fromString(time.toText(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    if (!dateTime.isValid())
        return time.toText();
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(dateTime, QStringLiteral("MM/dd/yyyy hh:mm:ss AP"));
}

QString AuditTableHtml(const db::Connection& cn, const QString& sql, const AuditRowCallback& onRow)
{
    db::Recordset rs(sql, cn);
    QString html = QLatin1String(reports::kFullWidthDetailTableOpen) + QLatin1String(reports::kRowOpen);
    for (const AuditColumn& column : kColumns)
        html += HeaderCell(column);
    html += QLatin1String(reports::kRowClose);

    // The serial number of a record is its running count.
    long count = 0;
    while (!rs.eof()) {
        ++count;
        html += QLatin1String(reports::kRowOpen);
        for (const AuditColumn& column : kColumns)
            html += DataCell(column, CellText(rs, column, count));
        html += QLatin1String(reports::kRowClose);
        rs.moveNext();
        if (onRow)
            onRow(count);
    }
    rs.close();
    return html + QLatin1String(reports::kTableClose);
}

AuditLogResult GetAuditLog(const db::Connection& cn, const QString& sql, const AuditRowCallback& onRow)
{
    AuditLogResult result;
    try {
        result.html = AuditTableHtml(cn, sql, onRow);
        return result;
    } catch (const db::DbError& e) {
        result.failure = e;
    } catch (const std::exception& e) {
        result.failure = db::DbError(db::err::ProviderError, QLatin1String(db::kDataLayerSource),
                                     QString::fromLocal8Bit(e.what()));
    }
    LogFunctionError(QStringLiteral("GetAuditLog"), result.failure->number(), result.failure->description());
    result.html = QLatin1String(reports::kErrorSpacer);
    return result;
}

} // namespace bkl::mainwindow
