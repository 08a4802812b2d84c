#include "mainwindow/AuditTracePage.h"

#include "mainwindow/ReportPageFile.h"
#include "mainwindow/RunFailure.h"

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

// What a data cell holds before its value; the same for every record.
QString DataCellOpening(const AuditColumn& column)
{
    return CellStart(column) + QStringLiteral(">&nbsp;<font  face='") + FontFaceAndSize() + QStringLiteral("'>");
}

constexpr char kDataCellClosing[] = "&nbsp;</font></td>";

// The position of a column of the statement, by its name; an unknown name fails as a read by name does.
int ColumnIndex(const db::Recordset& rs, const char* name)
{
    for (int i = 0; i < rs.fieldCount(); ++i)
        if (rs.fieldName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    rs.field(QLatin1String(name));
    return -1;
}

// The page is written in parts of about this many characters.
constexpr qsizetype kChunkChars = 64 * 1024;

} // namespace

QString AuditTracePagePath() { return ApplicationFolderPath(QStringLiteral("temp")) + QStringLiteral("_temp_04.html"); }

QString AuditEmptyPageText()
{
    return Lines({QStringLiteral("<html><body>"),
                  QStringLiteral("<p align='center'><b><font face='Calibri' size='3'>&nbsp;Audit Log</font></b></p>"),
                  QStringLiteral("</body></html>")});
}

QString AuditTimeText(const db::Value& time)
{
    return AuditTimeText(time, QLocale(QLocale::English, QLocale::UnitedStates));
}

QString AuditTimeText(const db::Value& time, const QLocale& enUs)
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
    return enUs.toString(dateTime, QStringLiteral("MM/dd/yyyy hh:mm:ss AP"));
}

void WriteAuditTable(ReportPageFile& page, const db::Connection& cn, const QString& sql, const AuditRowCallback& onRow)
{
    db::Recordset rs;
    rs.openForwardOnly(sql, cn);
    QString html = QLatin1String(reports::kFullWidthDetailTableOpen) + QLatin1String(reports::kRowOpen);
    for (const AuditColumn& column : kColumns)
        html += HeaderCell(column);
    html += QLatin1String(reports::kRowClose);

    // Built once per run: the cells' constant openings, the columns' positions and the time's locale.
    std::array<QString, kColumns.size()> openings;
    std::array<int, kColumns.size()> fields{};
    for (size_t c = 0; c < kColumns.size(); ++c)
        openings[c] = DataCellOpening(kColumns[c]);
    if (!rs.eof())
        for (size_t c = 0; c < kColumns.size(); ++c)
            fields[c] = kColumns[c].field ? ColumnIndex(rs, kColumns[c].field) : -1;
    const QLocale enUs(QLocale::English, QLocale::UnitedStates);

    // The serial number of a record is its running count.
    long count = 0;
    for (; !rs.eof(); rs.moveNext()) {
        ++count;
        html += QLatin1String(reports::kRowOpen);
        for (size_t c = 0; c < kColumns.size(); ++c) {
            html += openings[c];
            switch (kColumns[c].value) {
            case CellValue::Serial: html += QString::number(count); break;
            case CellValue::Time: html += HtmlText(AuditTimeText(rs.field(fields[c]), enUs)); break;
            case CellValue::Text: html += HtmlText(rs.field(fields[c]).toText()); break;
            }
            html += QLatin1String(kDataCellClosing);
        }
        html += QLatin1String(reports::kRowClose);
        if (html.size() >= kChunkChars) {
            page.write(html);
            html.truncate(0);
        }
        if (onRow)
            onRow(count);
    }
    rs.close();
    page.write(html + QLatin1String(reports::kTableClose));
}

std::optional<db::DbError> GetAuditLog(ReportPageFile& page, const db::Connection& cn, const QString& sql,
                                       const AuditRowCallback& onRow)
{
    const qint64 tableStart = page.size();
    std::exception_ptr pageFailure;
    const std::optional<db::DbError> failure = RunLoggingFailure(QStringLiteral("GetAuditLog"), [&] {
        try {
            WriteAuditTable(page, cn, sql, onRow);
        } catch (const PageFileError&) {
            pageFailure = std::current_exception();
        }
    });
    if (pageFailure)
        std::rethrow_exception(pageFailure);
    if (failure) {
        page.truncate(tableStart);
        page.write(QLatin1String(reports::kErrorSpacer));
    }
    return failure;
}

std::optional<db::DbError> WriteAuditTracePage(const QString& path, const db::Connection& cn, const QString& sql,
                                               const AuditRowCallback& onRow)
{
    ReportPageFile page(path);
    page.writeLine(QStringLiteral("<html><body>"));
    page.writeLine(QStringLiteral("<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>"));
    const std::optional<db::DbError> failure = GetAuditLog(page, cn, sql, onRow);
    page.writeLine(QString());
    page.writeLine(QStringLiteral("</body>"));
    page.writeLine(QStringLiteral("</html>"));
    page.close();
    return failure;
}

} // namespace bkl::mainwindow
