#include "RawFloor.h"

#include "platform/db/Recordset.h"
#include "platform/db/sqlite/CatalogEmulation.h"
#include "platform/db/sqlite/EngineFunctions.h"

#include <QDir>
#include <cstdio>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

using namespace bkl::db::sqlite;

namespace bench {

namespace {

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }

// A statement the engine prepared with its literals inline: the literals that follow a
// comparison or LIKE (the ids and names that differ from object to object) become
// parameters, so statements that differ only in them share one prepared statement.
QByteArray parameterize(const QByteArray& sql, std::vector<BoundValue>& values)
{
    QByteArray out;
    out.reserve(sql.size());
    bool afterComparison = false;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const char c = sql[i];
        if (c == '"' || c == '\'') {
            qsizetype j = i + 1;
            QByteArray text;
            for (; j < n; ++j) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        text += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                text += sql[j];
            }
            if (c == '\'' && afterComparison) {
                out += '?';
                values.emplace_back(text);
            } else {
                out += sql.mid(i, j + 1 - i);
            }
            i = j + 1;
            afterComparison = false;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            qsizetype j = i;
            while (j < n && std::isdigit(static_cast<unsigned char>(sql[j])))
                ++j;
            const bool whole = j >= n || (sql[j] != '.' && !isWordChar(sql[j]));
            if (whole && afterComparison) {
                out += '?';
                values.emplace_back(sql.mid(i, j - i).toLongLong());
            } else {
                while (j < n && (isWordChar(sql[j]) || sql[j] == '.'))
                    ++j;
                out += sql.mid(i, j - i);
            }
            i = j;
            afterComparison = false;
        } else if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j]))
                ++j;
            const QByteArray word = sql.mid(i, j - i);
            out += word;
            afterComparison = word.compare("LIKE", Qt::CaseInsensitive) == 0;
            i = j;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            out += c;
            ++i;
        } else {
            const bool comparison = c == '=' || c == '<' || c == '>' || (c == '!' && i + 1 < n && sql[i + 1] == '=');
            out += c;
            ++i;
            if (comparison && i < n && (sql[i] == '=' || sql[i] == '>'))
                out += sql[i++];
            afterComparison = comparison;
        }
    }
    return out;
}

struct RawConnection {
    sqlite3* db = nullptr;
    EngineContext context;
    ~RawConnection() { sqlite3_close_v2(db); }
};

} // namespace

void RawFloor::start(std::function<void(const QString&)> alsoObserve)
{
    bkl::db::SetStatementObserver([this, alsoObserve](const QString& sql) {
        pending_ = sql;
        if (alsoObserve)
            alsoObserve(sql);
    });
    SetEngineObserver([this](const EngineExecution& e) { capture(e); });
}

void RawFloor::stop()
{
    SetEngineObserver({});
    bkl::db::SetStatementObserver({});
}

void RawFloor::capture(const EngineExecution& e)
{
    std::vector<BoundValue> values = e.values;
    const QByteArray shape = values.empty() ? parameterize(e.sql, values) : e.sql;
    int database = static_cast<int>(databases_.indexOf(e.database));
    if (database < 0) {
        databases_ << e.database;
        database = static_cast<int>(databases_.size()) - 1;
    }
    auto it = shapeIndex_.constFind(shape);
    if (it == shapeIndex_.constEnd()) {
        it = shapeIndex_.insert(shape, static_cast<int>(shapes_.size()));
        shapes_.push_back(shape);
    }
    runs_.push_back({it.value(), database, std::move(values), pending_});
    hits_ += e.translationCached ? 1 : 0;
}

Timing RawFloor::replay(const QString& serverFolder) const
{
    std::vector<std::unique_ptr<RawConnection>> connections;
    for (const QString& name : databases_) {
        auto cn = std::make_unique<RawConnection>();
        const QByteArray file = QFile::encodeName(QDir(serverFolder).filePath(name + QStringLiteral(".sqlite")));
        if (sqlite3_open_v2(file.constData(), &cn->db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + file.toStdString());
        // As the engine opens a model: read-only, the file's lock kept for the connection.
        sqlite3_exec(cn->db, "PRAGMA main.locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
        RegisterEngineFunctions(cn->db, &cn->context);
        CreateCatalog(cn->context, name, {name});
        FillCatalogOnFirstUse(cn->context, QStringLiteral("bkl_sys_columns"));
        connections.push_back(std::move(cn));
    }
    const Stopwatch clock;
    std::vector<std::vector<sqlite3_stmt*>> prepared(connections.size(), std::vector<sqlite3_stmt*>(shapes_.size()));
    qint64 checksum = 0;
    for (const Run& run : runs_) {
        sqlite3* db = connections[static_cast<size_t>(run.database)]->db;
        sqlite3_stmt*& st = prepared[static_cast<size_t>(run.database)][static_cast<size_t>(run.shape)];
        if (!st) {
            const QByteArray& sql = shapes_[static_cast<size_t>(run.shape)];
            if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &st, nullptr) != SQLITE_OK)
                throw std::runtime_error("cannot prepare: " + sql.toStdString() + ": " + sqlite3_errmsg(db));
        }
        for (size_t i = 0; i < run.values.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            if (const auto* v = std::get_if<qint64>(&run.values[i]))
                sqlite3_bind_int64(st, index, *v);
            else {
                const QByteArray& t = std::get<QByteArray>(run.values[i]);
                sqlite3_bind_text(st, index, t.constData(), static_cast<int>(t.size()), SQLITE_STATIC);
            }
        }
        const int columns = sqlite3_column_count(st);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c)
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER: checksum += sqlite3_column_int64(st, c); break;
                case SQLITE_FLOAT: checksum += static_cast<qint64>(sqlite3_column_double(st, c)); break;
                case SQLITE_NULL: break;
                default:
                    checksum += reinterpret_cast<const char*>(sqlite3_column_text(st, c))[0];
                    checksum += sqlite3_column_bytes(st, c);
                }
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string("replay failed: ") + sqlite3_errmsg(db));
        sqlite3_reset(st);
    }
    for (auto& perDatabase : prepared)
        for (sqlite3_stmt* st : perDatabase)
            sqlite3_finalize(st);
    const Timing t = clock.elapsed();
    if (checksum == 42)
        std::puts(""); // keeps the reads
    return t;
}

Timing RawFloor::replayThroughDataLayer(const std::function<bkl::db::Connection(const QString& database)>& open) const
{
    std::vector<bkl::db::Connection> connections;
    for (const QString& name : databases_)
        connections.push_back(open(name));
    const Stopwatch clock;
    for (const Run& run : runs_) {
        bkl::db::Recordset rs(run.tsql, connections[static_cast<size_t>(run.database)]);
        for (; !rs.eof(); rs.moveNext())
            for (int c = 0; c < rs.fieldCount(); ++c)
                rs.field(c);
    }
    return clock.elapsed();
}

} // namespace bench
