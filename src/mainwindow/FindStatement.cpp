#include "mainwindow/FindStatement.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {
namespace {

// How one kind's statement is put together: a fixed head, then either
// "ORDER BY ColName" (unfiltered, after `unfilteredWhere`) or the joiner, the
// name filter and "ORDER BY ColName".
struct KindStatement {
    const char* select;          // up to and including FROM <table>
    const char* unfilteredWhere; // " WHERE ... " or " " before ORDER BY
    const char* filteredHead;    // the text after FROM <table> that leads to the filter
    const char* nameColumn;      // "TableName" or "[Name]"
    bool closingBlankOnWholeMatch; // whether "= '<t>'" is followed by a blank
    const char* neitherLead;     // text before UPPER(...) LIKE in the last form
};

const KindStatement& Statement(ObjectKind kind)
{
    static const std::array<KindStatement, 7> statements = {{
        {"SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable", " WHERE TableType <> 'View' ",
         " WHERE TableType <> 'View' AND ", "TableName", false, ""},
        {"SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable", " WHERE TableType = 'View' ",
         " WHERE TableType = 'View' AND ", "TableName", false, ""},
        {"SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time]", " WHERE Parent IS NULL ",
         " WHERE Parent IS NULL AND ", "[Name]", false, ""},
        {"SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation", " ", " WHERE 1 = 1 AND ", "[Name]", true,
         ""},
        {"SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM CompPlan", " ",
         " WHERE 1 = 1 AND ", "[Name]", true, ""},
        {"SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport", " ",
         " WHERE 1 = 1 AND ", "[Name]", true, ""},
        {"SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport", " ", " WHERE ", "[Name]", true, " "},
    }};
    return statements[static_cast<size_t>(kind)];
}

} // namespace

QString FindStatement(ObjectKind kind, const QString& findText, bool wholeWord, bool matchCase)
{
    const KindStatement& s = Statement(kind);
    const QString orderBy = QStringLiteral("ORDER BY ColName");
    if (Trim(findText).isEmpty())
        return QLatin1String(s.select) + QLatin1String(s.unfilteredWhere) + orderBy;

    const QString t = SqlText(findText);
    const QString column = QLatin1String(s.nameColumn);
    QString filter;
    if (wholeWord && matchCase)
        filter = column + QStringLiteral(" = '") + t + (s.closingBlankOnWholeMatch ? QStringLiteral("' ") : QStringLiteral("'"));
    else if (matchCase)
        filter = column + QStringLiteral(" LIKE '%") + t + QStringLiteral("%' ");
    else if (wholeWord)
        filter = QStringLiteral("UPPER(") + column + QStringLiteral(") = '") + UCase(t) + QStringLiteral("' ");
    else
        filter = QLatin1String(s.neitherLead) + QStringLiteral("UPPER(") + column + QStringLiteral(") LIKE '%") + UCase(t) +
                 QStringLiteral("%' ");
    return QLatin1String(s.select) + QLatin1String(s.filteredHead) + filter + orderBy;
}

} // namespace bkl::mainwindow
