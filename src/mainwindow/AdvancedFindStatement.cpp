#include "mainwindow/AdvancedFindStatement.h"

#include "mainwindow/MatchCase.h"
#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {
namespace {

constexpr char kByCalculation[] = "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE ";
constexpr char kOrderByName[] = " ORDER BY ColName";

// The typed text for a literal: as typed, ' doubled, wildcards kept.
QString Typed(const QString& text) { return SqlText(text); }
QString TypedUpper(const QString& text) { return UCase(SqlText(text)); }

QString Quoted(const QString& text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

// One name condition of tab 1. `column` is "TableName" or "ColumnName".
QString DependencyCondition(const char* column, const NameCriterion& name)
{
    const QString ccd = QStringLiteral("CCD.") + QLatin1String(column);
    if (name.matchCase)
        return QStringLiteral(" AND ") + ccd + (name.wholeWord ? QStringLiteral(" = '") : QStringLiteral(" LIKE '"))
               + Typed(name.text) + QStringLiteral("' ");
    return QStringLiteral(" AND UPPER(") + ccd
           + (name.wholeWord ? QStringLiteral(")  = '") + TypedUpper(name.text) + QStringLiteral("' ")
                             : QStringLiteral(")  LIKE '%") + TypedUpper(name.text) + QStringLiteral("%' "));
}

// Lists the names that Match Case boxes test beside each hit, after the ColType column.
void AddCaseColumns(AdvancedSearch& search)
{
    QString columns;
    for (const CaseCheck& check : search.caseChecks)
        columns += QStringLiteral(", ") + check.column + QStringLiteral(" AS ") + check.alias;
    const QString colType = QStringLiteral("'Calculation' AS ColType");
    search.sql.insert(search.sql.indexOf(colType) + colType.size(), columns);
}

} // namespace

bool HitFilter::stands(const QString& hitName, const std::function<QString(const QString& column)>& field)
{
    for (const CaseCheck& check : search_.caseChecks)
        if (!MatchesCase(field(check.alias), check.name.text, check.name.wholeWord, check.containing))
            return false;
    if (search_.distinctNames && !search_.caseChecks.empty()) {
        if (listed_.contains(hitName))
            return false;
        listed_.insert(hitName);
    }
    return true;
}

AdvancedSearch RestrictionSearch(const NameCriterion& column, const QString& value)
{
    QString sql = QStringLiteral(
        "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation CAL, CalcConstraintTree CCT, "
        "CalcConstraintValue CCV WHERE CAL.CalculationID = CCT.CalculationID And CCV.ConstraintID = CCT.ConstraintID");
    if (column.matchCase)
        sql += column.wholeWord ? QStringLiteral(" AND CCV.ColumnName  = '") + Typed(column.text) + QStringLiteral("' ")
                                : QStringLiteral(" AND CCV.ColumnName  LIKE '%") + Typed(column.text) + QStringLiteral("%' ");
    else
        sql += column.wholeWord
                   ? QStringLiteral(" AND UPPER(CCV.ColumnName)  = '") + TypedUpper(column.text) + QStringLiteral("' ")
                   : QStringLiteral(" AND UPPER(CCV.ColumnName)  LIKE '%") + TypedUpper(column.text) + QStringLiteral("%' ");

    const bool noValue = Trim(value).isEmpty();
    sql += noValue ? QStringLiteral(" AND CCV.Value IS NULL ")
                   : QStringLiteral(" AND UPPER(CCV.Value)  LIKE '%") + TypedUpper(value) + QStringLiteral("%' ");
    sql += QLatin1String(kOrderByName);

    QString criterion = QStringLiteral("Filter: Column = '") + Trim(column.text) + QLatin1Char('\'');
    criterion += noValue ? QStringLiteral(" - Value IS EMPTY")
                         : QStringLiteral(" - Value = '") + Trim(value) + QLatin1Char('\'');
    AdvancedSearch search{sql, criterion, {}, false};
    if (column.matchCase)
        search.caseChecks.push_back({QStringLiteral("CCV.ColumnName"), QStringLiteral("MatchColumnName"), column, true});
    AddCaseColumns(search);
    return search;
}

AdvancedSearch DependencySearch(const NameCriterion& table, const NameCriterion& column)
{
    const bool byTable = !Trim(table.text).isEmpty();
    const bool byColumn = !Trim(column.text).isEmpty();
    QString sql = QStringLiteral("SELECT DISTINCT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation C, "
                                 "CalculationColumnDependency CCD WHERE C.CalculationID = CCD.CalculationID");
    if (byTable)
        sql += DependencyCondition("TableName", table);
    if (byColumn)
        sql += DependencyCondition("ColumnName", column);
    sql += QLatin1String(kOrderByName);

    QString criterion = QStringLiteral("Filter: ");
    if (byTable)
        criterion += QStringLiteral("Table = ") + Quoted(Trim(table.text));
    if (byTable && byColumn)
        criterion += QStringLiteral(" - ");
    if (byColumn)
        criterion += QStringLiteral("Column = ") + Quoted(Trim(column.text));
    AdvancedSearch search{sql, criterion, {}, true};
    if (byTable && table.matchCase)
        search.caseChecks.push_back({QStringLiteral("CCD.TableName"), QStringLiteral("MatchTableName"), table, false});
    if (byColumn && column.matchCase)
        search.caseChecks.push_back({QStringLiteral("CCD.ColumnName"), QStringLiteral("MatchColumnName"), column, false});
    AddCaseColumns(search);
    return search;
}

AdvancedSearch CalendarSearch(const std::optional<QString>& calendarId, const QString& listText)
{
    const QString condition = calendarId ? QStringLiteral("CalendarUsed = ") + Quoted(SqlText(*calendarId))
                                         : QStringLiteral("CalendarUsed IS NULL");
    return {QLatin1String(kByCalculation) + condition, QStringLiteral("Filter: Calendar Used - ") + listText,
            {}, false};
}

AdvancedSearch TimeResetSearch(const QString& timeLevel, const QString& resetLevel, const QString& listText)
{
    return {QLatin1String(kByCalculation) + QStringLiteral("TimeLevel = ") + Quoted(SqlText(timeLevel))
                + QStringLiteral(" AND ResetLevel = ") + Quoted(SqlText(resetLevel)),
            QStringLiteral("Filter: Time/Reset Level - ") + listText, {}, false};
}

} // namespace bkl::mainwindow
