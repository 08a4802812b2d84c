#pragma once
// Reads a generated demo database directly (not through the data layer), so the
// generator's tests do not depend on the embedded engine.
#include <QString>
#include <QStringList>

namespace bkl::test {

// Rows of a query, each row its values joined by "|" (NULL written as "NULL").
QStringList DemoRows(const QString& databaseFile, const QString& sql);
// The single value of a one-row, one-column query.
QString DemoValue(const QString& databaseFile, const QString& sql);
// Path of a database of the build's demo server.
QString DemoFile(const QString& database);
// Runs the generator; returns its exit code.
int RunDemoModel(const QStringList& arguments);

} // namespace bkl::test
