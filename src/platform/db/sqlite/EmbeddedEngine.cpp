#include "platform/db/sqlite/EmbeddedEngine.h"

#include "platform/core/ActiveRun.h"
#include "platform/db/sqlite/CatalogEmulation.h"
#include "platform/db/sqlite/EngineFunctions.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "platform/db/sqlite/ShapeCache.h"
#include "platform/db/sqlite/StatementShape.h"
#include "platform/db/sqlite/SqliteValue.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlTranslator.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QDir>
#include <QHash>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>

namespace bkl::db::sqlite {

namespace {

const QStringList& systemDatabases()
{
    static const QStringList names{QStringLiteral("master"), QStringLiteral("model"), QStringLiteral("msdb"),
                                   QStringLiteral("tempdb")};
    return names;
}

QString source() { return QString::fromLatin1(kEngineSource); }

// How a model file is opened: read-only, and never so that anything is written beside
// it. A file in WAL mode would get "-wal" and "-shm" files (and cannot be opened at all
// in a folder the user may not write), so it is opened immutable: read as it is, no
// locks. Changes still waiting in its write-ahead log could not be seen that way, so
// such a file is refused.
struct OpenSpec {
    QByteArray name;
    int flags;
};

OpenSpec modelOpenSpec(const QString& path, const QString& databaseName)
{
    QFile file(path);
    QByteArray header;
    if (file.open(QIODevice::ReadOnly))
        header = file.read(20);
    // Bytes 18 and 19 of the header, the file format's write and read versions, are 2 in WAL mode.
    const bool wal = header.size() == 20 && (header.at(18) == 2 || header.at(19) == 2);
    if (!wal)
        return {QFile::encodeName(path), SQLITE_OPEN_READONLY};
    if (QFileInfo(path + QStringLiteral("-wal")).size() > 0)
        throw DbError(SQLITE_CANTOPEN, source(),
                      QStringLiteral("Cannot open database \"%1\": its write-ahead log \"%2\" holds changes that are not "
                                     "in the file yet, and the embedded server never writes beside a model file. Let the "
                                     "program that wrote it checkpoint the log first.")
                          .arg(databaseName, QFileInfo(path).fileName() + QStringLiteral("-wal")));
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded() + "?immutable=1";
    return {uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI};
}

// Why SQLite was told to give up a statement it was stepping.
enum class Interruption { None, Timeout, Stop };

// How often, in SQLite's virtual-machine steps, a statement being stepped calls back:
// often enough that the event loop turns on its slice, rarely enough to cost nothing.
constexpr int kProgressSteps = 1000;

// What the progress callback watches while one statement steps.
struct StepWatch {
    const QDeadlineTimer* deadline; // the command timeout; null: none
    bool* turning;                  // the backend's "the loop is turning inside a step"
    Interruption* why;
};

std::function<bool()>& stepStopHook()
{
    static std::function<bool()> hook;
    return hook;
}

// The command timeout ends the statement once its deadline has passed. Inside a run
// the event loop turns when its slice is due, and a stop the user asked for meanwhile
// interrupts the statement; so does the step stop hook when it says so.
int progressCallback(void* data)
{
    const auto* watch = static_cast<const StepWatch*>(data);
    if (watch->deadline && watch->deadline->hasExpired()) {
        *watch->why = Interruption::Timeout;
        return 1;
    }
    if (stepStopHook() && stepStopHook()()) {
        *watch->why = Interruption::Stop;
        return 1;
    }
    if (!RunActive() || *watch->turning)
        return 0;
    *watch->turning = true;
    PumpWhenDueInRun();
    *watch->turning = false;
    if (!RunStopRequested())
        return 0;
    *watch->why = Interruption::Stop;
    return 1;
}

std::function<void(sqlite3*)>& openHook()
{
    static std::function<void(sqlite3*)> hook;
    return hook;
}

// Prepared statements kept per connection: far more than the shapes one run uses.
constexpr size_t kShapeCacheSize = 256;

class EmbeddedBackend : public Backend, public std::enable_shared_from_this<EmbeddedBackend> {
public:
    EmbeddedBackend(sqlite3* db, const QString& databaseName, const QStringList& serverDatabases,
                    std::function<sqlite3*()> openAnother)
        : db_(db), databaseName_(databaseName), shapes_(StatementShapesEnabled())
    {
        try {
            // A "quoted" name that matches nothing must be an error, not a string.
            sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
            sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
            // The model file's shared lock is taken at the first read and kept until the
            // connection closes (for a read-only connection SQLite's exclusive locking mode
            // never takes more): no statement pays for taking and dropping the lock and
            // checking the file for changes, and no writer can change it under a run.
            sqlite3_exec(db_, "PRAGMA main.locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
            RegisterEngineFunctions(db_, &context_);
            if (openHook())
                openHook()(db_);
            CreateCatalog(context_, databaseName, serverDatabases, std::move(openAnother));
        } catch (...) {
            sqlite3_close_v2(db_);
            throw;
        }
    }
    ~EmbeddedBackend() override
    {
        *context_.columnCatalogCancelled = true; // a catalog still being built is not waited for long
        cache_.clear();
        sqlite3_close_v2(db_);
    }

    ResultSet execute(const QString& sql, int commandTimeoutSeconds) override
    {
        const std::shared_ptr<PreparedStatement> p = acquire(sql);
        const Release release{p};
        ResultSet result;
        result.columns = p->columns;
        const size_t columns = p->declared.size();
        QDeadlineTimer deadline(qint64(commandTimeoutSeconds) * 1000);
        const Watch watch(*this, commandTimeoutSeconds > 0 ? &deadline : nullptr);
        context_.functionError = 0;
        int rc;
        while ((rc = sqlite3_step(p->st)) == SQLITE_ROW) {
            std::vector<Value> row;
            row.reserve(columns);
            for (size_t i = 0; i < columns; ++i)
                row.push_back(ColumnValue(p->st, static_cast<int>(i), p->declared[i]));
            result.rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE)
            fail(sql, rc, commandTimeoutSeconds);
        return result;
    }

    std::unique_ptr<RowReader> executeForwardOnly(const QString& sql, int commandTimeoutSeconds) override;

    // One step of a statement a reader walks, within what is left of its timeout.
    bool step(PreparedStatement& p, const QString& sql, int commandTimeoutSeconds, qint64& remainingMs,
              std::vector<Value>& row)
    {
        QDeadlineTimer deadline(qMax<qint64>(remainingMs, 0));
        QElapsedTimer clock;
        clock.start();
        requireIdle(sql);
        int rc;
        {
            const Watch watch(*this, commandTimeoutSeconds > 0 ? &deadline : nullptr);
            context_.functionError = 0;
            rc = sqlite3_step(p.st);
        }
        remainingMs -= clock.elapsed();
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            fail(sql, rc, commandTimeoutSeconds);
        row.resize(p.declared.size());
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = ColumnValue(p.st, static_cast<int>(i), p.declared[i]);
        return true;
    }

    // Ends the use of a statement: reset for the next execution of its shape.
    static void release(PreparedStatement& p)
    {
        sqlite3_reset(p.st);
        p.inUse = false;
    }

private:
    sqlite3* db_;
    QString databaseName_;
    EngineContext context_;
    QHash<QString, std::optional<std::vector<ColumnType>>> schemaCache_;
    bool shapes_;
    StatementShape shape_;
    ShapeCache cache_{kShapeCacheSize};

    struct Release {
        const std::shared_ptr<PreparedStatement>& p;
        ~Release() { EmbeddedBackend::release(*p); }
    };

    bool turning_ = false; // the event loop is turning inside a step of this connection
    Interruption why_ = Interruption::None;

    // Watches one step of a statement (see progressCallback) when it has a command
    // timeout, a run is active or a step stop hook is set.
    struct Watch {
        Watch(EmbeddedBackend& backend, const QDeadlineTimer* deadline)
            : db_(backend.db_), on_(deadline || RunActive() || stepStopHook()),
              watch_{deadline, &backend.turning_, &backend.why_}
        {
            backend.why_ = Interruption::None;
            if (on_)
                sqlite3_progress_handler(db_, kProgressSteps, progressCallback, &watch_);
        }
        ~Watch()
        {
            if (on_)
                sqlite3_progress_handler(db_, 0, nullptr, nullptr);
        }
        sqlite3* db_;
        bool on_;
        StepWatch watch_;
    };

    // SQLite allows no other use of a connection while it is stepping one of its
    // statements; a turn of the event loop inside a step must not start one.
    void requireIdle(const QString& sql) const
    {
        if (turning_)
            throw DbError(err::ProviderError, source(),
                          QStringLiteral("The connection is busy with another statement: %1").arg(sql));
    }

    // The statement's prepared form, its literals bound: from the cache by the
    // statement's shape, translated and prepared once per shape. A cached statement
    // that a reader is still stepping (a recursive walk runs the same shape inside
    // it) is left alone: the shape is prepared again for this run.
    std::shared_ptr<PreparedStatement> acquire(const QString& sql)
    {
        requireIdle(sql);
        if (!shapes_ || !shape_.split(sql))
            return prepareOnce(sql);
        bool cached = true;
        // Mostly every literal of a shape is a parameter, and the skeleton is its key.
        std::shared_ptr<PreparedStatement> p = cache_.find(shape_.skeleton());
        if (!p)
            if (const std::vector<int>* parameters = cache_.parametersOf(shape_.skeleton());
                parameters && parameters->size() < shape_.positions().size())
                p = cache_.find(shape_.key(*parameters));
        if (!p) {
            cached = false;
            TranslatedShape t = TranslateTsqlShape(sql, schema(), shape_.positions());
            const QString key =
                t.parameters.size() == shape_.positions().size() ? shape_.skeleton() : shape_.key(t.parameters);
            cache_.setParametersOf(shape_.skeleton(), t.parameters);
            p = prepare(sql, t.sql.toUtf8(), std::move(t.parameters));
            cache_.insert(key, p);
        }
        if (p->inUse)
            p = prepare(sql, p->sql, p->parameters);
        p->inUse = true;
        for (const int ordinal : p->parameters) {
            const BoundValue v = shape_.value(ordinal);
            const int index = ordinal + 1;
            if (const auto* n = std::get_if<qint64>(&v)) {
                sqlite3_bind_int64(p->st, index, *n);
            } else {
                const QByteArray& text = std::get<QByteArray>(v);
                sqlite3_bind_text(p->st, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            }
        }
        if (const EngineObserver& observe = CurrentEngineObserver()) {
            std::vector<BoundValue> values(p->parameters.empty() ? 0 : static_cast<size_t>(p->parameters.back()) + 1, qint64(0));
            for (int ordinal : p->parameters)
                values[static_cast<size_t>(ordinal)] = shape_.value(ordinal);
            observe({databaseName_, p->sql, std::move(values), cached});
        }
        return p;
    }

    // Translated with its literals in the text, prepared for this run only.
    std::shared_ptr<PreparedStatement> prepareOnce(const QString& sql)
    {
        auto p = prepare(sql, TranslateTsql(sql, schema()).toUtf8(), {});
        p->inUse = true;
        if (const EngineObserver& observe = CurrentEngineObserver())
            observe({databaseName_, p->sql, {}, false});
        return p;
    }

    std::shared_ptr<PreparedStatement> prepare(const QString& sql, const QByteArray& sqlite, std::vector<int> parameters)
    {
        auto p = std::make_shared<PreparedStatement>();
        p->sql = sqlite;
        p->parameters = std::move(parameters);
        context_.functionError = 0;
        if (sqlite3_prepare_v2(db_, sqlite.constData(), static_cast<int>(sqlite.size()), &p->st, nullptr) != SQLITE_OK)
            fail(sql, sqlite3_errcode(db_), 0);
        if (!sqlite3_stmt_readonly(p->st))
            throw DbError(engine_err::ReadOnly, source(),
                          QStringLiteral("The model database is read-only; the statement would change it: %1").arg(sql));
        const int columns = sqlite3_column_count(p->st);
        for (int i = 0; i < columns; ++i) {
            p->columns << QString::fromUtf8(sqlite3_column_name(p->st, i));
            p->declared.push_back(ColumnDeclaredType(p->st, i));
        }
        return p;
    }

    SchemaLookup schema()
    {
        return [this](const QString& t) { return columnsOf(t); };
    }

    [[noreturn]] void fail(const QString& sql, int rc, int commandTimeoutSeconds) const
    {
        if (rc == SQLITE_INTERRUPT && why_ == Interruption::Stop)
            throw StatementStopped();
        if (rc == SQLITE_INTERRUPT)
            throw DbError(engine_err::Timeout, source(),
                          QStringLiteral("Query timeout expired after %1 seconds: %2").arg(commandTimeoutSeconds).arg(sql));
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

// The rows of one statement, stepped as they are asked for. It keeps the backend
// (and so the database) alive until it is done.
class EmbeddedReader : public RowReader {
public:
    EmbeddedReader(std::shared_ptr<EmbeddedBackend> backend, std::shared_ptr<PreparedStatement> p, const QString& sql,
                   int commandTimeoutSeconds)
        : backend_(std::move(backend)), p_(std::move(p)), sql_(sql), timeout_(commandTimeoutSeconds),
          remainingMs_(qint64(commandTimeoutSeconds) * 1000)
    {
    }
    ~EmbeddedReader() override { finish(); }
    const QStringList& columns() const override { return p_->columns; }
    bool next(std::vector<Value>& row) override
    {
        if (done_)
            return false;
        try {
            if (backend_->step(*p_, sql_, timeout_, remainingMs_, row))
                return true;
        } catch (...) {
            finish();
            throw;
        }
        finish();
        return false;
    }

private:
    std::shared_ptr<EmbeddedBackend> backend_;
    std::shared_ptr<PreparedStatement> p_;
    QString sql_;
    int timeout_;
    qint64 remainingMs_;
    bool done_ = false;
    void finish()
    {
        if (!done_)
            EmbeddedBackend::release(*p_);
        done_ = true;
    }
};

std::unique_ptr<RowReader> EmbeddedBackend::executeForwardOnly(const QString& sql, int commandTimeoutSeconds)
{
    return std::make_unique<EmbeddedReader>(shared_from_this(), acquire(sql), sql, commandTimeoutSeconds);
}

} // namespace

void SetOpenHookForTesting(std::function<void(sqlite3*)> hook) { openHook() = std::move(hook); }

void SetStepStopHookForTesting(std::function<bool()> hook) { stepStopHook() = std::move(hook); }

std::shared_ptr<Backend> OpenEmbedded(const QString& serverFolder, const QString& catalog)
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
    const OpenSpec spec = path.isEmpty() ? OpenSpec{":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY}
                                         : modelOpenSpec(path, databaseName);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(spec.name.constData(), &db, spec.flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw DbError(rc, source(), QStringLiteral("Cannot open database \"%1\": %2").arg(databaseName, message));
    }
    std::function<sqlite3*()> openAnother;
    if (!path.isEmpty())
        openAnother = [spec] {
            sqlite3* other = nullptr;
            if (sqlite3_open_v2(spec.name.constData(), &other, spec.flags, nullptr) != SQLITE_OK) {
                sqlite3_close_v2(other);
                return static_cast<sqlite3*>(nullptr);
            }
            return other;
        };
    return std::make_shared<EmbeddedBackend>(db, databaseName, databases, std::move(openAnother));
}

} // namespace bkl::db::sqlite
