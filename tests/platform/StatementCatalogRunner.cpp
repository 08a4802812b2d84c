#include "StatementCatalog.h"

#include "LiteralVariants.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "support/TdsStandIn.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QMap>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
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

QStringList Rows(const db::ResultSet& result)
{
    QStringList rows;
    for (const auto& row : result.rows) {
        QStringList fields;
        for (const db::Value& v : row)
            fields << FieldText(v);
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

// One server's connections, one per catalog, opened on first use.
struct Server {
    std::function<QString(const QString&)> connectionString;
    QMap<QString, db::Connection> connections;
    bool shapes = true; // false: the embedded engine translates and prepares every statement anew

    struct Outcome {
        db::ResultSet result;
        std::optional<db::DbError> error;
    };
    Outcome run(const QString& catalog, const QString& sql)
    {
        Outcome o;
        try {
            if (!connections.contains(catalog)) {
                db::Connection cn;
                cn.setConnectionString(connectionString(catalog));
                db::sqlite::SetStatementShapesEnabled(shapes);
                cn.open();
                db::sqlite::SetStatementShapesEnabled(true);
                connections.insert(catalog, cn);
            }
            o.result = connections[catalog].execute(sql);
        } catch (const db::DbError& e) {
            o.error = e;
        }
        return o;
    }
};

// Through FreeTDS, the same columns and values as on the embedded engine, or the same error.
void CheckSameThroughFreeTds(const Server::Outcome& embedded, const Server::Outcome& tds)
{
    if (embedded.error) {
        ASSERT_TRUE(tds.error) << "succeeded through FreeTDS";
        EXPECT_EQ(tds.error->number(), embedded.error->number());
        EXPECT_EQ(tds.error->description(), embedded.error->description());
        return;
    }
    ASSERT_FALSE(tds.error) << "through FreeTDS: " << tds.error->description().toStdString();
    ExpectSameResult(tds.result, embedded.result);
}

// The same result, or the same error.
void CheckSameOutcome(const Server::Outcome& got, const Server::Outcome& want)
{
    ASSERT_EQ(got.error.has_value(), want.error.has_value());
    if (want.error) {
        EXPECT_EQ(got.error->number(), want.error->number());
        EXPECT_EQ(got.error->description(), want.error->description());
        return;
    }
    ExpectSameResult(got.result, want.result);
}

// The statement with each literal replaced by other literals (LiteralVariants): through
// the kept statement shapes (prepared for other literals) as translated and prepared anew.
void CheckLiteralVariants(Server& shaped, Server& anew, const QString& catalog, const QString& sql)
{
    for (const QString& variant : LiteralVariants(sql)) {
        SCOPED_TRACE("literal variant: " + variant.toStdString());
        CheckSameOutcome(shaped.run(catalog, variant), anew.run(catalog, variant));
    }
}

} // namespace

void ExpectSameResult(const db::ResultSet& got, const db::ResultSet& want)
{
    EXPECT_EQ(got.columns, want.columns);
    ASSERT_EQ(got.rows.size(), want.rows.size());
    for (size_t r = 0; r < got.rows.size(); ++r)
        for (size_t c = 0; c < got.rows[r].size(); ++c) {
            const db::Value& a = got.rows[r][c];
            const db::Value& b = want.rows[r][c];
            const bool same = a.type() == b.type()
                && (a.type() == db::Value::Type::DateTime ? a.toDateTime() == b.toDateTime() : a.toText() == b.toText());
            EXPECT_TRUE(same) << "row " << r << " column " << c << ": " << int(a.type()) << " "
                              << FieldText(a).toStdString() << " instead of " << int(b.type()) << " "
                              << FieldText(b).toStdString();
        }
}

void CheckStatements(const std::vector<StatementCase>& cases)
{
    Server embedded{[](const QString& catalog) { return DemoConnectionString(catalog); }, {}};
    // The same statements through FreeTDS, against the stand-in serving the demo server.
    std::unique_ptr<TdsStandIn> standIn;
    if (FreeTdsInstalled()) {
        standIn = std::make_unique<TdsStandIn>();
        ASSERT_TRUE(standIn->running());
    }
    Server tds{[&standIn](const QString& catalog) { return standIn->connectionString(catalog); }, {}};

    // scripts/check-modelsql reads the statements from here.
    QFile list(qEnvironmentVariable("BKL_CATALOG_STATEMENTS"));
    if (!list.fileName().isEmpty())
        list.open(QIODevice::Append);
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + "\n  SQL: " + c.sql.toStdString());
        if (list.isOpen())
            list.write((c.catalog + QLatin1Char('\t') + c.sql + QLatin1Char('\n')).toUtf8());
        const Server::Outcome e = embedded.run(c.catalog, c.sql);
        if (standIn)
            CheckSameThroughFreeTds(e, tds.run(c.catalog, c.sql));
        if (c.fails) {
            EXPECT_TRUE(e.error) << "no error";
            continue;
        }
        if (e.error) {
            ADD_FAILURE() << "statement failed: " << e.error->description().toStdString();
            continue;
        }
        QStringList rows = Rows(e.result);
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
    // Once more, last case first: each statement now runs on a statement shape the engine
    // kept from the first pass, mostly prepared for a case with other literals, and answers
    // (or fails) exactly as the statement translated and prepared anew; then so does each
    // statement with one literal replaced by another.
    Server anew{embedded.connectionString, {}, false};
    for (auto c = cases.rbegin(); c != cases.rend(); ++c) {
        SCOPED_TRACE(std::string(c->what) + " (run again)\n  SQL: " + c->sql.toStdString());
        CheckSameOutcome(embedded.run(c->catalog, c->sql), anew.run(c->catalog, c->sql));
    }
    for (const StatementCase& c : cases)
        CheckLiteralVariants(embedded, anew, c.catalog, c.sql);
}

void CheckShapesAgree(const QString& catalog, const QStringList& statements)
{
    Server shaped{[](const QString& catalog) { return DemoConnectionString(catalog); }, {}};
    Server anew{shaped.connectionString, {}, false};
    for (const QString& sql : statements) {
        SCOPED_TRACE("SQL: " + sql.toStdString());
        CheckSameOutcome(shaped.run(catalog, sql), anew.run(catalog, sql));
        CheckLiteralVariants(shaped, anew, catalog, sql);
    }
}

} // namespace bkl::test
