#include "DemoFile.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <sqlite3.h>
#include <stdexcept>

namespace bkl::test {

QStringList DemoRows(const QString& databaseFile, const QString& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databaseFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + databaseFile.toStdString());
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message + " in " + sql.toStdString());
    }
    QStringList rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            values << (text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
        }
        rows << values.join(QLatin1Char('|'));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

QString DemoValue(const QString& databaseFile, const QString& sql)
{
    const QStringList rows = DemoRows(databaseFile, sql);
    return rows.size() == 1 ? rows.front() : QStringLiteral("<%1 rows>").arg(rows.size());
}

QString DemoFile(const QString& database)
{
    return QDir(DemoServerFolder()).filePath(database + QStringLiteral(".sqlite"));
}

int RunDemoModel(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(BKL_DEMO_MODEL_EXE), arguments);
    if (!process.waitForFinished(120000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace bkl::test
