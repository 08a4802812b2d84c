#include "ModelParts.h"

#include <QLocale>

namespace demo {

QString DateTimeText(const QDate& date, int hour, int minute, int second)
{
    return date.toString(Qt::ISODate) + QStringLiteral(" %1:%2:%3")
                                            .arg(hour, 2, 10, QLatin1Char('0'))
                                            .arg(minute, 2, 10, QLatin1Char('0'))
                                            .arg(second, 2, 10, QLatin1Char('0'));
}

namespace {

QString PhysicalType(const QString& type)
{
    if (type == QLatin1String("Number"))
        return QStringLiteral("int");
    if (type == QLatin1String("Date"))
        return QStringLiteral("datetime");
    if (type == QLatin1String("Currency"))
        return QStringLiteral("decimal(18,2)");
    if (type == QLatin1String("Percent"))
        return QStringLiteral("decimal(9,4)");
    return QStringLiteral("nvarchar(100)");
}

QString Bracketed(const QString& name)
{
    return QLatin1Char('[') + QString(name).replace(QLatin1Char(']'), QStringLiteral("]]")) + QLatin1Char(']');
}

Cell NullIfZero(int v)
{
    return v == 0 ? Cell(Null{}) : Cell(int64_t(v));
}

} // namespace

void ModelParts::describe(const QString& name, const QString& tableType, const std::vector<ColumnDef>& columns)
{
    db_.insert(QStringLiteral("CustomTable"), {name, tableType, Null{}});
    int order = 0;
    for (const ColumnDef& c : columns) {
        db_.insert(QStringLiteral("CustomColumn"),
                   {name, c.name, c.type, int64_t(order++), int64_t(c.type == QLatin1String("Text") ? 100 : 0)});
        if (c.type == QLatin1String("List") && c.withReference) {
            const int refId = nextId();
            db_.insert(QStringLiteral("Reference"), {int64_t(refId), name, c.refTable});
            db_.insert(QStringLiteral("ReferenceColumn"), {int64_t(refId), c.name, c.refColumn});
        }
    }
}

void ModelParts::createPhysical(const QString& name, const std::vector<ColumnDef>& columns)
{
    QStringList defs;
    for (const ColumnDef& c : columns)
        defs << Bracketed(c.name) + QLatin1Char(' ') + PhysicalType(c.type);
    db_.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(Bracketed(name), defs.join(QStringLiteral(", "))));
}

void ModelParts::table(const QString& name, const QString& tableType, const std::vector<ColumnDef>& columns,
                       const std::vector<std::vector<Cell>>& rows, bool physical)
{
    describe(name, tableType, columns);
    if (!physical)
        return;
    createPhysical(name, columns);
    for (const auto& row : rows)
        db_.insert(name, row);
}

void ModelParts::table(const QString& name, const QString& tableType, const std::vector<ColumnDef>& columns,
                       int rowCount, const std::function<std::vector<Cell>(int)>& row)
{
    describe(name, tableType, columns);
    createPhysical(name, columns);
    for (int i = 0; i < rowCount; ++i)
        db_.insert(name, row(i));
}

void ModelParts::view(const QString& name, const std::vector<ViewColumn>& columns, const QString& fromClause)
{
    db_.insert(QStringLiteral("CustomTable"), {name, QStringLiteral("View"), Null{}});
    QStringList select;
    for (const ViewColumn& c : columns)
        select << c.expression + QStringLiteral(" AS ") + Bracketed(c.name);
    db_.exec(QStringLiteral("CREATE VIEW %1 AS SELECT %2 FROM %3")
                 .arg(Bracketed(name), select.join(QStringLiteral(", ")), fromClause));
}

