#pragma once
// Table-driven checks of the program's statements on the demo server: each case is a
// statement exactly as the program builds it (filled with demo values) and the rows a
// SQL Server would return for it.
#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace bkl::test {

enum class RowOrder {
    Exact,     // the statement orders its rows (ORDER BY): compare in order
    AnyOrder,  // no ORDER BY: the server's order is unspecified, compare as a multiset
};

struct StatementCase {
    const char* what;
    QString catalog;      // database of the demo server ("master" for the server catalog)
    QString sql;
    QStringList rows;     // each row its fields joined by "|"; NULL as "NULL"; date/times as yyyy-MM-dd HH:mm:ss
    RowOrder order = RowOrder::Exact;
    int total = -1;       // when >= 0: the row count, and rows holds only the first rows
    bool fails = false;   // the server rejects the statement
};

// Runs every case through the data layer (one connection per catalog) and reports
// each mismatch under the case's description. Where the FreeTDS driver is installed,
// each case also runs through it against the tds-standin tool serving the demo
// server and must give the same result (ExpectSameResult) or the same error number
// and text.
void CheckStatements(const std::vector<StatementCase>& cases);

// Runs each statement, and each of its literal variants (LiteralVariants), on demo
// database `catalog` through the embedded engine's statement shapes and translated and
// prepared anew, and expects the same rows, or the same error, from both. CheckStatements
// does the same for its cases.
void CheckShapesAgree(const QString& catalog, const QStringList& statements);

// The same column names and the same values, as the program reads them: each of the
// same type and text (date/times to the millisecond).
void ExpectSameResult(const db::ResultSet& got, const db::ResultSet& want);

} // namespace bkl::test
