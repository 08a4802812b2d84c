#include "support/SlowLike.h"

#include "platform/db/sqlite/EmbeddedEngine.h"

#include <QElapsedTimer>
#include <sqlite3.h>

namespace bkl::test {
namespace {

int g_microseconds = 0;
int g_calls = 0;

void slowLike(sqlite3_context* c, int, sqlite3_value** argv)
{
    ++g_calls;
    QElapsedTimer spent;
    spent.start();
    while (spent.nsecsElapsed() < qint64(g_microseconds) * 1000) {
    }
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    if (!pattern || !text)
        return sqlite3_result_null(c);
    sqlite3_result_int(c, sqlite3_strlike(pattern, text, 0) == 0 ? 1 : 0);
}

} // namespace

SlowLike::SlowLike(int microsecondsPerRow)
{
    g_microseconds = microsecondsPerRow;
    g_calls = 0;
    db::sqlite::SetOpenHookForTesting([](sqlite3* db) {
        sqlite3_create_function(db, "like", 2, SQLITE_UTF8, nullptr, slowLike, nullptr, nullptr);
    });
}

SlowLike::~SlowLike() { db::sqlite::SetOpenHookForTesting(nullptr); }

int SlowLike::calls() { return g_calls; }

void SlowLike::resetCalls() { g_calls = 0; }

} // namespace bkl::test
