#include "compare/TableComparator.h"

#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "compare/SectionCells.h"
#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"
#include "reports/TableDetail.h"

namespace bkl::compare {

namespace {
const QString kNbsp = QString::fromLatin1(reports::kNbsp);
} // namespace

QString CompareTableGetTableType(const db::Connection& cn, const QString& tableName)
{
    return reports::RunGuarded(QStringLiteral("CompareTableGetTableType"), kNbsp, [&] {
        db::Recordset rs(sql::TableType(Trim(tableName)), cn);
        const QString type = HtmlText(rs.field(QStringLiteral("TABLETYPE")).toText());
        rs.close();
        return type;
    });
}

int64_t CompareTableGetRecCountUsingSYSTables(const db::Connection& cn, const QString& tableName)
{
    return reports::GetTableCountUsingSYSTables(cn, tableName,
                                                QStringLiteral("CompareTableGetRecCountUsingSYSTables"));
}

QString CompareTableGetColumns(const db::Connection& cn, const QString& tableName)
{
    return reports::RunGuarded(QStringLiteral("CompareTableGetColumns"), kNbsp, [&] {
        db::Recordset rs(sql::TableColumnTypes(Trim(tableName)), cn);
        QString html = QStringLiteral("<table border='0' width='100%'  cellspacing='0' cellpadding='0'>")
            + reports::TableColumnsHeadingRow();
        for (; !rs.eof(); rs.moveNext())
            html += reports::TableColumnRow(cn, tableName, rs.field(QStringLiteral("COLUMNNAME")).toText(),
                                            rs.field(QStringLiteral("COLUMNDATATYPE")).toText(),
                                            QStringLiteral("CompareGetReferenceTableAndColumn"),
                                            reports::RowOrder::ByText);
        rs.close();
        return html + QLatin1String(reports::kTableClose);
    });
}

QString CompareTables(const CompareSides& sides, const QString& name)
{
    const ComparedKind kind{QStringLiteral("Table Name: "), QStringLiteral("Table"), true};
    return RunComparator(QStringLiteral("CompareTables"), sides, kind, name, [&] {
        const std::vector<CompareSection> sections{
            {&g_bTableType, QStringLiteral("Table Type:"), cells::TableType(),
             [&](const db::Connection& cn) { return CompareTableGetTableType(cn, name); }},
            {&g_bTableRecordCount, QStringLiteral("Record Count:"), cells::RecordCount(),
             [&](const db::Connection& cn) { return GroupedNumber(CompareTableGetRecCountUsingSYSTables(cn, name)); }},
            {&g_bTableColumns, QStringLiteral("Columns:"), cells::TopAlignedWhite(),
             [&](const db::Connection& cn) { return CompareTableGetColumns(cn, name); }},
        };
        return RunComparison(sides, kind, name, sql::TableExists(name), sections);
    });
}

} // namespace bkl::compare
