#include "SqliteWriter.h"

#include "platform/db/sqlite/EngineFunctions.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <sqlite3.h>
#include <stdexcept>

namespace demo {

SqliteWriter::SqliteWriter(const QString& finalPath)
    : finalPath_(finalPath),
      // Unique per process, so two generators writing the same folder never share a file.
      tempPath_(finalPath + QStringLiteral(".%1.partial").arg(QCoreApplication::applicationPid()))
{
    QFile::remove(tempPath_);
    if (sqlite3_open(tempPath_.toUtf8().constData(), &db_) != SQLITE_OK)
        fail(QStringLiteral("cannot create ") + tempPath_);
    // Text indexes are ordered by the embedded engine's own case-insensitive collation,
    // so the engine can search them.
    bkl::db::sqlite::RegisterCaseInsensitiveCollation(db_);
    // Page size and encoding fixed so equal content gives equal bytes everywhere.
    exec(QStringLiteral("PRAGMA page_size=4096"));
    exec(QStringLiteral("PRAGMA encoding='UTF-8'"));
    exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    exec(QStringLiteral("PRAGMA synchronous=OFF"));
    exec(QStringLiteral("BEGIN"));
}

SqliteWriter::~SqliteWriter()
{
    for (auto& [name, stmt] : inserts_)
        sqlite3_finalize(stmt);
    if (db_) {
        sqlite3_close(db_);
        QFile::remove(tempPath_); // not finished: leave nothing behind
    }
}

void SqliteWriter::fail(const QString& what) const
{
    const QString detail = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
    throw std::runtime_error((what + QStringLiteral(": ") + detail).toStdString());
}

void SqliteWriter::exec(const QString& sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        throw std::runtime_error((QStringLiteral("SQL failed: ") + msg + QStringLiteral("\n") + sql).toStdString());
    }
}

sqlite3_stmt* SqliteWriter::statementFor(const QString& table, size_t cellCount)
{
    auto it = inserts_.find(table);
    if (it != inserts_.end())
        return it->second;
    QStringList marks;
    for (size_t i = 0; i < cellCount; ++i)
        marks << QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(table, marks.join(QLatin1Char(',')));
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        fail(QStringLiteral("cannot prepare ") + sql);
    inserts_.emplace(table, stmt);
    return stmt;
}

void SqliteWriter::insert(const QString& table, std::initializer_list<Cell> cells)
{
    insert(table, std::vector<Cell>(cells));
}

void SqliteWriter::insert(const QString& table, const std::vector<Cell>& cells)
{
    sqlite3_stmt* stmt = statementFor(table, cells.size());
    int index = 1;
    for (const Cell& cell : cells) {
        if (const auto* i = std::get_if<int64_t>(&cell)) {
            sqlite3_bind_int64(stmt, index, *i);
        } else if (const auto* d = std::get_if<double>(&cell)) {
            sqlite3_bind_double(stmt, index, *d);
        } else if (const auto* s = std::get_if<QString>(&cell)) {
            const QByteArray utf8 = s->toUtf8();
            sqlite3_bind_text(stmt, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(stmt, index);
        }
        ++index;
    }
    if (sqlite3_step(stmt) != SQLITE_DONE)
        fail(QStringLiteral("insert into ") + table + QStringLiteral(" failed"));
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
}

void SqliteWriter::finish()
{
    for (auto& [name, stmt] : inserts_)
        sqlite3_finalize(stmt);
    inserts_.clear();
    exec(QStringLiteral("COMMIT"));
    if (sqlite3_close(db_) != SQLITE_OK)
        fail(QStringLiteral("cannot close ") + tempPath_);
    db_ = nullptr;
    QFile::remove(finalPath_);
    if (!QFile::rename(tempPath_, finalPath_))
        throw std::runtime_error((QStringLiteral("cannot move into place: ") + finalPath_).toStdString());
}

} // namespace demo