void ModelParts::calendar(const QString& timeId, const QString& name, const std::vector<int>& years, int firstMonth,
                          const PeriodNames& names, bool inTimeCalendar)
{
    const QString time = QStringLiteral("Time");
    if (inTimeCalendar)
        db_.insert(QStringLiteral("TimeCalendar"), {timeId, name, name + QStringLiteral(" periods")});
    QDate calStart, calEnd;
    if (!years.empty()) {
        calStart = QDate(years.front(), firstMonth, 1);
        calEnd = QDate(years.back(), firstMonth, 1).addYears(1).addDays(-1);
    }
    db_.insert(time, {timeId, name, QStringLiteral("Calendar"), Null{},
                      calStart.isValid() ? Cell(DateTimeText(calStart)) : Cell(Null{}),
                      calEnd.isValid() ? Cell(DateTimeText(calEnd)) : Cell(Null{})});
    for (int year : years) {
        const QDate start(year, firstMonth, 1);
        const QString yearName = names.year(year);
        db_.insert(time, {timeId, yearName, QStringLiteral("Year"), name, DateTimeText(start),
                          DateTimeText(start.addYears(1).addDays(-1))});
        for (int q = 0; q < 4; ++q) {
            const QDate qStart = start.addMonths(3 * q);
            const QString quarterName = names.quarter(year, q + 1);
            db_.insert(time, {timeId, quarterName, QStringLiteral("Quarter"), yearName, DateTimeText(qStart),
                              DateTimeText(qStart.addMonths(3).addDays(-1))});
            for (int m = 0; m < 3; ++m) {
                const QDate mStart = qStart.addMonths(m);
                db_.insert(time, {timeId, QLocale::c().toString(mStart, QStringLiteral("MMM yyyy")),
                                  QStringLiteral("Month"), quarterName, DateTimeText(mStart),
                                  DateTimeText(mStart.addMonths(1).addDays(-1))});
            }
        }
    }
}

void ModelParts::calculation(const Calc& c)
{
    db_.insert(QStringLiteral("Calculation"), {int64_t(c.id), c.name, int64_t(c.type), c.comment, c.source,
                                               c.operation, c.calendar, c.timeLevel, c.resetLevel});
}

void ModelParts::join(int calcId, int position, const QString& t1, const QString& c1, const QString& t2,
                      const QString& c2)
{
    db_.insert(QStringLiteral("CalculationJoin"), {int64_t(calcId), int64_t(position), t1, c1, t2, c2});
}

int ModelParts::lookup(int calcId, const QString& name, const Cell& source)
{
    const int id = nextId();
    db_.insert(QStringLiteral("CalculationLookup"), {int64_t(calcId), int64_t(id), name, source});
    return id;
}

void ModelParts::partition(int calcId, int order, const QString& name, const Cell& sourceTable,
                           const QString& sourceColumn, int outputGroup, bool accumulating)
{
    db_.insert(QStringLiteral("CalculationPartition"), {int64_t(calcId), int64_t(order), name, sourceTable,
                                                        sourceColumn, int64_t(outputGroup), int64_t(accumulating)});
}

void ModelParts::unionTable(int calcId, int unionId, const QString& table)
{
    db_.insert(QStringLiteral("CalculationUnion"), {int64_t(calcId), int64_t(unionId), table});
}

int ModelParts::group(int calcId, int lookupId, int parent, int clauseType)
{
    const int id = nextId();
    db_.insert(QStringLiteral("CalcConstraintTree"),
               {int64_t(id), int64_t(calcId), NullIfZero(lookupId), NullIfZero(parent), int64_t(clauseType)});
    return id;
}

int ModelParts::leaf(int calcId, int lookupId, int parent, const QString& table, const QString& column,
                     const Cell& op, const Cell& value, int literalType)
{
    const int id = nextId();
    db_.insert(QStringLiteral("CalcConstraintTree"),
               {int64_t(id), int64_t(calcId), NullIfZero(lookupId), NullIfZero(parent), Null{}});
    db_.insert(QStringLiteral("CalcConstraintValue"), {int64_t(id), table, column, op, value, int64_t(literalType)});
    return id;
}

void ModelParts::dependency(int calcId, const QString& table, const QString& column)
{
    db_.insert(QStringLiteral("CalculationColumnDependency"), {int64_t(calcId), table, column});
}

int ModelParts::folder(const QString& name, int parent)
{
    const int id = nextId();
    db_.insert(QStringLiteral("CalculationTree"),
               {int64_t(id), name, parent < 0 ? Cell(Null{}) : Cell(int64_t(parent)), Null{}});
    return id;
}

int ModelParts::calcNode(int calcId, const QString& name, int parent)
{
    const int id = nextId();
    db_.insert(QStringLiteral("CalculationTree"),
               {int64_t(id), name, parent < 0 ? Cell(Null{}) : Cell(int64_t(parent)), int64_t(calcId)});
    return id;
}

int ModelParts::list(const std::vector<int>& calcIds)
{
    const int id = nextId();
    int order = 0;
    for (int calcId : calcIds)
        db_.insert(QStringLiteral("CalculationListElement"), {int64_t(id), int64_t(calcId), int64_t(order++)});
    return id;
}

} // namespace demo
