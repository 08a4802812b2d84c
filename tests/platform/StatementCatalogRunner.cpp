#include "StatementCatalog.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
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

} // namespace

void CheckStatements(const std::vector<StatementCase>& cases)
{
    QMap<QString, db::Connection> connections;
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + "\n  SQL: " + c.sql.toStdString());
        if (!connections.contains(c.catalog)) {
            db::Connection cn;
            cn.setConnectionString(DemoConnectionString(c.catalog));
            ASSERT_NO_THROW(cn.open());
            connections.insert(c.catalog, cn);
        }
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
}

} // namespace bkl::test
