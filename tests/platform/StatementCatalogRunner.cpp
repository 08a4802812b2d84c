#include "StatementCatalog.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "support/TestEnvironment.h"

#include <QMap>
#include <algorithm>
#include <ostream>
#include <gtest/gtest.h>

namespace bkl::test {
namespace {

QString FieldText(const db::Value& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.type() == db::Value::Type::DateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toText();
}

QStringList ReadRows(const QString& sql, const db::Connection& cn)
{
    db::Recordset rs(sql, cn);
    QStringList rows;
    while (!rs.eof()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fields << FieldText(rs.field(i));
        rows << fields.join(QLatin1Char('|'));
        rs.moveNext();
    }
    rs.close();
    return rows;
}

// The rows of a statement, or its error as "error <number>: <text>".
QStringList RowsOrError(const QString& sql, const db::Connection& cn)
{
    try {
        return ReadRows(sql, cn);
    } catch (const db::DbError& e) {
        return {QStringLiteral("error %1: %2").arg(e.number()).arg(e.description())};
    }
}

db::Connection Open(const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(DemoConnectionString(catalog));
    cn.open();
    return cn;
}

} // namespace

void CheckStatements(const std::vector<StatementCase>& cases)
{
    // Connections whose engine keeps statement shapes (as the program's do), and ones
    // that translate and prepare every statement anew with its literals in the text.
    QMap<QString, db::Connection> connections, unshaped;
    for (const StatementCase& c : cases)
        if (!connections.contains(c.catalog)) {
            ASSERT_NO_THROW(connections.insert(c.catalog, Open(c.catalog)));
            db::sqlite::SetStatementShapesEnabled(false);
            ASSERT_NO_THROW(unshaped.insert(c.catalog, Open(c.catalog)));
            db::sqlite::SetStatementShapesEnabled(true);
        }
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + "\n  SQL: " + c.sql.toStdString());
        const db::Connection& cn = connections[c.catalog];
        if (c.fails) {
            EXPECT_THROW(ReadRows(c.sql, cn), db::DbError);
            continue;
        }
        QStringList rows;
        try {
            rows = ReadRows(c.sql, cn);
        } catch (const db::DbError& e) {
            ADD_FAILURE() << "statement failed: " << e.description().toStdString();
            continue;
        }
        QStringList expected = c.rows;
        if (c.total >= 0) {
            EXPECT_EQ(rows.size(), c.total);
            rows = rows.mid(0, int(expected.size()));
        }
        if (c.order == RowOrder::AnyOrder) {
            std::sort(rows.begin(), rows.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(rows, expected);
    }
    // Once more, last case first: each statement now runs on a shape prepared for it, mostly
    // by a case with other literals, and answers (or fails) as the statement run anew does.
    for (auto c = cases.rbegin(); c != cases.rend(); ++c) {
        SCOPED_TRACE(std::string(c->what) + " (run again)\n  SQL: " + c->sql.toStdString());
        EXPECT_EQ(RowsOrError(c->sql, connections[c->catalog]), RowsOrError(c->sql, unshaped[c->catalog]));
    }
}

} // namespace bkl::test
