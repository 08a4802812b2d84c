// The demo models carry the keys and indexes of a real model, and the embedded engine
// can use them: text keys are ordered by the engine's own collation, and the translated
// statements of the program search them instead of reading whole tables.
#include "DemoFile.h"

#include "platform/db/sqlite/CatalogEmulation.h"
#include "platform/db/sqlite/EngineFunctions.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "platform/db/sqlite/TsqlTranslator.h"
#include "support/DemoModel.h"
#include "support/EveryObjectRun.h"

#include <QSet>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace bkl::test;
using namespace bkl::db::sqlite;

namespace {

// A demo database opened read-only with the engine's collation and functions.
class EngineView {
public:
    explicit EngineView(const QString& database)
    {
        if (sqlite3_open_v2(DemoFile(database).toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + database.toStdString());
        RegisterEngineFunctions(db_, &context_);
        CreateCatalog(context_, database, {});
        FillCatalogOnFirstUse(context_, QStringLiteral("bkl_sys_columns"));
    }
    ~EngineView() { sqlite3_close(db_); }

    // Rows of a SQLite statement, values joined by "|".
    QStringList rows(const QString& sql) const
    {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db_))};
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList values;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            out << values.join(QLatin1Char('|'));
        }
        sqlite3_finalize(st);
        return out;
    }

    // The query plan of a SQLite statement, one step a line.
    QString plan(const QString& sql) const
    {
        QStringList steps;
        for (const QString& row : rows(QStringLiteral("EXPLAIN QUERY PLAN ") + sql))
            steps << row.section(QLatin1Char('|'), 3);
        return steps.join(QLatin1Char('\n'));
    }

    // The query plan of a T-SQL statement as the engine translates it.
    QString planOf(const QString& tsql) const
    {
        return plan(TranslateTsql(tsql, [this](const QString& table) {
            std::optional<std::vector<ColumnType>> cols;
            for (const QString& row : rows(QStringLiteral("SELECT name || '|' || type FROM pragma_table_info('%1')").arg(table))) {
                if (!cols)
                    cols.emplace();
                cols->push_back({row.section(QLatin1Char('|'), 0, 0), row.section(QLatin1Char('|'), 1)});
            }
            return cols;
        }));
    }

private:
    sqlite3* db_ = nullptr;
    EngineContext context_;
};

} // namespace

TEST(DemoModelIndexes, TextKeysAreOrderedByTheEngineCollation)
{
    for (const char* database : {"SalesModel2026", "SalesModel2026_Target", "EdgeCaseModel", "SalesArchive2025"}) {
        // The check walks every index with the engine's ordering: a key out of that
        // order would be a row the engine's searches never find.
        EXPECT_EQ(EngineView(database).rows(QStringLiteral("PRAGMA integrity_check")), QStringList{"ok"}) << database;
        EXPECT_EQ(DemoValue(DemoFile(database), QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'IX_Calculation_Name'")),
                  QStringLiteral("CREATE INDEX [IX_Calculation_Name] ON [Calculation] ([Name] COLLATE BKL_CI)"))
            << database;
    }
    // A reader without the collation still reads the tables (only the text indexes need it).
    EXPECT_EQ(DemoValue(DemoFile(QStringLiteral("SalesModel2026")),
                        QStringLiteral("SELECT CalculationID FROM Calculation WHERE Name = 'Commission Amount'")),
              QStringLiteral("1005"));
    // Through the index, a name matches as the server's comparison does: any case, trailing blanks.
    const EngineView model(QStringLiteral("SalesModel2026"));
    EXPECT_EQ(model.rows(QStringLiteral("SELECT CalculationID FROM Calculation INDEXED BY IX_Calculation_Name "
                                       "WHERE Name COLLATE BKL_CI = 'COMMISSION amount  '")),
              QStringList{"1005"});
}

TEST(DemoModelIndexes, NoPerObjectStatementReadsAWholeTable)
{
    // Every statement the program sends for one object (preview, export, compare) finds
    // its rows through a key or an index, as on a server: none grows with the model.
    QSet<QString> statements;
    const bkl::db::Connection source = OpenDemoModel(QLatin1String(kSourceModel));
    const bkl::db::Connection target = OpenDemoModel(QLatin1String(kTargetModel));
    RenderAndCompareEveryObject(source, target, [&] {
        SetEngineObserver([&](const EngineExecution& e) {
            if (e.database == QLatin1String(kSourceModel))
                statements.insert(QString::fromUtf8(e.sql));
        });
    });
    SetEngineObserver({});
    EXPECT_GE(statements.size(), 35);
    const EngineView model{QLatin1String(kSourceModel)};
    for (const QString& sql : statements)
        EXPECT_FALSE(model.plan(sql).contains(QLatin1String("SCAN "))) << sql.toStdString() << "\n" << model.plan(sql).toStdString();
    // Newest audit rows first: read backwards along the time index, no sort of the whole log.
    EXPECT_EQ(model.planOf("SELECT TOP 200 UserID AS AUDITUSERID, Time AS AUDITTIME FROM Audit ORDER BY Time DESC"),
              QStringLiteral("SCAN Audit USING INDEX IX_Audit_Time"));
}
