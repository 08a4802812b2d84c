// A short, deterministic fuzz run of the embedded engine: mutations of the statements
// the program sends, each of which must answer or fail with a DbError (no crash, no
// other exception, no hang).
#include "platform/db/DbError.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "support/DemoModel.h"
#include "support/EveryObjectRun.h"

#include <QSet>
#include <gtest/gtest.h>
#include <random>

using namespace bkl;

TEST(EngineFuzz, MutatedProgramStatementsAnswerOrFail)
{
    const db::Connection source = test::OpenDemoModel(QLatin1String(test::kSourceModel));
    const db::Connection target = test::OpenDemoModel(QLatin1String(test::kTargetModel));
    QSet<QString> seen;
    test::RenderAndCompareEveryObject(source, target, [&] { db::SetStatementObserver([&](const QString& sql) { seen.insert(sql); }); });
    db::SetStatementObserver({});
    QStringList statements = seen.values();
    statements.sort(); // the run's order of a set is not fixed; the mutations must be
    ASSERT_GE(statements.size(), 40);

    db::sqlite::SetStatementShapesEnabled(false);
    db::Connection anew = test::OpenDemoModel(QLatin1String(test::kSourceModel));
    db::sqlite::SetStatementShapesEnabled(true);
    db::Connection shaped = test::OpenDemoModel(QLatin1String(test::kSourceModel));
    for (db::Connection* cn : {&anew, &shaped})
        cn->setCommandTimeout(2);

    const char* const pieces[] = {"(", ")", "'", "''", "N'", "[", "]", "\"", "--", "/*", "*/", "\r", "\n", ";", ",", ".",
                                  "+", "-", "*", "=", "<>", "0", "7", "1e", "2147483648", "99999999999999999999", " NOT ",
                                  " AND ", " OR ", " IN ", " LIKE '%", " IS NULL", "SELECT ", " FROM ", " WHERE ", " UNION ",
                                  " TOP 1 ", " ORDER BY 1", " GROUP BY ", "CAST(", " AS varchar(5))", "left(", "charindex(",
                                  "sys.columns", "@x", "#t", "\x01", "é", "\xe2\x80\x8b"};
    std::mt19937 random(20261207);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(std::max(1, n))); };
    int answered = 0, failed = 0;
    for (int i = 0; i < 3000; ++i) {
        QString sql = statements.at(pick(int(statements.size())));
        for (int step = 1 + pick(3); step > 0; --step) {
            const int at = pick(int(sql.size()) + 1);
            const int length = 1 + pick(12);
            switch (pick(4)) {
            case 0: sql.remove(at, length); break;
            case 1: sql.insert(at, sql.mid(pick(int(sql.size())), length)); break;
            case 2: sql.insert(at, QString::fromUtf8(pieces[pick(int(std::size(pieces)))])); break;
            default: sql.truncate(at); break;
            }
        }
        try {
            (i % 2 ? shaped : anew).execute(sql);
            ++answered;
        } catch (const db::DbError&) {
            ++failed;
        } catch (...) {
            ADD_FAILURE() << "not a DbError: " << sql.toStdString();
        }
    }
    // Most mutants are refused, but enough still run to reach SQLite with odd statements.
    EXPECT_GT(answered, 100) << answered << " " << failed;
    EXPECT_GT(failed, 1000);
}
