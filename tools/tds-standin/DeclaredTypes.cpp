#include "DeclaredTypes.h"

#include "platform/db/DbError.h"
#include "platform/db/sqlite/TsqlParser.h"

#include <QFile>
#include <optional>
#include <sqlite3.h>

namespace tds {

using namespace bkl::db::sqlite::ast;

ModelSchema::ModelSchema(const QString& file)
{
    if (file.isEmpty())
        return;
    const QByteArray uri = "file:" + QFile::encodeName(file) + "?mode=ro&immutable=1";
    if (sqlite3_open_v2(uri.constData(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

ModelSchema::~ModelSchema() { sqlite3_close_v2(db_); }

const std::vector<ModelSchema::Column>& ModelSchema::columns(const QString& table)
{
    const QString key = table.toLower();
    if (const auto it = tables_.constFind(key); it != tables_.constEnd())
        return it.value();
    std::vector<Column>& cols = tables_[key];
    sqlite3_stmt* st = nullptr;
    if (db_ && sqlite3_prepare_v2(db_, "SELECT name, type FROM pragma_table_info(?1)", -1, &st, nullptr) == SQLITE_OK) {
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW)
            cols.push_back({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))});
    }
    sqlite3_finalize(st);
    return cols;
}

std::vector<QString> DeclaredColumnTypes(const QString& sql, int columnCount, ModelSchema& schema)
{
    std::unique_ptr<Query> query;
    try {
        query = bkl::db::sqlite::ParseTsqlSelect(sql);
    } catch (const bkl::db::DbError&) {
        return {};
    }
    if (query->selects.size() != 1)
        return {};
    const Select& select = query->selects.front();

    // The named tables of FROM, each under the name a column qualifier uses for it.
    struct Source {
        QString qualifier;
        QString table;
    };
    std::vector<Source> sources;
    for (const TableRef& ref : select.from)
        sources.push_back({(ref.alias.isEmpty() && !ref.name.isEmpty() ? ref.name.last() : ref.alias).toLower(),
                           ref.derived ? QString() : ref.name.value(ref.name.size() - 1)});
    const auto typeIn = [&schema](const QString& table, const QString& column) -> std::optional<QString> {
        for (const ModelSchema::Column& c : schema.columns(table))
            if (c.name.compare(column, Qt::CaseInsensitive) == 0)
                return c.declaredType;
        return std::nullopt;
    };

    std::vector<QString> types;
    for (const SelectItem& item : select.items) {
        const Expr& e = *item.expr;
        if (e.kind == Expr::Kind::Star) {
            for (const Source& s : sources)
                if (e.parts.isEmpty() || s.qualifier == e.parts.last().toLower())
                    for (const ModelSchema::Column& c : schema.columns(s.table))
                        types.push_back(c.declaredType);
            continue;
        }
        QString type;
        if (e.kind == Expr::Kind::Column) {
            const QString qualifier = e.parts.size() > 1 ? e.parts.at(e.parts.size() - 2).toLower() : QString();
            int found = 0;
            for (const Source& s : sources)
                if (qualifier.isEmpty() || s.qualifier == qualifier)
                    if (const auto t = typeIn(s.table, e.parts.last())) {
                        type = *t;
                        ++found;
                    }
            if (found != 1)
                type.clear();
        }
        types.push_back(type);
    }
    if (int(types.size()) != columnCount)
        return {};
    return types;
}

} // namespace tds
