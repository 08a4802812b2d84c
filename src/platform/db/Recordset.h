#pragma once
#include "platform/db/Connection.h"

#include <memory>

namespace bkl::db {

// A forward-only view over one statement's result.
//   Recordset rs; rs.open(sql, cn); while (!rs.eof()) { rs.field("Name").toText(); rs.moveNext(); } rs.close();
// Reading a field without a current row (at end of data) is an error, as is an unknown field name.
class Recordset {
public:
    Recordset() = default;
    Recordset(const QString& sql, const Connection& cn) { open(sql, cn); }

    // Reads the whole result first: recordCount() is known, and any number of
    // recordsets may be open on one connection.
    void open(const QString& sql, const Connection& cn); // throws DbError
    // For callers that only walk forward and never ask for recordCount() (it is -1):
    // the backend hands rows out as it reads them instead of reading the whole result
    // first, so a long statement does not hold the window for its whole run. Reading
    // a row may throw DbError (a timeout, a failing function).
    void openForwardOnly(const QString& sql, const Connection& cn); // throws DbError
    void close();
    bool isOpen() const { return result_ != nullptr || cursor_ != nullptr; }

    bool eof() const;
    void moveNext();
    long long recordCount() const;

    int fieldCount() const;
    QString fieldName(int index) const;
    // By name, case-insensitive; or by 0-based position.
    const Value& field(const QString& name) const;
    const Value& field(int index) const;
    const Value& operator[](const QString& name) const { return field(name); }
    const Value& operator[](int index) const { return field(index); }

private:
    struct Cursor {
        std::unique_ptr<RowReader> reader;
        std::vector<Value> row;
        bool atEnd = false;
    };
    std::shared_ptr<const ResultSet> result_;
    size_t row_ = 0;
    std::shared_ptr<Cursor> cursor_; // forward-only
    void requireOpen() const;
    const QStringList& columns() const;
};

} // namespace bkl::db
