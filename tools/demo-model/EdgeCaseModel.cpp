// The edge-case model: a small, valid model whose objects are the traps a reader of
// models must survive (quotes and markup in names, NULLs where values are expected,
// cycles in stored trees, tokens that look alike, names at the 50-character limit).
#include "EdgeCaseModel.h"

#include "DemoDates.h"
#include "Housekeeping.h"
#include "ModelParts.h"
#include "Schema.h"

namespace demo {
namespace {

// A user-defined calculation of the edge-case model; its comment is "Edge case <id>.".
void EdgeCalc(ModelParts& p, int id, const char* name, const Cell& source, const Cell& operation,
              const Cell& calendar = kNull, const Cell& timeLevel = kNull, const Cell& resetLevel = kNull)
{
    p.calculation({id, QString::fromUtf8(name), kUserDefined, Text(QStringLiteral("Edge case %1.").arg(id)), source,
                   operation, calendar, timeLevel, resetLevel});
}

void WriteEdgeTables(ModelParts& p)
{
    SqliteWriter& db = p.db();
    p.table(QStringLiteral("O'Brien Accounts"), QStringLiteral("Data"),
            {{QStringLiteral("AccountID"), QStringLiteral("Text")}, {QStringLiteral("Amount"), QStringLiteral("Currency")}},
            {{QStringLiteral("A1"), QStringLiteral("10.00")},
             {QStringLiteral("A2"), QStringLiteral("20.50")},
             {QStringLiteral("A3"), Null{}}});
    p.table(QStringLiteral("Rates <2026> & More"), QStringLiteral("Lookup"),
            {{QStringLiteral("RateCode"), QStringLiteral("Text")}, {QStringLiteral("Rate"), QStringLiteral("Percent")}},
            {{QStringLiteral("R<1>"), QStringLiteral("0.0500")}});
    // Column names of exactly 50 and 51 characters.
    p.table(QStringLiteral("Wide Columns"), QStringLiteral("Data"),
            {{QStringLiteral("QuarterlyAcceleratedCommissionThresholdAmountLocal"), QStringLiteral("Currency")},
             {QStringLiteral("QuarterlyAcceleratedCommissionThresholdAmountGlobal"), QStringLiteral("Currency")}},
            {{QStringLiteral("1.00"), QStringLiteral("2.00")}});
    // A 'List' column without any Reference row, next to one whose reference names a table with a quote.
    p.table(QStringLiteral("Dangling List Table"), QStringLiteral("Data"),
            {{QStringLiteral("StatusCode"), QStringLiteral("List"), QStringLiteral("NoSuchTable"),
              QStringLiteral("NoSuchColumn"), false},
             {QStringLiteral("AccountID"), QStringLiteral("List"), QStringLiteral("O'Brien Accounts"),
              QStringLiteral("AccountID")},
             {QStringLiteral("Note"), QStringLiteral("list")}},
            {{QStringLiteral("OPEN"), QStringLiteral("A1"), QStringLiteral("lower-case list type")}});
    // Described but without a physical table: no catalog row count.
    p.table(QStringLiteral("Ghost Table"), QStringLiteral("Data"),
            {{QStringLiteral("GhostKey"), QStringLiteral("Text")}}, {}, false);
    // A physical table the platform describes without columns, and with a NULL type.
    db.insert(QStringLiteral("CustomTable"), {QStringLiteral("No Columns Table"), Null{}, Null{}});
    db.exec(QStringLiteral("CREATE TABLE [No Columns Table] (Anything int)"));

    p.view(QStringLiteral("Edge View"),
           {{QStringLiteral("Base Amount.Value"), QStringLiteral("Amount")},
            {QStringLiteral("NoDotColumn"), QStringLiteral("AccountID")},
            {QStringLiteral("O'Brien Commission.Value"), QStringLiteral("Amount")}},
           QStringLiteral("[O'Brien Accounts]"));
    p.view(QStringLiteral("O'Brien View"), {{QStringLiteral("Rate <Tier> & Bonus.Value"), QStringLiteral("Rate")}},
           QStringLiteral("[Rates <2026> & More]"));
    p.view(QStringLiteral("Dotted View"), {{QStringLiteral("Dotted.Name Calc.Value"), QStringLiteral("Amount")}},
           QStringLiteral("[O'Brien Accounts]"));

    const ModelParts::PeriodNames names{[](int y) { return QStringLiteral("Edge %1").arg(y); },
                                        [](int y, int q) { return QStringLiteral("Edge Q%1 %2").arg(q).arg(y); }};
    p.calendar(QStringLiteral("EMPTY"), QStringLiteral("Calendar Without Periods"), {}, 1, names);
    p.calendar(QStringLiteral("EDGE"), QStringLiteral("Edge <Calendar> & Co"), {2026}, 1, names);
    p.calendar(QStringLiteral("OBC"), QStringLiteral("O'Brien Calendar"), {2026}, 7, names);
}

void WriteEdgeCalculations(ModelParts& p)
{
    SqliteWriter& db = p.db();
    const int top = p.folder(QStringLiteral("Edge Cases"), -1);
    const int blank = p.folder(QStringLiteral(" "), top);

    EdgeCalc(p, 1, "Base Amount", Text("O'Brien Accounts"), Text("SUM( Amount )"), Text("EDGE"), Text("Month"), Text("Year"));
    p.calcNode(1, QStringLiteral("Base Amount"), top);
    EdgeCalc(p, 2, "O'Brien Commission", Text("_Result1"), Text("_Result1 * 0.1"), Text("OBC"));
    p.calcNode(2, QStringLiteral("O'Brien Commission"), top);
    EdgeCalc(p, 3, "Rate <Tier> & Bonus", Text("_Result2"), Text("_Result2 + _LookupAlias0.Rate"));
    {
        const int lk = p.lookup(3, QStringLiteral("Rates <2026> & More"), Text("Rates <2026> & More"));
        p.leaf(3, lk, 0, QStringLiteral("Rates <2026> & More"), QStringLiteral("RateCode"), Text("EQUALS"),
               Text("R<1>"));
    }
    p.calcNode(3, QStringLiteral("Rate <Tier> & Bonus"), top);
    // "_Result" inside names: the word is no token there.
    EdgeCalc(p, 4, "Net_Result Total", Text("_Result1"), Text("_Result1 + 0"));
    EdgeCalc(p, 5, "Uses Net_Result", Text("Net_Result Total"), Text("Net_Result Total * 2"));
    // A lookup whose source is NULL, and a partition whose source table is NULL.
    EdgeCalc(p, 6, "Null Lookup Source", Text("O'Brien Accounts"), Text("_LookupAlias0 + 1"));
    p.lookup(6, QStringLiteral("Nothing"), kNull);
    EdgeCalc(p, 7, "Null Partition Source", Text("O'Brien Accounts"), Text("SUM( Amount )"), Text("EDGE"), Text("Month"),
             Text("Year"));
    p.partition(7, 0, QStringLiteral("Month"), kNull, QStringLiteral("Month"));

    // A restriction tree whose parent links loop: ConstraintID 9001 appears twice,
    // once at the top and once below its own child 9002.
    EdgeCalc(p, 8, "Cyclic Restrictions", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    db.insert(QStringLiteral("CalcConstraintTree"), {int64_t(9001), int64_t(8), Null{}, Null{}, int64_t(0)});
    db.insert(QStringLiteral("CalcConstraintTree"), {int64_t(9002), int64_t(8), Null{}, int64_t(9001), int64_t(1)});
    db.insert(QStringLiteral("CalcConstraintTree"), {int64_t(9001), int64_t(8), Null{}, int64_t(9002), int64_t(0)});
    db.insert(QStringLiteral("CalcConstraintTree"), {int64_t(9003), int64_t(8), Null{}, int64_t(9002), Null{}});
    db.insert(QStringLiteral("CalcConstraintValue"), {int64_t(9003), QStringLiteral("O'Brien Accounts"),
                                                      QStringLiteral("Amount"), QStringLiteral("GREATERTHAN"),
                                                      QStringLiteral("0"), int64_t(2)});

    // A folder path that loops: own node -> Loop A -> Loop B -> Loop A ...
    EdgeCalc(p, 9, "Cyclic Folder", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    db.insert(QStringLiteral("CalculationTree"), {int64_t(9101), QStringLiteral("Loop A"), int64_t(9102), Null{}});
    db.insert(QStringLiteral("CalculationTree"), {int64_t(9102), QStringLiteral("Loop B"), int64_t(9101), Null{}});
    p.calcNode(9, QStringLiteral("Cyclic Folder"), 9101);

    // Operator words as users store them: lower case with blanks, unknown, NULL; a
    // NULL value; a hidden clause type; an empty group; a leaf without a value row.
    EdgeCalc(p, 10, "Odd Operators", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    {
        const int g = p.group(10, 0, 0, 0);
        p.leaf(10, 0, g, QStringLiteral("O'Brien Accounts"), QStringLiteral("AccountID"), Text(" equals "), Text("A1"));
        p.leaf(10, 0, g, QStringLiteral("O'Brien Accounts"), QStringLiteral("AccountID"), Text("LIKE"), Text("A%"));
        p.leaf(10, 0, g, QStringLiteral("O'Brien Accounts"), QStringLiteral("Amount"), kNull, Text("5"));
        p.leaf(10, 0, g, QStringLiteral("O'Brien Accounts"), QStringLiteral("Amount"), Text("GREATERTHAN"), kNull);
        p.group(10, 0, 0, 1); // an ANY group without children
        const int hidden = p.group(10, 0, 0, 2);
        p.leaf(10, 0, hidden, QStringLiteral("Hidden"), QStringLiteral("Column"), Text("EQUALS"), Text("1"));
        const int broken = p.group(10, 0, 0, 0);
        db.insert(QStringLiteral("CalcConstraintTree"), {int64_t(p.nextId()), int64_t(10), Null{}, int64_t(broken), Null{}});
    }
    p.calcNode(10, QStringLiteral("Odd Operators"), blank);

    EdgeCalc(p, 11, "Calculation Name With Exactly Fifty Characters 50!", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    EdgeCalc(p, 12, "Twelve Result", Text("O'Brien Accounts"), Text("COUNT( AccountID )"));
    // _Result1 and _Result12 in one formula: the first must not rewrite the start of the second.
    EdgeCalc(p, 13, "Tokens One And Twelve", Text("_Result12"), Text("_Result1 + _Result12 + _Result1"), Text("EDGE"),
             Text("Month"), Text("Year"));
    p.calcNode(13, QStringLiteral("Tokens One And Twelve"), 0); // a top node of its own: parent 0
    EdgeCalc(p, 14, "Calculation Name With Exactly Fifty-One Characters!", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    EdgeCalc(p, 15, "Dotted.Name Calc", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    EdgeCalc(p, 16, "_wr_lowercase helper", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    p.calcNode(16, QStringLiteral("_wr_lowercase helper"), top);
    EdgeCalc(p, 17, "Missing Calendar", Text("O'Brien Accounts"), Text("SUM( Amount )"), Text("NOCAL"), Text("Month"),
             Text("Year"));
    // A node that is its own parent.
    EdgeCalc(p, 18, "Self Parent Folder", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    db.insert(QStringLiteral("CalculationTree"), {int64_t(9201), QStringLiteral("Self Loop"), int64_t(9201), Null{}});
    p.calcNode(18, QStringLiteral("Self Parent Folder"), 9201);
    // Tokens nothing resolves, and words that are no tokens.
    EdgeCalc(p, 19, "Unresolvable Tokens", Text("_Result999"),
             Text("_Result999 + _TableAlias5.X + _LookupAlias7.Y + _result1 + _Result1)*2"));
    // A calculation on the calendar that has no periods.
    EdgeCalc(p, 20, "Empty Calendar User", Text("O'Brien Accounts"), Text("SUM( Amount )"), Text("EMPTY"), Text("Month"),
             Text("Year"));
    db.insert(QStringLiteral("CalculationColumnDependency"),
              {int64_t(2), QStringLiteral("O'Brien Accounts"), QStringLiteral("Amount")});
    db.insert(QStringLiteral("CalculationColumnDependency"),
              {int64_t(3), QStringLiteral("Rates <2026> & More"), QStringLiteral("Rate")});
}

void WriteEdgeReports(ModelParts& p)
{
    SqliteWriter& db = p.db();
    db.insert(QStringLiteral("PayeeGroup"), {int64_t(1), QStringLiteral("Edge <Payees> & Co")});
    db.insert(QStringLiteral("PayeeGroup"), {int64_t(2), QStringLiteral("O'Brien Team")});
    const int list = p.list({1, 12, 2});
    db.insert(QStringLiteral("CompPlan"), {QStringLiteral("NULLLIST"), QStringLiteral("Plan With Null List"),
                                           int64_t(1), QStringLiteral("List id is NULL."), Null{}});
    db.insert(QStringLiteral("CompPlan"), {QStringLiteral("OB1"), QStringLiteral("O'Brien Plan"), int64_t(2),
                                           QStringLiteral("Name with a quote."), int64_t(list)});
    db.insert(QStringLiteral("CompPlan"), {QStringLiteral("LT1"), QStringLiteral("<Less Than> & Plan"), int64_t(1),
                                           QStringLiteral("<b>not bold</b> & more"), int64_t(list)});
    db.insert(QStringLiteral("CompPlan"), {QStringLiteral("ORPHAN"), QStringLiteral("Orphan Group Plan"),
                                           int64_t(99), Null{}, int64_t(list)});
    db.insert(QStringLiteral("TailoredReport"),
              {QStringLiteral("TRN"), QStringLiteral("Report With Null List"), int64_t(1), Null{}});
    db.insert(QStringLiteral("TailoredReport"),
              {QStringLiteral("TRQ"), QStringLiteral("O'Brien Statement"), int64_t(2), int64_t(list)});

    const int obrien = p.nextId(), markup = p.nextId(), wide = p.nextId(), self = p.nextId();
    db.insert(QStringLiteral("WebReport"), {int64_t(obrien), QStringLiteral("O'Brien Report"), Null{}});
    db.insert(QStringLiteral("WebReport"), {int64_t(markup), QStringLiteral("Report <One> & Two"), Null{}});
    db.insert(QStringLiteral("WebReport"), {int64_t(wide), QStringLiteral("Wide Names Report"), Null{}});
    db.insert(QStringLiteral("WebReport"), {int64_t(self), QStringLiteral("Self Linked Report"), Null{}});
    db.insert(QStringLiteral("WebReportDependency"), {int64_t(obrien), QStringLiteral("O'Brien Accounts")});
    db.insert(QStringLiteral("WebReportDependency"), {int64_t(markup), QStringLiteral("Rates <2026> & More")});
    db.insert(QStringLiteral("WebReportCalculation"), {int64_t(markup), int64_t(3)});
    db.insert(QStringLiteral("WebReportDependency"),
              {int64_t(wide), QStringLiteral("Dependency Table Name With Exactly Fifty Chars 050")});
    db.insert(QStringLiteral("WebReportCalculation"), {int64_t(wide), int64_t(14)});
    db.insert(QStringLiteral("WebReportCalculation"), {int64_t(wide), int64_t(11)});
    db.insert(QStringLiteral("WebReportCalculation"), {int64_t(self), int64_t(777)}); // no such calculation
    db.insert(QStringLiteral("WebReportLinkDependency"), {int64_t(self), int64_t(self)});
    db.insert(QStringLiteral("WebReportLinkDependency"), {int64_t(markup), int64_t(obrien)});
}


// Boundary cases added after the first objects; written last, with ids of their own,
// so the objects above keep their ids and row order.
void WriteEdgeBoundaryObjects(ModelParts& p)
{
    SqliteWriter& db = p.db();
    // Period names of 20 (years) and 21 (quarters) characters.
    p.calendar(QStringLiteral("WIDE"), QStringLiteral("Wide Period Names"), {2026}, 1,
               {[](int y) { return QStringLiteral("Year Name Twenty%1").arg(y); },
                [](int y, int q) { return QStringLiteral("Quarter Name 21 Q%1 %2").arg(q).arg(y % 100); }});
    // A period without end date.
    db.insert(QStringLiteral("Time"), {QStringLiteral("WIDE"), QStringLiteral("Open Period"), QStringLiteral("Month"),
                                       QStringLiteral("Quarter Name 21 Q4 26"), DateTimeText(QDate(2027, 1, 1)),
                                       Null{}});
    // Folder paths ending at a parent of -1, and at a parent id that names no node.
    EdgeCalc(p, 21, "Minus One Parent", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    const int belowNothing = p.nextId();
    db.insert(QStringLiteral("CalculationTree"),
              {int64_t(belowNothing), QStringLiteral("Below Nothing"), int64_t(-1), Null{}});
    p.calcNode(21, QStringLiteral("Minus One Parent"), belowNothing);
    EdgeCalc(p, 22, "Missing Parent Folder", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    p.calcNode(22, QStringLiteral("Missing Parent Folder"), p.folder(QStringLiteral("Lost Folder"), 99999));
    // A leaf with two value rows.
    EdgeCalc(p, 23, "Two Value Rows", Text("O'Brien Accounts"), Text("SUM( Amount )"));
    {
        const int twice = p.leaf(23, 0, 0, QStringLiteral("O'Brien Accounts"), QStringLiteral("Amount"),
                                 Text("LESSTHAN"), Text("100"), 2);
        db.insert(QStringLiteral("CalcConstraintValue"), {int64_t(twice), QStringLiteral("O'Brien Accounts"),
                                                          QStringLiteral("Amount"), QStringLiteral("LESSTHAN"),
                                                          QStringLiteral("200"), int64_t(2)});
    }
    // Lookup names that differ from their sources only in letter case, only in blanks;
    // a source with blanks around it.
    EdgeCalc(p, 24, "Lookup Name Variants", Text("O'Brien Accounts"), Text("COUNT( AccountID ) * _LookupAlias0.Rate"));
    p.lookup(24, QStringLiteral("rates <2026> & more"), Text("Rates <2026> & More"));
    p.lookup(24, QStringLiteral("  O'Brien Accounts  "), Text("O'Brien Accounts"));
    p.lookup(24, QStringLiteral("Padded"), Text(" O'Brien Accounts "));
    // Tokens past their digit limits, and a join row without second column (names nothing).
    EdgeCalc(p, 25, "Overlong Tokens", Text("O'Brien Accounts"),
             Text("_TableAlias0.Y + _Result123456789.Z + _LookupAlias1234.W"));
    p.join(25, 0, QStringLiteral("O'Brien Accounts"), QStringLiteral("Amount"), QStringLiteral("Rates <2026> & More"),
           QString());
    // A partition whose name differs from the time level in case only, and one whose
    // source column holds an alias token.
    EdgeCalc(p, 26, "Partition Name Case", Text("O'Brien Accounts"), Text("SUM( Amount )"), Text("EDGE"), Text("Month"),
             Text("Year"));
    p.partition(26, 0, QStringLiteral("month"), Text("Time"), QStringLiteral("Month"));
    p.partition(26, 1, QStringLiteral("Month"), Text("Time"), QStringLiteral("_TableAlias0"));
    // A table and a calculation of the same name.
    const int same = p.nextId();
    db.insert(QStringLiteral("WebReport"), {int64_t(same), QStringLiteral("Same Name Report"), Null{}});
    db.insert(QStringLiteral("WebReportDependency"), {int64_t(same), QStringLiteral("Base Amount")});
    db.insert(QStringLiteral("WebReportCalculation"), {int64_t(same), int64_t(1)});
    // Two Presentor reports of one name that read the same calculation.
    for (int twin = 0; twin < 2; ++twin) {
        const int id = p.nextId();
        db.insert(QStringLiteral("WebReport"), {int64_t(id), QStringLiteral("Twin Report"), Null{}});
        db.insert(QStringLiteral("WebReportCalculation"), {int64_t(id), int64_t(12)});
    }
}

} // namespace

void WriteEdgeCaseModel(SqliteWriter& db, uint64_t seed)
{
    CreatePlatformSchema(db);
    ModelParts parts(db, 301);
    WriteEdgeTables(parts);
    WriteEdgeCalculations(parts);
    WriteEdgeReports(parts);
    ModelParts later(db, 501);
    WriteEdgeBoundaryObjects(later);
    WriteMarkerRows(db);
    WriteUsersAndImports(db, {QStringLiteral("O'Brien")}, 1, 1);
    WriteAudit(db, seed, 30, {QStringLiteral("O'Brien"), QStringLiteral("admin")});
    db.insert(QStringLiteral("Audit"), {int64_t(31), QStringLiteral("O'Brien"), QStringLiteral("Security"),
                                        QStringLiteral("Login"), DateTimeText(kBaseDate, 8, 30),
                                        QStringLiteral("<script>alert('x')</script> & done")});
}

} // namespace demo
