#pragma once
// A write-only SQLite file for the demo generator: one transaction, cached
// prepared inserts, no journal. The file is written under a temporary name and
// moved into place when finished, so a crash never leaves a half-written database
// behind under the real name. The embedded engine's case-insensitive collation is
// registered, for the indexes of text columns.
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace demo {

struct Null {};
using Cell = std::variant<Null, int64_t, double, QString>;

class SqliteWriter {
public:
    explicit SqliteWriter(const QString& finalPath);
    ~SqliteWriter();
    SqliteWriter(const SqliteWriter&) = delete;
    SqliteWriter& operator=(const SqliteWriter&) = delete;

    // Runs DDL or any other statement without parameters. Throws std::runtime_error.
    void exec(const QString& sql);
    // Inserts one row into a table; the cells bind to its columns in declared order.
    void insert(const QString& table, std::initializer_list<Cell> cells);
    void insert(const QString& table, const std::vector<Cell>& cells);
    // Commits and moves the file to its final name.
    void finish();

private:
    sqlite3_stmt* statementFor(const QString& table, size_t cellCount);
    [[noreturn]] void fail(const QString& what) const;

    QString finalPath_;
    QString tempPath_;
    sqlite3* db_ = nullptr;
    std::map<QString, sqlite3_stmt*> inserts_;
};

} // namespace demo
