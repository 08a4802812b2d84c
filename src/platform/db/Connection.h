#pragma once
#include "platform/db/Value.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace bkl::db {

// A whole result, read when the statement ran (client-side static cursor), so any
// number of recordsets can be open on one connection at a time.
struct ResultSet {
    QStringList columns;
    std::vector<std::vector<Value>> rows;
};

// One statement's rows, handed out in order as the backend reads them.
class RowReader {
public:
    virtual ~RowReader() = default;
    virtual const QStringList& columns() const = 0;
    // Reads the next row into `row`; false at the end of the rows. Throws DbError.
    virtual bool next(std::vector<Value>& row) = 0;
};

// What a backend (embedded engine, ODBC) implements.
class Backend {
public:
    virtual ~Backend() = default;
    virtual ResultSet execute(const QString& sql, int commandTimeoutSeconds) = 0;
    // Rows as they are read. By default the whole result is read first (execute).
    virtual std::unique_ptr<RowReader> executeForwardOnly(const QString& sql, int commandTimeoutSeconds);
};

// A connection, shaped like the classic data-access object the program was built
// around: set the connection string and timeouts, open, run statements, close.
// Copies refer to the same connection (like object references).
//
// The backend is chosen by "Data Source": a folder (absolute, relative to the
// application folder, or written local:<folder>) is the embedded engine's server;
// anything else is a SQL Server reached over ODBC.
class Connection {
public:
    Connection();

    void setConnectionString(const QString& cs);
    QString connectionString() const;
    void setCommandTimeout(int seconds); // default 30
    int commandTimeout() const;
    void setLoginTimeout(int seconds); // default 15
    int loginTimeout() const;

    void open(); // throws DbError
    void close();
    bool isOpen() const;

    // Runs one statement and returns its whole result. Throws DbError.
    ResultSet execute(const QString& sql) const;
    // Runs one statement whose rows are read in order as the caller asks for them
    // (the embedded engine steps its statement row by row; the reader keeps the
    // backend alive). Throws DbError, also from the reader.
    std::unique_ptr<RowReader> executeForwardOnly(const QString& sql) const;

    // True when both refer to the same underlying connection.
    bool sameAs(const Connection& other) const { return d_ == other.d_; }

private:
    struct Data;
    std::shared_ptr<Data> d_;
    std::shared_ptr<Backend> backendFor(const QString& sql) const; // throws when closed; tells the observer

};

// Test seam: when set, called with every statement just before any connection
// runs it (tests count and pin the statements a renderer sends). Empty: none.
using StatementObserver = std::function<void(const QString& sql)>;
void SetStatementObserver(StatementObserver observer);

} // namespace bkl::db
