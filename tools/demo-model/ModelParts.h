#pragma once
// Small writers for the objects of a model, shared by the demo databases. Each one
// writes the platform rows that make up one object, consistently (a table's columns,
// references and physical table; a calendar's periods; a calculation's parts).
#include "SqliteWriter.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace demo {

QString DateTimeText(const QDate& date, int hour = 0, int minute = 0, int second = 0);

// Cells for the object writers.
inline Cell Text(const char* s) { return QString::fromUtf8(s); }
inline Cell Text(const QString& s) { return s; }
inline const Cell kNull = Null{};

// Calculation [Type] values.
enum CalcType { kSort = 1, kTimeShift = 2, kUserDefined = 3 };

// One column of a model table. A 'List' column names the table and column its values
// come from; withReference false leaves out its Reference rows (a dangling list).
struct ColumnDef {
    QString name;
    QString type; // Text, Number, Date, Currency, Percent, List
    QString refTable = {};
    QString refColumn = {};
    bool withReference = true;
};

class ModelParts {
public:
    ModelParts(SqliteWriter& db, int idBase) : db_(db), next_(idBase) {}
    SqliteWriter& db() { return db_; }

    // A model table: CustomTable, CustomColumn, Reference/ReferenceColumn rows and,
    // unless physical is false, the physical table filled with the given rows.
    void table(const QString& name, const QString& tableType, const std::vector<ColumnDef>& columns,
               const std::vector<std::vector<Cell>>& rows = {}, bool physical = true);
    // Same, streaming many rows from a generator (row index -> cells).
    void table(const QString& name, const QString& tableType, const std::vector<ColumnDef>& columns,
               int rowCount, const std::function<std::vector<Cell>(int)>& row);

    // A model view: CustomTable row of type 'View' and a real view whose columns are
    // named as given (normally "<calculation>.<field>"), each selecting an expression.
    struct ViewColumn { QString name; QString expression; };
    void view(const QString& name, const std::vector<ViewColumn>& columns, const QString& fromClause);

    // A calendar: TimeCalendar row, root [Time] row and, per year starting at
    // firstMonth of that year, Year/Quarter/Month periods named by the given namer.
    struct PeriodNames {
        std::function<QString(int year)> year;
        std::function<QString(int year, int quarter)> quarter;
    };
    void calendar(const QString& timeId, const QString& name, const std::vector<int>& years, int firstMonth,
                  const PeriodNames& names, bool inTimeCalendar = true);

    struct Calc {
        int id;
        QString name;
        int type;
        Cell comment, source, operation, calendar, timeLevel, resetLevel;
    };
    void calculation(const Calc& c);
    void join(int calcId, int position, const QString& t1, const QString& c1, const QString& t2, const QString& c2);
    int lookup(int calcId, const QString& name, const Cell& source); // returns the LookupID
    void partition(int calcId, int order, const QString& name, const Cell& sourceTable, const QString& sourceColumn,
                   int outputGroup = 0, bool accumulating = false);
    void unionTable(int calcId, int unionId, const QString& table);
    // Constraint nodes; parent 0 / lookup 0 mean NULL. Return the ConstraintID.
    int group(int calcId, int lookupId, int parent, int clauseType);
    int leaf(int calcId, int lookupId, int parent, const QString& table, const QString& column, const Cell& op,
             const Cell& value, int literalType = 1);
    void dependency(int calcId, const QString& table, const QString& column);
    // Folder nodes: parent < 0 writes NULL. Returns the NodeID.
    int folder(const QString& name, int parent);
    int calcNode(int calcId, const QString& name, int parent);
    // A calculation list; returns the ListID.
    int list(const std::vector<int>& calcIds);

    int nextId() { return next_++; }

private:
    void createPhysical(const QString& name, const std::vector<ColumnDef>& columns);
    void describe(const QString& name, const QString& tableType, const std::vector<ColumnDef>& columns);

    SqliteWriter& db_;
    int next_;
};

} // namespace demo
