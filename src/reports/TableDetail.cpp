#include "reports/TableDetail.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/DetailSectionFlags.h"
#include "reports/DetailSql.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <algorithm>

namespace bkl::reports {

namespace {
constexpr int kColumnWidth = 50;
const QString kListType = QStringLiteral("List");

// The wide bold cell of the type and count rows.
QString wideCellOpen() { return QStringLiteral("<td colspan='3' width='100%' ><b>") + FontOpen(); }
const QString kBoldCellClose = QStringLiteral("</font></b></td>");
const QString kSpacedRowOpen = QStringLiteral("<tr >");

// The reference of a column: looked up only for the exact type "List".
bool isListColumn(const QString& dataType) { return dataType == kListType; }

// The start both table renderers share: the table's column listing and its row
// count are read first; an empty name gives the "no details" text and a table
// without columns an empty text, else `render(name, columns, count)` does.
template <typename Render>
QString withTableColumns(const db::Connection& cn, const QString& itemText, Render&& render)
{
    const QString name = Trim(itemText);
    db::Recordset rs(sql::TableColumns(name), cn);
    const int64_t count = GetTableCountUsingSYSTables(cn, name);
    if (name.isEmpty())
        return QString::fromLatin1(kNoDetails);
    if (rs.eof())
        return QString();
    return render(name, rs, count);
}
} // namespace

QString TableColumnsHeadingRow()
{
    return Row(LabelCell(QStringLiteral("Column"), QStringLiteral("40%"))
               + LabelCell(QStringLiteral("Data Type"), QStringLiteral("20%"))
               + LabelCell(QStringLiteral("Reference"), QStringLiteral("40%")));
}

QString TableColumnRow(const db::Connection& cn, const QString& tableName, const QString& column,
                       const QString& dataType, const QString& referenceLogName, RowOrder order)
{
    const QString reference = isListColumn(dataType)
        ? HtmlText(GetReferenceTableAndColumn(cn, tableName, column, referenceLogName, order))
        : QString::fromLatin1(kNbsp);
    return Row(DataCell(HtmlText(column), QStringLiteral("40%")) + DataCell(HtmlText(dataType), QStringLiteral("20%"))
               + DataCell(reference, QStringLiteral("40%")));
}

int64_t GetTableCountUsingSYSTables(const db::Connection& cn, const QString& tableName, const QString& logName)
{
    return RunGuarded<int64_t>(logName, 0, [&] {
        db::Recordset rs(sql::TableRowCount(Trim(tableName)), cn);
        const int64_t count = rs.field(QStringLiteral("RowCount")).toInt64();
        rs.close();
        return count;
    });
}

QString GetReferenceTableAndColumn(const db::Connection& cn, const QString& tableName, const QString& columnName,
                                   const QString& logName, RowOrder order)
{
    return RunGuarded(logName, QStringLiteral(" "), [&] {
        db::Recordset rs(sql::ReferenceTableAndColumn(Trim(tableName), Trim(columnName)), cn);
        const auto reference = [&] {
            return rs.field(QStringLiteral("REFERENCEDTABLE")).toText() + QLatin1Char('.')
                + rs.field(QStringLiteral("REFERENCECOLUMN")).toText();
        };
        QString ref = reference(); // no reference row: the read fails
        // The statement has no ORDER BY: of several rows the first in text order.
        if (order == RowOrder::ByText)
            for (rs.moveNext(); !rs.eof(); rs.moveNext())
                ref = std::min(ref, reference());
        rs.close();
        return ref;
    });
}

QString GetTableDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetTableDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        return withTableColumns(cn, itemText, [&](const QString& name, db::Recordset& rs, int64_t count) {
            QString html = QLatin1String(kCentredDetailTableOpen);
            html += kSpacedRowOpen + wideCellOpen() + QStringLiteral("Table Type: ")
                + HtmlText(rs.field(QStringLiteral("TABLETYPE")).toText()) + kBoldCellClose + QLatin1String(kRowClose);
            html += kSpacedRowOpen + wideCellOpen();
            if (count > 0)
                html += QStringLiteral("Record Count : ") + GroupedNumber(count) + QStringLiteral(" (approx.)")
                    + kBoldCellClose;
            else
                html += QStringLiteral("Record Count : 0") + kBoldCellClose;
            html += QLatin1String(kRowClose);
            html += TableColumnsHeadingRow();
            while (!rs.eof()) {
                html += TableColumnRow(cn, name, rs.field(QStringLiteral("COLUMNNAME")).toText(),
                                       rs.field(QStringLiteral("COLUMNDATATYPE")).toText());
                rs.moveNext();
            }
            html += QLatin1String(kTableClose);
            rs.close();
            return html;
        });
    });
}

QString ExportTableDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("ExportTableDetails"), QString(), [&] {
        return withTableColumns(cn, itemText, [&](const QString& name, db::Recordset& rs, int64_t count) {
            const QString crlf = QLatin1String(kCrLf);
            QString text = SectionSeparator(kTableSeparatorWidth) + CaptionLine(QLatin1String(kTableCaption), name);
            if (g_bTableType)
                text += ScalarSection(QStringLiteral("Table Type: "), rs.field(QStringLiteral("TABLETYPE")).toText());
            if (g_bTableRecordCount)
                text += ScalarSection(QStringLiteral("Record Count: "),
                                      count < 1 ? QStringLiteral("0") : GroupedNumber(count));
            if (g_bTableColumns) {
                text += PadRight(QStringLiteral("Column"), kColumnWidth)
                    + PadRight(QStringLiteral("Data Type"), kColumnWidth)
                    + PadRight(QStringLiteral("Reference"), kColumnWidth) + crlf;
                while (!rs.eof()) {
                    const QString column = rs.field(QStringLiteral("COLUMNNAME")).toText();
                    const QString dataType = rs.field(QStringLiteral("COLUMNDATATYPE")).toText();
                    const QString reference =
                        isListColumn(dataType) ? GetReferenceTableAndColumn(cn, name, column) : QStringLiteral(" ");
                    text += FixedColumn(column, kColumnWidth) + FixedColumn(dataType, kColumnWidth)
                        + FixedColumn(reference, kColumnWidth) + crlf;
                    rs.moveNext();
                }
            }
            text += crlf;
            rs.close();
            return text;
        });
    });
}

} // namespace bkl::reports
