#include "platform/db/sqlite/EmbeddedEngine.h"

#include "platform/db/sqlite/CatalogEmulation.h"
#include "platform/db/sqlite/EngineFunctions.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "platform/db/sqlite/SqliteValue.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlTranslator.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QHash>

#include <sqlite3.h>

namespace bkl::db::sqlite {

namespace {

const QStringList& systemDatabases()
{
    static const QStringList names{QStringLiteral("master"), QStringLiteral("model"), QStringLiteral("msdb"),
                                   QStringLiteral("tempdb")};
    return names;
}

QString source() { return QString::fromLatin1(kEngineSource); }

int progressCallback(void* deadline) { return static_cast<QDeadlineTimer*>(deadline)->hasExpired() ? 1 : 0; }

class EmbeddedBackend : public Backend {
public:
    EmbeddedBackend(sqlite3* db, const QString& databaseName, const QStringList& serverDatabases)
        : db_(db), databaseName_(databaseName)
    {
        try {
            // A "quoted" name that matches nothing must be an error, not a string.
            sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
            sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
            RegisterEngineFunctions(db_, &context_);
            CreateCatalog(context_, databaseName, serverDatabases);
        } catch (...) {
            sqlite3_close_v2(db_);
            throw;
        }
    }
    ~EmbeddedBackend() override { sqlite3_close_v2(db_); }

    ResultSet execute(const QString& sql, int commandTimeoutSeconds) override
    {
        const bool cached = translations_.contains(sql);
        const QByteArray utf8 = translated(sql);
        if (CurrentEngineObserver())
            CurrentEngineObserver()({databaseName_, utf8, {}, cached});
        struct Guard {
            sqlite3* db;
            sqlite3_stmt* st = nullptr;
            ~Guard()
            {
                sqlite3_finalize(st);
                sqlite3_progress_handler(db, 0, nullptr, nullptr);
            }
        } g{db_};
        context_.functionError = 0;
        if (sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &g.st, nullptr) != SQLITE_OK)
            fail(sql);
        if (!sqlite3_stmt_readonly(g.st))
            throw DbError(engine_err::ReadOnly, source(),
                          QStringLiteral("The model database is read-only; the statement would change it: %1").arg(sql));
        QDeadlineTimer deadline(QDeadlineTimer::Forever);
        if (commandTimeoutSeconds > 0) {
            deadline.setRemainingTime(qint64(commandTimeoutSeconds) * 1000);
            sqlite3_progress_handler(db_, 10000, progressCallback, &deadline);
        }
        ResultSet result;
        const int columns = sqlite3_column_count(g.st);
        std::vector<DeclaredType> declared;
        for (int i = 0; i < columns; ++i) {
            result.columns << QString::fromUtf8(sqlite3_column_name(g.st, i));
            declared.push_back(ColumnDeclaredType(g.st, i));
        }
        int rc;
        while ((rc = sqlite3_step(g.st)) == SQLITE_ROW) {
            std::vector<Value> row;
            row.reserve(static_cast<size_t>(columns));
            for (int i = 0; i < columns; ++i)
                row.push_back(ColumnValue(g.st, i, declared[static_cast<size_t>(i)]));
            result.rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            if (rc == SQLITE_INTERRUPT)
                throw DbError(engine_err::Timeout, source(),
                              QStringLiteral("Query timeout expired after %1 seconds: %2").arg(commandTimeoutSeconds).arg(sql));
            fail(sql);
        }
        return result;
    }

private:
    sqlite3* db_;
    QString databaseName_;
    EngineContext context_;
    QHash<QString, std::optional<std::vector<ColumnType>>> schemaCache_;
    QHash<QString, QByteArray> translations_; // T-SQL -> SQLite statement (UTF-8)

    // Programs repeat statements (a folder shared by many calculations, the preview and
    // then the export of the same objects); the schema of a read-only file stays as it
    // was, so a statement's translation does too.
    QByteArray translated(const QString& sql)
    {
        if (const auto it = translations_.constFind(sql); it != translations_.constEnd())
            return it.value();
        constexpr qsizetype kMaxTranslations = 4096;
        if (translations_.size() >= kMaxTranslations)
            translations_.clear();
        const QByteArray utf8 = TranslateTsql(sql, [this](const QString& t) { return columnsOf(t); }).toUtf8();
        translations_.insert(sql, utf8);
        return utf8;
    }

    [[noreturn]] void fail(const QString& sql) const
    {
        const long number = context_.functionError ? context_.functionError : sqlite3_errcode(db_);
        throw DbError(number, source(), QStringLiteral("%1 in statement: %2").arg(QString::fromUtf8(sqlite3_errmsg(db_)), sql));
    }

    std::optional<std::vector<ColumnType>> columnsOf(const QString& table)
    {
        const QString key = table.toLower();
        if (const auto it = schemaCache_.constFind(key); it != schemaCache_.constEnd())
            return it.value();
        // The translator asks for the columns of every object a statement names.
        FillCatalogOnFirstUse(context_, table);
        std::optional<std::vector<ColumnType>> cols;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, "SELECT name, type FROM pragma_table_info(?1)", -1, &st, nullptr) == SQLITE_OK) {
            const QByteArray name = table.toUtf8();
            sqlite3_bind_text(st, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
            while (sqlite3_step(st) == SQLITE_ROW) {
                if (!cols)
                    cols.emplace();
                cols->push_back({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                                 QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))});
            }
        }
        sqlite3_finalize(st);
        schemaCache_.insert(key, cols);
        return cols;
    }
};

} // namespace

std::unique_ptr<Backend> OpenEmbedded(const QString& serverFolder, const QString& catalog)
{
    const QDir dir(serverFolder);
    if (serverFolder.isEmpty() || !dir.exists())
        throw DbError(engine_err::ServerNotFound, source(),
                      QStringLiteral("The server folder \"%1\" does not exist or cannot be read.").arg(serverFolder));

    // The server's databases: the four system names, then every <name>.sqlite file.
    QStringList databases = systemDatabases();
    QHash<QString, QString> fileByName; // lower-cased name -> file path
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.sqlite")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString name = f.fileName().chopped(7);
        if (name.isEmpty() || systemDatabases().contains(name, Qt::CaseInsensitive) || fileByName.contains(name.toLower()))
            continue;
        databases << name;
        fileByName.insert(name.toLower(), f.absoluteFilePath());
    }

    const QString wanted = catalog.trimmed().isEmpty() ? QStringLiteral("master") : catalog.trimmed();
    QString databaseName;
    QString path;
    for (const QString& system : systemDatabases())
        if (system.compare(wanted, Qt::CaseInsensitive) == 0)
            databaseName = system;
    if (databaseName.isEmpty()) {
        path = fileByName.value(wanted.toLower());
        if (path.isEmpty())
            throw DbError(engine_err::UnknownDatabase, source(),
                          QStringLiteral("Cannot open database \"%1\" requested by the login. The login failed.").arg(wanted));
        databaseName = QFileInfo(path).fileName().chopped(7);
    }

    // System databases are empty virtual catalogs; model files are opened read-only.
    sqlite3* db = nullptr;
    const QByteArray file = path.isEmpty() ? QByteArray(":memory:") : QFile::encodeName(path);
    const int flags = path.isEmpty() ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY : SQLITE_OPEN_READONLY;
    const int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw DbError(rc, source(), QStringLiteral("Cannot open database \"%1\": %2").arg(databaseName, message));
    }
    return std::make_unique<EmbeddedBackend>(db, databaseName, databases);
}

} // namespace bkl::db::sqlite
